#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vlam::host {

// Writes a file so that readers only ever see the old or the complete new
// content: the data goes to a temporary file beside the target, is flushed to
// disk and then renamed over the target. On any failure the temporary file is
// removed and the target is left untouched.
void writeFileAtomically(const std::filesystem::path &target, std::string_view bytes);

// Same, for writers that need a path to write to (image libraries): `produce`
// writes the temporary file; the rename happens only when it returns normally.
void writeFileAtomically(const std::filesystem::path &target,
                         const std::function<void(const std::filesystem::path &tmp)> &produce);

// Throws HostError naming `folder` and the reason when no file can be
// created in it (a folder that does not exist, is not writable, or a full
// disk): tried by creating and removing a file of one byte.
void checkFolderWritable(const std::filesystem::path &folder);

// Reads a whole file; throws HostError naming the file when it cannot.
std::string readWholeFile(const std::filesystem::path &path);

} // namespace vlam::host
