#include "host/HostError.h"
#include "host/image/Image.h"
#include "host/io/ImageFiles.h"
#include "host/io/PngCodec.h"
#include "host_support.h"

#include <png.h>

#include <cstring>
#include <random>

using namespace vlam::host;
using vlam::test::TempDir;

namespace {

Image gradient(int w, int h, PixelDepth depth) {
  Image image(w, h, depth);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, {1.0f, x / float(w - 1), y / float(h - 1), (x + y) % 7 / 6.0f});
  return image;
}

TEST(Image, SizesAreLimitedAndConversionUsesEachDepthsWhite) {
  EXPECT_THROW(Image(kMaxImageSide + 1, 1, PixelDepth::Bits8), HostError);
  EXPECT_THROW(Image(100000, 100000, PixelDepth::Float32), HostError);
  // Depth conversion uses each depth's white.
  Image f(1, 1, PixelDepth::Float32);
  f.setPixel(0, 0, {1.0f, 0.5f, 2.0f, -1.0f});
  Image d16 = f.convertedTo(PixelDepth::Bits16);
  std::array<std::uint16_t, 4> c16;
  std::memcpy(c16.data(), d16.row(0), sizeof c16);
  EXPECT_EQ(c16, (std::array<std::uint16_t, 4>{32768, 16384, 32768, 0})) << "over-range and negative values clamp";
  Image d8 = f.convertedTo(PixelDepth::Bits8);
  auto c8 = reinterpret_cast<const std::uint8_t *>(d8.row(0));
  EXPECT_EQ(c8[0], 255);
  EXPECT_EQ(c8[1], 128);
}

