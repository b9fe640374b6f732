// PNG data through libpng.
#include "host/io/PngCodec.h"
#include "host/image/Image.h"

#include <png.h>
#include <zlib.h>

#include <cstring>

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
} // namespace

std::string encodePngLibpng(const PngRows &rows, int width, int height, int bits, int level,
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

std::string decodePngLibpng(const std::string &bytes, DecodedPng &out) {
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

} // namespace vlam::host
