// The host's copy between buffers when the rectangles differ in size:
// bilinear resampling at every depth, and a copy within one buffer that
// reads the original pixels; compositing a layer into a new frame.
#include "host/image/PixelOps.h"
#include "host_support.h"

#include <cstring>

namespace vlam {
namespace {

using test::viewOf;

// A 2x2 source with red 0, 1 on the top row and 0.5, 0 below, scaled to 4x4:
// output centres land at source 0.25 and 0.75 (clamped to the edge pixels
// outside), so rows and columns mix in quarters.
TEST(PixelCopy, ResamplesBilinearlyAtEveryDepth) {
  for (host::PixelDepth depth : {host::PixelDepth::Bits8, host::PixelDepth::Bits16, host::PixelDepth::Float32}) {
    host::Image src(2, 2, depth), dst(4, 4, depth);
    src.setPixel(0, 0, {1, 0, 0, 0});
    src.setPixel(1, 0, {1, 1, 0, 0});
    src.setPixel(0, 1, {1, 0.5f, 0, 0});
    src.setPixel(1, 1, {1, 0, 0, 0});
    ASSERT_TRUE(host::copyPixels(viewOf(src), nullptr, viewOf(dst), nullptr));
    const float tolerance = depth == host::PixelDepth::Bits8 ? 1.0f / 255 : 1e-4f;
    EXPECT_NEAR(dst.pixel(0, 0).red, 0.0f, tolerance);
    EXPECT_NEAR(dst.pixel(3, 0).red, 1.0f, tolerance);
    EXPECT_NEAR(dst.pixel(0, 3).red, 0.5f, tolerance);
    EXPECT_NEAR(dst.pixel(3, 3).red, 0.0f, tolerance);
    // (1, 1) reads source (0.25, 0.25): top 0.25, bottom 0.375, mixed 0.28125.
    EXPECT_NEAR(dst.pixel(1, 1).red, 0.28125f, tolerance);
    // (2, 1) reads source (0.75, 0.25): top 0.75, bottom 0.125, mixed 0.59375.
    EXPECT_NEAR(dst.pixel(2, 1).red, 0.59375f, tolerance);
    EXPECT_NEAR(dst.pixel(2, 1).alpha, 1.0f, tolerance);
  }
}

// Scaling the left half of a row onto the whole row of the same buffer: the
// right half's pixels are written before the left half's are all read, so
// reading as it writes would copy already-scaled values.
TEST(PixelCopy, ResampleWithinOneBufferReadsTheOriginal) {
  host::Image image(4, 1, host::PixelDepth::Float32);
  for (int x = 0; x < 4; ++x) image.setPixel(x, 0, {1, static_cast<float>(x), 0, 0});
  const PF_Rect left{0, 0, 2, 1};
  const PF_Rect whole{0, 0, 4, 1};
  ASSERT_TRUE(host::copyPixels(viewOf(image), &left, viewOf(image), &whole));
  const float expected[4] = {0.0f, 0.25f, 0.75f, 1.0f};
  for (int x = 0; x < 4; ++x) EXPECT_FLOAT_EQ(image.pixel(x, 0).red, expected[x]) << "pixel " << x;
}

// A new frame is not cleared before the first layer goes onto it, and a layer
// filling the frame becomes the frame in place: both must give what "over"
// onto transparent black gives, for every code (8-bit codes with every
// alpha, 16-bit codes above white, floats with signed zeros and values out
// of range).
TEST(PixelCopy, FirstLayerOfAFrameIsCompositedOntoTransparentBlack) {
  for (host::PixelDepth depth : {host::PixelDepth::Bits8, host::PixelDepth::Bits16, host::PixelDepth::Float32}) {
    host::Image layer(256, 256, depth);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        std::byte *p = layer.row(y) + x * host::bytesPerPixel(depth);
        if (depth == host::PixelDepth::Float32) {
          const float values[] = {0.0f, -0.0f, 0.5f, 1.0f, 1.5f, -0.25f, 0.001f, 7.0f};
          const float px[4] = {values[y % 8], values[x % 8], values[(x / 8) % 8], values[(y / 8) % 8]};
          std::memcpy(p, px, sizeof px);
        } else if (depth == host::PixelDepth::Bits16) {
          const std::uint16_t px[4] = {static_cast<std::uint16_t>(y * 257), static_cast<std::uint16_t>(x * 257),
                                       static_cast<std::uint16_t>(x * 128), 0};
          std::memcpy(p, px, sizeof px);
        } else {
          const std::uint8_t px[4] = {static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x),
                                      static_cast<std::uint8_t>(255 - x), static_cast<std::uint8_t>(x / 2)};
          std::memcpy(p, px, sizeof px);
        }
      }
    host::Image expected(300, 260, depth); // cleared
    host::compositeOver(layer, expected, 30, -4);
    host::Image canvas(300, 260, depth);
    canvas.fill({0.3f, 0.2f, 0.1f, 0.9f}); // what a reused buffer may hold
    host::compositeOverClear(layer, canvas, 30, -4);
    EXPECT_TRUE(canvas.samePixels(expected)) << static_cast<int>(depth) << " bits, layer inside a larger frame";

    host::Image whole(256, 256, depth);
    host::compositeOver(layer, whole, 0, 0);
    host::compositeOntoClear(layer);
    EXPECT_TRUE(layer.samePixels(whole)) << static_cast<int>(depth) << " bits, in place";
  }
}

} // namespace
} // namespace vlam
