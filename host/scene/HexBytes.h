#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlam::host {

// Bytes as scene files write them: two lowercase hexadecimal digits each.
std::string hexText(const std::uint8_t *bytes, std::size_t size);
// Either case is read; nothing for an odd length or a non-hex character.
std::optional<std::vector<std::uint8_t>> bytesFromHex(std::string_view hex);

} // namespace vlam::host
