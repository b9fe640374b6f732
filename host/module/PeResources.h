#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vlam::host {

// One resource of a Windows module (PE file), as its resource directory
// holds it: numeric id and a copy of the data.
struct PeResource {
  std::int32_t id = 0;
  std::vector<std::uint8_t> bytes;
};

// True when the bytes start like a Windows executable or DLL ("MZ").
bool looksLikePeFile(const std::uint8_t *data, std::size_t size);

// Reads every resource of the type called `typeName` (compared without regard
// to case, as the Windows resource API compares names) that has a numeric id,
// in the order of the resource directory (ascending ids), taking the first
// language of each. Accepts PE32 and PE32+ images. Every offset, count and
// size is checked against the file: damaged input makes it throw HostError
// saying what is wrong, never read outside `data`. A module without a
// resource section, or without resources of that type, gives an empty list.
std::vector<PeResource> readPeResources(const std::uint8_t *data, std::size_t size, std::string_view typeName);

} // namespace vlam::host
