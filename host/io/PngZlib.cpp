// PNG data over zlib alone, for builds without libpng. Writes what the host
// writes (RGBA, 8 or 16 bits, not interlaced); reads non-interlaced files of
// every colour type at 8 or 16 bits (palette at 8), with tRNS transparency.
#include "host/io/PngCodec.h"
#include "host/image/Image.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace vlam::host {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void putU32(std::string &out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

std::uint32_t getU32(const std::uint8_t *p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

void putChunk(std::string &out, const char *type, const std::uint8_t *data, std::size_t size) {
  putU32(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.append(type, 4);
  out.append(reinterpret_cast<const char *>(data), size);
  const auto *typed = reinterpret_cast<const Bytef *>(out.data() + start);
  putU32(out, static_cast<std::uint32_t>(::crc32(0, typed, static_cast<uInt>(size + 4))));
}

// a, b, c: the bytes left, above and above-left of the one being unfiltered.
std::uint8_t paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes a row's filter in place; `above` is the previous unfiltered row
// (zeros for the first). False for an unknown filter type.
bool unfilter(std::uint8_t type, std::uint8_t *row, const std::uint8_t *above, std::size_t bytes, std::size_t bpp) {
  for (std::size_t i = 0; i < bytes; ++i) {
    const int a = i >= bpp ? row[i - bpp] : 0, b = above[i], c = i >= bpp ? above[i - bpp] : 0;
    int add = 0;
    switch (type) {
    case 0: break;
    case 1: add = a; break;
    case 2: add = b; break;
    case 3: add = (a + b) / 2; break;
    case 4: add = paeth(a, b, c); break;
    default: return false;
    }
    row[i] = static_cast<std::uint8_t>(row[i] + add);
  }
  return true;
}

struct Header {
  std::uint32_t width = 0, height = 0;
  int bits = 0, colourType = 0, interlace = 0;
};

int channelsOf(int colourType) {
  switch (colourType) {
  case 0: return 1; // grey
  case 2: return 3; // RGB
  case 3: return 1; // palette index
  case 4: return 2; // grey and alpha
  case 6: return 4; // RGBA
  default: return 0;
  }
}

// zlib counts in 32 bits (on Windows even its "long" ones): data is handed
// over in pieces that fit.
constexpr std::size_t kPiece = std::size_t{1} << 30;

bool deflateAll(const std::vector<std::uint8_t> &raw, int level, std::vector<std::uint8_t> &packed) {
  z_stream z{};
  if (::deflateInit2(&z, level, Z_DEFLATED, 15, 8, level == 1 ? Z_HUFFMAN_ONLY : Z_DEFAULT_STRATEGY) != Z_OK)
    return false;
  packed.resize(raw.size() / 2 + 1024);
  std::size_t in = 0, out = 0;
  int status = Z_OK;
  while (status == Z_OK) {
    if (out == packed.size()) packed.resize(packed.size() * 2);
    const std::size_t give = std::min(kPiece, raw.size() - in), room = std::min(kPiece, packed.size() - out);
    z.next_in = const_cast<std::uint8_t *>(raw.data()) + in;
    z.avail_in = static_cast<uInt>(give);
    z.next_out = packed.data() + out;
    z.avail_out = static_cast<uInt>(room);
    status = ::deflate(&z, in + give == raw.size() ? Z_FINISH : Z_NO_FLUSH);
    in += give - z.avail_in;
    out += room - z.avail_out;
    if (status == Z_BUF_ERROR) status = Z_OK; // no progress possible without more room
  }
  packed.resize(out);
  ::deflateEnd(&z);
  return status == Z_STREAM_END;
}

// True when `packed` inflates to exactly raw.size() bytes.
bool inflateAll(const std::vector<std::uint8_t> &packed, std::vector<std::uint8_t> &raw) {
  z_stream z{};
  if (::inflateInit(&z) != Z_OK) return false;
  std::size_t in = 0, out = 0;
  int status = Z_OK;
  while (status == Z_OK) {
    const std::size_t give = std::min(kPiece, packed.size() - in), room = std::min(kPiece, raw.size() - out);
    z.next_in = const_cast<std::uint8_t *>(packed.data()) + in;
    z.avail_in = static_cast<uInt>(give);
    z.next_out = raw.data() + out;
    z.avail_out = static_cast<uInt>(room);
    status = ::inflate(&z, Z_NO_FLUSH);
    in += give - z.avail_in;
    out += room - z.avail_out;
    if (status == Z_OK && give - z.avail_in == 0 && room - z.avail_out == 0) break; // stuck: input ended or no room
  }
  ::inflateEnd(&z);
  return status == Z_STREAM_END && out == raw.size();
}

} // namespace

std::string encodePngZlib(const PngRows &rows, int width, int height, int bits, int level, std::string &out) {
  const std::size_t bytesPerSample = static_cast<std::size_t>(bits / 8);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4 * bytesPerSample;
  // Filter "up" (2) for compressed data, none (0) when storing, as libpng is told.
  const std::uint8_t filter = level == 0 ? 0 : 2;
  std::vector<std::uint8_t> raw((rowBytes + 1) * static_cast<std::size_t>(height));
  std::vector<std::uint8_t> previous(rowBytes, 0), current(rowBytes);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t *in = rows[static_cast<std::size_t>(y)];
    // PNG stores 16-bit samples most significant byte first.
    if (bits == 16)
      for (std::size_t i = 0; i < rowBytes; i += 2) {
        std::uint16_t v;
        std::memcpy(&v, in + i, 2);
        current[i] = static_cast<std::uint8_t>(v >> 8);
        current[i + 1] = static_cast<std::uint8_t>(v & 0xFF);
      }
    else
      std::memcpy(current.data(), in, rowBytes);
    std::uint8_t *line = raw.data() + (rowBytes + 1) * static_cast<std::size_t>(y);
    line[0] = filter;
    for (std::size_t i = 0; i < rowBytes; ++i)
      line[i + 1] = static_cast<std::uint8_t>(current[i] - (filter == 2 ? previous[i] : 0));
    std::swap(previous, current);
  }
  std::vector<std::uint8_t> packed;
  if (!deflateAll(raw, level, packed)) return "compression failed";

  out.assign(kSignature.begin(), kSignature.end());
  std::string ihdr;
  putU32(ihdr, static_cast<std::uint32_t>(width));
  putU32(ihdr, static_cast<std::uint32_t>(height));
  ihdr += {static_cast<char>(bits), 6, 0, 0, 0}; // RGBA, deflate, adaptive filters, not interlaced
  putChunk(out, "IHDR", reinterpret_cast<const std::uint8_t *>(ihdr.data()), ihdr.size());
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  for (std::size_t at = 0; at < packed.size(); at += kChunk)
    putChunk(out, "IDAT", packed.data() + at, std::min(kChunk, packed.size() - at));
  putChunk(out, "IEND", nullptr, 0);
  return {};
}

