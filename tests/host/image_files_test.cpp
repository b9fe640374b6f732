#include "host/HostError.h"
#include "host/image/Image.h"
#include "host/io/FrameWriter.h"
#include "host/io/ImageFiles.h"
#include "temp_dir_support.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(Image, RowsArePaddedAndPaddingIsIgnoredByComparison) {
  Image a(3, 2, PixelDepth::Bits8);
  EXPECT_EQ(a.rowBytes(), 16u); // 12 bytes of pixels padded to 16
  Image b = a;
  a.row(0)[12] = std::byte{99};
  EXPECT_TRUE(a.samePixels(b));
  a.setPixel(2, 1, {1, 1, 1, 1});
  EXPECT_FALSE(a.samePixels(b));
  EXPECT_THROW(Image(kMaxImageSide + 1, 1, PixelDepth::Bits8), HostError);
  EXPECT_THROW(Image(100000, 100000, PixelDepth::Float32), HostError);
}

TEST(Image, DepthConversionUsesEachDepthsWhite) {
  Image f(1, 1, PixelDepth::Float32);
  f.setPixel(0, 0, {1.0f, 0.5f, 2.0f, -1.0f});
  Image d16 = f.convertedTo(PixelDepth::Bits16);
  std::uint16_t c16[4];
  std::memcpy(c16, d16.row(0), sizeof c16);
  EXPECT_EQ(c16[0], 32768);
  EXPECT_EQ(c16[1], 16384);
  EXPECT_EQ(c16[2], 32768) << "over-range clamps";
  EXPECT_EQ(c16[3], 0) << "negative clamps";
  Image d8 = f.convertedTo(PixelDepth::Bits8);
  auto c8 = reinterpret_cast<const std::uint8_t *>(d8.row(0));
  EXPECT_EQ(c8[0], 255);
  EXPECT_EQ(c8[1], 128);
}

TEST(ImageFiles, PngRoundTripsEightAndSixteenBitsExactlyAtEveryLevel) {
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
}

TEST(ImageFiles, SixteenBitCodesSurviveThePngScale) {
  // Host 16-bit white is 32768; PNG's is 65535. Every host code must come back.
  TempDir dir;
  Image image(32769 / 64 + 1, 64, PixelDepth::Bits16);
  for (int i = 0; i <= 32768; ++i) {
    std::uint16_t px[4] = {32768, static_cast<std::uint16_t>(i), 0, 0};
    std::memcpy(image.row(i % 64) + (i / 64) * 8, px, sizeof px);
  }
  writePng(dir / "codes.png", image, 16);
  EXPECT_TRUE(readPng(dir / "codes.png", PixelDepth::Bits16).samePixels(image));
}

TEST(ImageFiles, EightBitPixelsBecomeTheSameStraightCodesAsFloatOnes) {
  // Every pair of alpha and colour code, written from an 8-bit image and
  // from the same picture in float.
  TempDir dir;
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
}

TEST(ImageFiles, PngIsWrittenWithStraightAlpha) {
  TempDir dir;
  Image image(1, 1, PixelDepth::Float32);
  image.setPixel(0, 0, {0.5f, 0.25f, 0.5f, 0.0f}); // premultiplied: straight red 0.5, green 1
  writePng(dir / "a.png", image, 8);
  Image back = readPng(dir / "a.png", PixelDepth::Float32);
  PixelF p = back.pixel(0, 0);
  EXPECT_NEAR(p.alpha, 0.5f, 1.0f / 255);
  EXPECT_NEAR(p.red, 0.25f, 1.0f / 255);
  EXPECT_NEAR(p.green, 0.5f, 1.0f / 255);
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

TEST(FrameWriter, WritesInOrderAndStopsAtTheFirstFailure) {
  TempDir dir;
  std::vector<std::string> written;
  std::filesystem::create_directory(dir / "f2.png"); // the rename onto it fails
  std::vector<Image> frames;
  for (int i = 0; i < 4; ++i) frames.push_back(gradient(9 + i, 4, PixelDepth::Bits8));
  {
    FrameWriter writer({}, [&](const std::filesystem::path &file) { written.push_back(file.filename().string()); });
    writer.add(dir / "f0.png", frames[0]);
    writer.add(dir / "f1.png", frames[1]);
    writer.finish();
    EXPECT_EQ(written, (std::vector<std::string>{"f0.png", "f1.png"}));
    try {
      writer.add(dir / "f2.png", frames[2]);
      writer.add(dir / "f3.png", frames[3]);
      writer.finish();
      ADD_FAILURE() << "the failed write was not reported";
    } catch (const HostError &e) {
      EXPECT_NE(std::string(e.what()).find("f2.png"), std::string::npos) << e.what();
    }
    EXPECT_THROW(writer.add(dir / "f4.png", frames[0]), HostError) << "a failed writer takes no more frames";
  }
  EXPECT_EQ(written, (std::vector<std::string>{"f0.png", "f1.png"}));
  EXPECT_EQ(vlam::test::listDir(dir.path()), (std::vector<std::string>{"f0.png", "f1.png", "f2.png"}))
      << "nothing after the failure, no partial files";
  EXPECT_TRUE(readPng(dir / "f1.png", PixelDepth::Bits8).samePixels(frames[1]));
}

TEST(ImageFiles, BadFilesGiveOneErrorNamingTheFile) {
  TempDir dir;
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

} // namespace