// PNG files keep every code of 8 and 16 bits at every level; they hold
// straight alpha; 8-bit and float pictures of the same codes give one file.
TEST(ImageFiles, PngRoundTripsEveryCodeExactlyWithStraightAlphaAndBadFilesNameTheFile) {
  TempDir dir;
  for (PixelDepth depth : {PixelDepth::Bits8, PixelDepth::Bits16})
    for (int level : {0, 1, 9}) {
      Image original = gradient(17, 5, depth);
      const auto file = dir / "g.png";
      writeImageFile(file, original, {level, ExrCompression::Rle});
      Image back = readPng(file, depth);
      EXPECT_TRUE(back.samePixels(original)) << static_cast<int>(depth) << " bits, level " << level;
    }
  EXPECT_THROW(writePng(dir / "g.png", gradient(2, 2, PixelDepth::Bits8), 8, 10), HostError);
  // PNG is written with straight alpha.
  Image image(1, 1, PixelDepth::Float32);
  image.setPixel(0, 0, {0.5f, 0.25f, 0.5f, 0.0f}); // premultiplied: straight red 0.5, green 1
  writePng(dir / "a.png", image, 8);
  vlam::test::expectNear(readPng(dir / "a.png", PixelDepth::Float32).pixel(0, 0), {0.5f, 0.25f, 0.5f, 0}, 1.0f / 255);
  // Host 16-bit white is 32768; PNG's is 65535. Every host code must come back.
  Image codes16(32769 / 64 + 1, 64, PixelDepth::Bits16);
  for (int i = 0; i <= 32768; ++i) {
    std::uint16_t px[4] = {32768, static_cast<std::uint16_t>(i), 0, 0};
    std::memcpy(codes16.row(i % 64) + (i / 64) * 8, px, sizeof px);
  }
  writePng(dir / "codes.png", codes16, 16);
  EXPECT_TRUE(readPng(dir / "codes.png", PixelDepth::Bits16).samePixels(codes16));
  // Every pair of alpha and colour code, written from an 8-bit image and
  // from the same picture in float.
  Image codes(256, 256, PixelDepth::Bits8);
  for (int a = 0; a < 256; ++a)
    for (int c = 0; c < 256; ++c) {
      const std::uint8_t px[4] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(c),
                                  static_cast<std::uint8_t>(255 - c), static_cast<std::uint8_t>(c / 2)};
      std::memcpy(codes.row(a) + c * 4, px, sizeof px);
    }
  writePng(dir / "from8.png", codes, 8);
  writePng(dir / "from32.png", codes.convertedTo(PixelDepth::Float32), 8);
  EXPECT_EQ(vlam::test::readFile(dir / "from8.png"), vlam::test::readFile(dir / "from32.png"));
  // Bad files give one error naming the file.
  vlam::test::writeFile(dir / "bad.png", "\x89PNG\r\n\x1a\nthis is not really a png");
  Image good = gradient(40, 40, PixelDepth::Bits8);
  writePng(dir / "good.png", good, 8);
  std::string bytes = vlam::test::readFile(dir / "good.png");
  vlam::test::writeFile(dir / "cut.png", bytes.substr(0, bytes.size() / 2));
  for (const char *name : {"bad.png", "cut.png", "missing.png", "bad.exr"}) {
    if (std::string(name) == "bad.exr") vlam::test::writeFile(dir / name, "nope");
    try {
      readImageFile(dir / name, PixelDepth::Bits8);
      ADD_FAILURE() << name << " was accepted";
    } catch (const HostError &e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(writeImageFile(dir / "x.tiff", good), HostError);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.tiff"));
}

TEST(ImageFiles, ExrKeepsFloatsBeyondOneWithEveryCompression) {
  TempDir dir;
  Image image(3, 2, PixelDepth::Float32);
  image.setPixel(1, 1, {1.0f, 7.25f, -0.5f, 1e-6f});
  image.setPixel(2, 0, {0.5f, 0.25f, 0.125f, 3.0f});
  for (const std::string &name : exrCompressionNames()) {
    writeImageFile(dir / "f.exr", image, {1, *exrCompressionNamed(name)});
    EXPECT_TRUE(readExr(dir / "f.exr", PixelDepth::Float32).samePixels(image)) << name;
  }
  EXPECT_FALSE(exrCompressionNamed("dwaa"));
  // Narrower images are widened on the way out.
  const Image deep = gradient(5, 3, PixelDepth::Bits16);
  writeImageFile(dir / "d.exr", deep);
  EXPECT_TRUE(readExr(dir / "d.exr", PixelDepth::Bits16).samePixels(deep));
}

// A PNG file as libpng writes it, trying every row filter.
std::string libpngFile(int width, int height, int colourType, int bits, const std::vector<std::uint8_t> &samples,
                       const std::vector<png_color> &palette = {}, const std::vector<std::uint8_t> &alphas = {},
                       const png_color_16 *key = nullptr, int interlace = PNG_INTERLACE_NONE) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out, [](png_structp p, png_bytep data, png_size_t n) {
        static_cast<std::string *>(png_get_io_ptr(p))->append(reinterpret_cast<char *>(data), n);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bits, colourType,
               interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!alphas.empty() || key)
    png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), const_cast<png_color_16 *>(key));
  png_write_info(png, info);
  const std::size_t rowBytes = samples.size() / static_cast<std::size_t>(height);
  for (int pass = png_set_interlace_handling(png); pass > 0; --pass)
    for (int y = 0; y < height; ++y) png_write_row(png, samples.data() + rowBytes * static_cast<std::size_t>(y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

TEST(ImageFiles, TheZlibPngCodecAgreesWithLibpng) {
  // Files of every colour type libpng writes, decoded by both.
  std::vector<std::uint8_t> noise(23 * 9 * 8);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>((i * 37 + i / 13 * 101) % 256);
  const auto first = [&](std::size_t n) { return std::vector<std::uint8_t>(noise.begin(), noise.begin() + static_cast<std::ptrdiff_t>(n)); };
  std::vector<std::uint8_t> indices = first(23 * 9);
  for (auto &i : indices) i %= 5;
  const std::vector<png_color> palette{{1, 2, 3}, {250, 0, 9}, {7, 7, 7}, {0, 255, 0}, {9, 8, 7}};
  png_color_16 grey{};
  grey.gray = noise[4];
  const struct {
    const char *what;
    std::string file;
  } cases[] = {
      {"RGBA 8", libpngFile(23, 9, PNG_COLOR_TYPE_RGBA, 8, first(23 * 9 * 4))},
      {"RGBA 16", libpngFile(23, 9, PNG_COLOR_TYPE_RGBA, 16, first(23 * 9 * 8))},
      {"RGB 16", libpngFile(23, 9, PNG_COLOR_TYPE_RGB, 16, first(23 * 9 * 6))},
      {"grey and alpha 8", libpngFile(23, 9, PNG_COLOR_TYPE_GRAY_ALPHA, 8, first(23 * 9 * 2))},
      {"grey with a colour key", libpngFile(23, 9, PNG_COLOR_TYPE_GRAY, 8, first(23 * 9), {}, {}, &grey)},
      {"palette with alphas", libpngFile(23, 9, PNG_COLOR_TYPE_PALETTE, 8, indices, palette, {0, 128})},
  };
  for (const auto &c : cases) {
    DecodedPng ours, theirs;
    ASSERT_EQ(decodePngZlib(c.file, ours), "") << c.what;
    ASSERT_EQ(decodePngLibpng(c.file, theirs), "") << c.what;
    EXPECT_EQ(ours.width, theirs.width) << c.what;
    EXPECT_EQ(ours.height, theirs.height) << c.what;
    EXPECT_EQ(ours.rgba, theirs.rgba) << c.what;
  }
  // Our encoder's rows through libpng (the Windows build's renders are
  // compared with the Linux build's by the Windows check). Noise packs to a
  // little more than it holds (a few bytes a block), so the output buffer has
  // to grow twice; the file must still check out whole.
  std::mt19937 random(7);
  std::vector<std::uint8_t> grain(std::size_t{1024} * 1024 * 8);
  for (auto &g : grain) g = static_cast<std::uint8_t>(random());
  PngRows grainRows;
  for (int y = 0; y < 1024; ++y) grainRows.push_back(grain.data() + std::size_t{1024} * 8 * static_cast<std::size_t>(y));
  std::string grainFile;
  ASSERT_EQ(encodePngZlib(grainRows, 1024, 1024, 16, 1, grainFile), "");
  DecodedPng grainBack;
  ASSERT_EQ(decodePngLibpng(grainFile, grainBack), "");
  ASSERT_EQ(grainBack.rgba.size() * 2, grain.size());
  EXPECT_EQ(std::memcmp(grainBack.rgba.data(), grain.data(), grain.size()), 0) << "rows as given";
  // Damage is refused with a reason, never read past.
  const std::string good = cases[0].file;
  for (std::size_t cut : {std::size_t{4}, std::size_t{20}, good.size() / 2, good.size() - 1}) {
    DecodedPng d;
    EXPECT_NE(decodePngZlib(good.substr(0, cut), d), "") << cut;
  }
  std::string badCrc = good;
  badCrc[30] = static_cast<char>(badCrc[30] ^ 1); // inside IHDR's CRC
  DecodedPng d;
  EXPECT_NE(decodePngZlib(badCrc, d).find("CRC"), std::string::npos);
  // The signature alone is a PNG cut short, not some other kind of file.
  EXPECT_NE(decodePngLibpng(good.substr(0, 8), d).find("damaged"), std::string::npos);
  // Interlaced rows, even of 8 bits, are refused rather than read as plain rows.
  const std::string interlaced = libpngFile(23, 9, PNG_COLOR_TYPE_RGBA, 8, first(23 * 9 * 4), {}, {}, nullptr, PNG_INTERLACE_ADAM7);
  EXPECT_NE(decodePngZlib(interlaced, d).find("interlaced"), std::string::npos);
}

} // namespace
