// What writing a file atomically needs from the system.
#pragma once
#include <filesystem>
#include <string>

namespace vlam::host {

// The running process's id, which keeps the temporary names of two processes
// writing beside the same file apart.
std::string processTag();

// Flushes the file's data to the disk. Throws HostError naming the file.
void syncFile(const std::filesystem::path &path);

// Puts `replacement` in the place of `target` in one step: readers see the old
// file or the new one, never neither. Throws HostError naming the target;
// then both files are as they were.
void replaceFile(const std::filesystem::path &replacement, const std::filesystem::path &target);

// Creates `path`, which must not exist yet, and writes one byte to it.
// Throws HostError with the system's reason when either fails; the caller
// removes the file.
void writeProbeFile(const std::filesystem::path &path);

} // namespace vlam::host
