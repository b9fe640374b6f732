// PNG data in memory, without the file: encoding rows of RGBA samples and
// decoding any file into 16-bit RGBA. Two codecs: libpng's where the system
// has it, and one over zlib alone for builds without libpng (Windows).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> rgba; // straight alpha, 16-bit
};

// Encodes `rows` (height rows of width RGBA samples of `bits` 8 or 16 bits,
// 16-bit samples in the machine's byte order) at compression `level` 0-9.
// Returns an empty string and fills `out`, or returns what went wrong.
using PngRows = std::vector<std::uint8_t *>;
std::string encodePngLibpng(const PngRows &rows, int width, int height, int bits, int level, std::string &out);
std::string encodePngZlib(const PngRows &rows, int width, int height, int bits, int level, std::string &out);

// Decodes a PNG file's bytes; images larger than the host accepts are
// refused. Returns an empty string and fills `out`, or what is wrong.
std::string decodePngLibpng(const std::string &bytes, DecodedPng &out);
std::string decodePngZlib(const std::string &bytes, DecodedPng &out);

} // namespace vlam::host
