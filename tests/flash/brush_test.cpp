#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "flash/brushes.h"
#include "render/render_host_support.h"

namespace vlam {
namespace {

using vlam_render_test::FloatWorld;

const PF_PixelFloat kColour{0.5f, 1.0f, 2.0f, 4.0f};

// Sizes up to 3 are stamps, worked out pixel by pixel (from 4 on: the
// bit-for-bit test below).
TEST(SoftBrush, SmallSizesAreStamps) {
  FloatWorld small(8, 8);
  const RasterTarget t = RasterTarget::Whole(small.World());
  SoftBrush(t, 1, 1, 0, kColour, 1.0f);
  EXPECT_EQ(small.SumRgb(), 0.0);
  SoftBrush(t, 1, 1, 1, kColour, 1.0f);
  EXPECT_EQ(small.At(1, 1).green, 2.0f);
  SoftBrush(t, 4, 4, 2, kColour, 1.0f);
  EXPECT_EQ(small.At(5, 5).green, 1.0f);
  EXPECT_EQ(small.At(3, 4).green, 0.0f);
  SoftBrush(t, 4, 1, 3, kColour, 1.0f);
  EXPECT_EQ(small.At(4, 0).green, 2.0f);
  EXPECT_EQ(small.At(5, 2).green, 1.0f);
  EXPECT_DOUBLE_EQ(small.SumRgb(), 7.0 * (1 + 2 + 5 + 2));
}

// Each pixel of the disc gains exactly w × colour, w = min((1 - q / r²) × k, 1)
// in float arithmetic (the odd centre gains the colour itself), for every
// size, hardness and clipping (centres inside, at and past each edge):
// checked bit for bit against that formula, the row padding untouched.
TEST(SoftBrush, EveryPixelGainsItsWeightBitForBit) {
  const PF_PixelFloat colour{0.5f, 0.3f, 1.7f, 0.011f};
  const float base = 0.0625f;
  for (A_long size = 4; size <= 33; ++size)
    for (float hardness : {0.0f, 0.37f, 1.0f})
      for (const auto& [x, y] : {std::pair{20, 18}, std::pair{1, 2}, std::pair{38, 35}, std::pair{-2, 39},
                                 std::pair{42, -1}}) {
        FloatWorld w(40, 37, 1);
        for (A_long py = 0; py < 37; ++py)
          for (A_long px = 0; px <= 40; ++px) w.At(px, py).red = w.At(px, py).green = w.At(px, py).blue = base;
        SoftBrush(RasterTarget::Whole(w.World()), x, y, size, colour, hardness);
        const float r2 = (size * 0.5f) * (size * 0.5f);
        const A_long limit = static_cast<A_long>(r2), half = size / 2, shift = 1 - size % 2;
        const float k = 1.0f / ((1.0f - hardness) * 0.1f + hardness);
        for (A_long py = 0; py < 37; ++py)
          for (A_long px = 0; px <= 40; ++px) {  // 40: the padding
            const A_long a = py >= y ? py - y : y - shift - py;
            const A_long b = px >= x ? px - x : x - shift - px;
            float weight = 0.0f;
            bool inside = px < 40 && a <= half && b <= half && a * a + b * b <= limit;
            if (inside) weight = std::min((1.0f - static_cast<float>(a * a + b * b) / r2) * k, 1.0f);
            const bool centre = shift == 0 && a == 0 && b == 0;
            const PF_PixelFloat& p = w.At(px, py);
            ASSERT_EQ(p.red, !inside ? base : centre ? base + colour.red : base + weight * colour.red)
                << size << " " << hardness << " " << px << "," << py;
            ASSERT_EQ(p.blue, !inside ? base : centre ? base + colour.blue : base + weight * colour.blue);
          }
        ASSERT_TRUE(w.AlphaUntouched());
      }
}

// Full colour over an odd n x n square around the pixel and over the even
// one's four quadrants of half + 1 pixels around the corner above-left of
// it; size 2 gives half the colour to the pixel and those right and below.
TEST(SquareBrush, FullColourOverTheSquare) {
  for (A_long size = 1; size <= 12; ++size)
    for (const auto& [cx, cy] : {std::pair{10, 10}, std::pair{1, 2}, std::pair{22, 21}, std::pair{-2, 25}}) {
      FloatWorld w(24, 23, 2);
      SquareBrush(RasterTarget::Whole(w.World()), cx, cy, size, kColour);
      const A_long half = size / 2, lo = size == 2 ? 0 : size % 2 ? -half : -half - 1, hi = size == 2 ? 1 : half;
      for (A_long y = 0; y < 23; ++y)
        for (A_long x = 0; x < 26; ++x) {  // 24 and 25: the padding
          const bool inside = x < 24 && x - cx >= lo && x - cx <= hi && y - cy >= lo && y - cy <= hi;
          ASSERT_EQ(w.At(x, y).red, inside ? (size == 2 ? 0.5f : 1.0f) : 0.0f) << size << ": " << x << "," << y;
          ASSERT_EQ(w.At(x, y).blue, inside ? (size == 2 ? 2.0f : 4.0f) : 0.0f) << size << ": " << x << "," << y;
        }
      ASSERT_TRUE(w.AlphaUntouched());
    }
}

TEST(PixelOps, AddsTouchRgbOnlyAndRespectBounds) {
  FloatWorld w(3, 3, 1, 0.25f);
  const RasterTarget t = RasterTarget::Whole(w.World());
  AddColour(t, 1, 1, kColour);
  AddWeightedColour(t, 1, 1, kColour, 0.5f);
  AddColour(t, -1, 0, kColour);
  AddColour(t, 3, 0, kColour);
  AddColour(t, 0, 3, kColour);
  AddWeightedColour(t, 0, -1, kColour, 1.0f);
  EXPECT_EQ(w.At(1, 1).red, 1.5f);
  EXPECT_EQ(w.At(1, 1).blue, 6.0f);
  EXPECT_DOUBLE_EQ(w.SumRgb(), 10.5);
  EXPECT_TRUE(w.AlphaUntouched());
}

// Pixels a brush touched: it adds NaN to each of them once.
int TouchedPixels(FloatWorld& w) {
  int n = 0;
  for (A_long y = 0; y < w.World().height; ++y)
    for (A_long x = 0; x < w.World().width; ++x) n += std::isnan(w.At(x, y).red) ? 1 : 0;
  return n;
}

TEST(Brushes, FootprintsCountThePixelsDrawnAndHugeBrushesAndFarCentresAreSafe) {
  const PF_PixelFloat nan{0.0f, NAN, NAN, NAN};
  for (A_long size = 0; size <= 41; ++size) {
    FloatWorld soft(60, 60), square(60, 60);
    SoftBrush(RasterTarget::Whole(soft.World()), 30, 30, size, nan, 0.5f);
    SquareBrush(RasterTarget::Whole(square.World()), 30, 30, size, nan);
    EXPECT_EQ(TouchedPixels(soft), SoftBrushFootprint(size)) << size;
    EXPECT_EQ(TouchedPixels(square), SquareBrushFootprint(size)) << size;
  }

  FloatWorld w(16, 8);
  const RasterTarget t = RasterTarget::Whole(w.World());
  // Far larger than the buffer: drawn at the largest size, clipped.
  SoftBrush(t, 5, 5, 2000000000, kColour, 1.0f);
  SquareBrush(t, 5, 5, 2000000000, kColour);
  EXPECT_GT(w.SumRgb(), 0.0);
  const double before = w.SumRgb();
  // Centres at the ends of the coordinate range draw nothing and do not
  // overflow.
  SoftBrush(t, INT32_MIN, 3, 9, kColour, 1.0f);
  SoftBrush(t, 3, INT32_MAX, 9, kColour, 1.0f);
  SquareBrush(t, INT32_MAX, INT32_MIN, 9, kColour);
  SoftBrush(t, -10000, 3, kMaxBrushSize, kColour, 1.0f);  // reaches in from the left
  EXPECT_GT(w.SumRgb(), before);
  EXPECT_TRUE(w.AlphaUntouched());
}

}  // namespace
}  // namespace vlam