std::string decodePngZlib(const std::string &bytes, DecodedPng &out) {
  const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
  if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), data))
    return "not a PNG file";
  Header h;
  std::vector<std::uint8_t> packed, palette, transparency;
  bool ended = false;
  for (std::size_t at = kSignature.size(); !ended;) {
    if (bytes.size() - at < 12) return "damaged PNG data (unexpected end of file)";
    const std::uint32_t size = getU32(data + at);
    if (size > bytes.size() - at - 12) return "damaged PNG data (a chunk runs past the end of the file)";
    const std::uint8_t *type = data + at + 4, *body = data + at + 8;
    if (::crc32(0, type, size + 4) != getU32(body + size)) return "damaged PNG data (CRC error)";
    const std::string name(reinterpret_cast<const char *>(type), 4);
    if (name == "IHDR") {
      if (size != 13) return "damaged PNG data (header size)";
      h = {getU32(body), getU32(body + 4), body[8], body[9], body[12]};
    } else if (name == "PLTE") {
      palette.assign(body, body + size);
    } else if (name == "tRNS") {
      transparency.assign(body, body + size);
    } else if (name == "IDAT") {
      packed.insert(packed.end(), body, body + size);
    } else if (name == "IEND") {
      ended = true;
    } else if (!(type[0] & 0x20)) {
      return "damaged PNG data (unknown critical chunk " + name + ")";
    }
    at += 12 + size;
  }
  const int channels = channelsOf(h.colourType);
  if (h.width == 0 || h.height == 0 || channels == 0) return "damaged PNG data (no valid header)";
  if (h.width > static_cast<std::uint32_t>(kMaxImageSide) || h.height > static_cast<std::uint32_t>(kMaxImageSide))
    return "damaged PNG data (image larger than " + std::to_string(kMaxImageSide) + " pixels a side)";
  if (h.interlace != 0 || (h.bits != 8 && h.bits != 16) || (h.colourType == 3 && h.bits != 8))
    return "PNG layout not read by this build (interlaced, or fewer than 8 bits per sample)";
  if (h.colourType == 3 && (palette.empty() || palette.size() % 3 != 0)) return "damaged PNG data (palette)";

  const std::size_t bytesPerSample = static_cast<std::size_t>(h.bits / 8);
  const std::size_t bpp = static_cast<std::size_t>(channels) * bytesPerSample;
  const std::size_t rowBytes = bpp * h.width;
  std::vector<std::uint8_t> raw((rowBytes + 1) * h.height);
  if (!inflateAll(packed, raw)) return "damaged PNG data (image data does not inflate to the image's size)";

  out.width = static_cast<int>(h.width);
  out.height = static_cast<int>(h.height);
  out.rgba.assign(static_cast<std::size_t>(h.width) * h.height * 4, 0);
  std::vector<std::uint8_t> above(rowBytes, 0);
  const auto sampleAt = [&](const std::uint8_t *row, std::size_t x, int c) -> std::uint16_t {
    const std::uint8_t *p = row + x * bpp + static_cast<std::size_t>(c) * bytesPerSample;
    return bytesPerSample == 2 ? static_cast<std::uint16_t>(p[0] << 8 | p[1]) : static_cast<std::uint16_t>(p[0] * 257);
  };
  // The colour key of grey or RGB images with tRNS, at 16 bits.
  const auto keyAt = [&](int c) -> int {
    const std::size_t i = static_cast<std::size_t>(c) * 2;
    if (i + 1 >= transparency.size()) return -1;
    const int v = transparency[i] << 8 | transparency[i + 1];
    return bytesPerSample == 2 ? v : (v & 0xFF) * 257;
  };
  for (std::uint32_t y = 0; y < h.height; ++y) {
    std::uint8_t *line = raw.data() + (rowBytes + 1) * y;
    if (!unfilter(line[0], line + 1, above.data(), rowBytes, bpp)) return "damaged PNG data (unknown row filter)";
    const std::uint8_t *row = line + 1;
    std::uint16_t *o = out.rgba.data() + static_cast<std::size_t>(y) * h.width * 4;
    for (std::size_t x = 0; x < h.width; ++x, o += 4) {
      switch (h.colourType) {
      case 3: {
        const std::size_t index = row[x];
        if (index * 3 + 2 >= palette.size()) return "damaged PNG data (palette index out of range)";
        for (int c = 0; c < 3; ++c) o[c] = static_cast<std::uint16_t>(palette[index * 3 + c] * 257);
        o[3] = static_cast<std::uint16_t>(index < transparency.size() ? transparency[index] * 257 : 0xFFFF);
        break;
      }
      case 0:
      case 4:
        o[0] = o[1] = o[2] = sampleAt(row, x, 0);
        o[3] = h.colourType == 4 ? sampleAt(row, x, 1) : (o[0] == keyAt(0) ? 0 : 0xFFFF);
        break;
      default:
        for (int c = 0; c < 3; ++c) o[c] = sampleAt(row, x, c);
        o[3] = h.colourType == 6 ? sampleAt(row, x, 3)
                                 : (o[0] == keyAt(0) && o[1] == keyAt(1) && o[2] == keyAt(2) ? 0 : 0xFFFF);
      }
    }
    std::memcpy(above.data(), row, rowBytes);
  }
  return {};
}

} // namespace vlam::host
