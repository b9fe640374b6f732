#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/io/ImageFiles.h"
#include "host/io/PngCodec.h"
#include "host/image/PixelAccess.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace vlam::host {
namespace {

#if defined(VLAM_HAVE_LIBPNG)
constexpr auto encodePng = encodePngLibpng;
constexpr auto decodePng = decodePngLibpng;
#else
constexpr auto encodePng = encodePngZlib;
constexpr auto decodePng = decodePngZlib;
#endif

// A straight colour value in [0, 1] (NaN reads as 0) as a code of `scale`.
inline unsigned codeOf(float v, float scale) { return v > 0.0f ? static_cast<unsigned>(roundHalfUp(v * scale)) : 0u; }

// PNG rows (big-endian order is left to libpng) from premultiplied pixels:
// alpha clamped to [0, 1], colour divided by it and clamped.
template <class In, class Code>
void straightRows(const Image &image, std::vector<std::byte> &pixels, std::size_t rowBytes) {
  constexpr float kScale = sizeof(Code) == 1 ? 255.0f : 65535.0f;
  for (int y = 0; y < image.height(); ++y) {
    const std::byte *in = image.row(y);
    auto *out = reinterpret_cast<Code *>(pixels.data() + rowBytes * static_cast<std::size_t>(y));
    for (int x = 0; x < image.width(); ++x, in += In::kBytes, out += 4) {
      const PixelF p = In::load(in);
      const float a = std::clamp(p.alpha, 0.0f, 1.0f);
      const float rgb[3] = {p.red, p.green, p.blue};
      for (int i = 0; i < 3; ++i)
        out[i] = static_cast<Code>(a > 0.0f ? codeOf(std::clamp(rgb[i] / a, 0.0f, 1.0f), kScale) : 0u);
      out[3] = static_cast<Code>(codeOf(a, kScale));
    }
  }
}

// The same for 8-bit pixels to 8-bit codes, where a colour code depends
// only on its own value and the alpha code: every pair is worked out once,
// by the general conversion itself.
void straightRows8(const Image &image, std::vector<std::byte> &pixels, std::size_t rowBytes) {
  static const std::vector<std::byte> table = [] {
    Image pairs(256, 256, PixelDepth::Bits8, ImageStart::Undefined); // row: alpha code, column: colour code
    for (int a = 0; a < 256; ++a)
      for (int c = 0; c < 256; ++c) {
        const auto code = [](int v) { return static_cast<std::byte>(v); };
        const std::byte pixel[4] = {code(a), code(c), code(c), code(c)};
        std::memcpy(pairs.row(a) + c * 4, pixel, sizeof pixel);
      }
    std::vector<std::byte> rows(256 * 256 * 4);
    straightRows<PixelCodec<PixelDepth::Bits8>, std::uint8_t>(pairs, rows, 256 * 4);
    return rows;
  }();
  for (int y = 0; y < image.height(); ++y) {
    const auto *in = reinterpret_cast<const std::uint8_t *>(image.row(y));
    std::byte *out = pixels.data() + rowBytes * static_cast<std::size_t>(y);
    for (int x = 0; x < image.width(); ++x, in += 4, out += 4) {
      const std::byte *alphaRow = table.data() + static_cast<std::size_t>(in[0]) * 256 * 4;
      // Straight red, green, blue and alpha, as the table row of that alpha holds them.
      out[0] = alphaRow[static_cast<std::size_t>(in[1]) * 4];
      out[1] = alphaRow[static_cast<std::size_t>(in[2]) * 4 + 1];
      out[2] = alphaRow[static_cast<std::size_t>(in[3]) * 4 + 2];
      out[3] = alphaRow[3];
    }
  }
}

} // namespace

void writePng(const std::filesystem::path &path, const Image &image, int bits, int level) {
  if (bits != 8 && bits != 16) throw HostError(path.string() + ": PNG holds 8 or 16 bits, not " + std::to_string(bits));
  if (level < 0 || level > 9) throw HostError(path.string() + ": PNG compression level " + std::to_string(level) + " is outside 0..9");
  if (image.empty()) throw HostError(path.string() + ": nothing to write (empty image)");
  const int w = image.width(), h = image.height();
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 4 * (bits / 8);
  std::vector<std::byte> pixels(rowBytes * static_cast<std::size_t>(h));
  PngRows rows(static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) rows[static_cast<std::size_t>(y)] = reinterpret_cast<std::uint8_t *>(pixels.data() + rowBytes * static_cast<std::size_t>(y));
  if (image.depth() == PixelDepth::Bits8 && bits == 8)
    straightRows8(image, pixels, rowBytes);
  else
    withDepth(image.depth(), [&](auto depth) {
      if (bits == 8) straightRows<CodecOf<decltype(depth)>, std::uint8_t>(image, pixels, rowBytes);
      else straightRows<CodecOf<decltype(depth)>, std::uint16_t>(image, pixels, rowBytes);
    });
  std::string encoded;
  std::string error = encodePng(rows, w, h, bits, level, encoded);
  if (!error.empty()) throw HostError(path.string() + ": cannot encode PNG: " + error);
  writeFileAtomically(path, encoded);
}

Image readPng(const std::filesystem::path &path, PixelDepth depth) {
  std::string bytes = readWholeFile(path);
  DecodedPng decoded;
  std::string error = decodePng(bytes, decoded);
  if (!error.empty()) throw HostError(path.string() + ": " + error);
  Image image(decoded.width, decoded.height, depth, ImageStart::Undefined);
  withDepth(depth, [&](auto d) {
    using Out = CodecOf<decltype(d)>;
    for (int y = 0; y < decoded.height; ++y) {
      std::byte *out = image.row(y);
      for (int x = 0; x < decoded.width; ++x, out += Out::kBytes) {
        const std::uint16_t *s = decoded.rgba.data() + (static_cast<std::size_t>(y) * decoded.width + x) * 4;
        float a = s[3] / 65535.0f;
        Out::store(out, {a, s[0] / 65535.0f * a, s[1] / 65535.0f * a, s[2] / 65535.0f * a});
      }
    }
  });
  return image;
}

namespace {
std::string lowerExtension(const std::filesystem::path &path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}
} // namespace

Image readImageFile(const std::filesystem::path &path, PixelDepth depth) {
  const std::string ext = lowerExtension(path);
  if (ext == ".png") return readPng(path, depth);
  if (ext == ".exr") return readExr(path, depth);
  throw HostError(path.string() + ": unknown image type '" + ext + "' (use .png or .exr)");
}

void writeImageFile(const std::filesystem::path &path, const Image &image, const FileCompression &compression) {
  const std::string ext = lowerExtension(path);
  if (ext == ".png")
    writePng(path, image, image.depth() == PixelDepth::Bits8 ? 8 : 16, compression.pngLevel);
  else if (ext == ".exr")
    writeExr(path, image, compression.exr);
  else
    throw HostError(path.string() + ": unknown image type '" + ext + "' (use .png or .exr)");
}

} // namespace vlam::host
