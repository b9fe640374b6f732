#pragma once
#include <cstddef>
#include <string>

namespace vlam::host {

struct InstalledEffect;

// Parameters are addressed in scene files and on the command line by name,
// by "Group/Name" where a name repeats within one effect (any tail of the
// group path that makes it unique), or by index ("#10").

// The shortest address that names parameter `index` alone.
std::string paramAddress(const InstalledEffect &effect, std::size_t index);

// The index an address names. Throws HostError saying what is wrong
// (unknown, ambiguous, or a parameter without a value).
std::size_t resolveParam(const InstalledEffect &effect, const std::string &address);
// The same for any parameter, also those without a value (buttons, groups).
std::size_t resolveAnyParam(const InstalledEffect &effect, const std::string &address);

} // namespace vlam::host
