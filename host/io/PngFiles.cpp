#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/io/ImageFiles.h"
#include "host/image/PixelAccess.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace vlam::host {
namespace {

struct PngMemoryWriter {
  std::string bytes;
};

void pngWriteToString(png_structp png, png_bytep data, png_size_t length) {
  auto *sink = static_cast<PngMemoryWriter *>(png_get_io_ptr(png));
  sink->bytes.append(reinterpret_cast<const char *>(data), length);
}
void pngFlushNothing(png_structp) {}

// libpng's own messages, kept instead of printed.
struct PngMessage {
  char text[200] = {};
};

void pngError(png_structp png, png_const_charp message) {
  if (auto *m = static_cast<PngMessage *>(png_get_error_ptr(png))) {
    std::strncpy(m->text, message ? message : "error", sizeof m->text - 1);
  }
  png_longjmp(png, 1);
}
void pngWarning(png_structp, png_const_charp) {}

struct PngMemoryReader {
  const std::string *bytes;
  std::size_t offset;
};

void pngReadFromString(png_structp png, png_bytep data, png_size_t length) {
  auto *source = static_cast<PngMemoryReader *>(png_get_io_ptr(png));
  if (source->offset + length > source->bytes->size()) png_error(png, "unexpected end of file");
  std::memcpy(data, source->bytes->data() + source->offset, length);
  source->offset += length;
}

// libpng reports errors through longjmp; this keeps C++ objects with
// destructors out of the frames it jumps over. Returns an empty string on
// success, else libpng's message.
std::string encodePng(const std::vector<png_bytep> &rows, int width, int height, int bits, int level,
                      std::string &out) {
  PngMemoryWriter sink;
  PngMessage message;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, pngError, pngWarning);
  if (!png) return "out of memory";
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return "out of memory";
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return message.text;
  }
  png_set_write_fn(png, &sink, pngWriteToString, pngFlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bits,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, level);
  // Level 1 codes the filtered bytes without looking for repeats (Huffman
  // coding only): on rendered frames that is faster than zlib's level 1 and
  // makes files no larger.
  if (level == 1) png_set_compression_strategy(png, Z_HUFFMAN_ONLY);
  // Stored data gains nothing from filtering; otherwise the "up" filter
  // alone: on rendered frames it compresses as well as trying every filter
  // on every row, in less time.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, level == 0 ? PNG_FILTER_NONE : PNG_FILTER_UP);
  png_write_info(png, info);
  if (bits == 16) png_set_swap(png); // rows hold host-endian 16-bit values
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  out = std::move(sink.bytes);
  return {};
}

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> rgba; // straight alpha, 16-bit
};

std::string decodePng(const std::string &bytes, DecodedPng &out) {
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
    return "not a PNG file";
  PngMessage message;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, pngError, pngWarning);
  if (!png) return "out of memory";
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return "out of memory";
  }
  PngMemoryReader source{&bytes, 0};
  // Rows live in `out` so that nothing with a destructor is created between
  // setjmp and the libpng calls.
  std::vector<png_bytep> *rowPointers = new std::vector<png_bytep>();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    delete rowPointers;
    return std::string("damaged PNG data (") + message.text + ")";
  }
  png_set_read_fn(png, &source, pngReadFromString);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  int colorType = png_get_color_type(png, info);
  int bitDepth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth < 16) png_set_expand_16(png);
  png_set_filler(png, 0xFFFF, PNG_FILLER_AFTER);
  png_set_swap(png);
  png_read_update_info(png, info);
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
  rowPointers->resize(height);
  for (png_uint_32 y = 0; y < height; ++y)
    (*rowPointers)[y] = reinterpret_cast<png_bytep>(out.rgba.data() + static_cast<std::size_t>(y) * width * 4);
  png_read_image(png, rowPointers->data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  delete rowPointers;
  return {};
}

} // namespace

namespace {

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
  std::vector<png_bytep> rows(static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) rows[static_cast<std::size_t>(y)] = reinterpret_cast<png_bytep>(pixels.data() + rowBytes * static_cast<std::size_t>(y));
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
