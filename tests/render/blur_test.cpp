#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "render/render_host_support.h"
#include "render/line_filter.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

using vlam_render_test::RenderTestHost;

PF_PixelFloat& Px(WorldBuffer& b, A_long x, A_long y) {
  PF_EffectWorld& w = b.World();
  return reinterpret_cast<PF_PixelFloat*>(reinterpret_cast<char*>(w.data) + y * w.rowbytes)[x];
}

void FillNoise(WorldBuffer& b, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> d(0.0f, 2.0f);
  for (A_long y = 0; y < b.World().height; ++y)
    for (A_long x = 0; x < b.World().width; ++x) Px(b, x, y) = PF_PixelFloat{d(rng), d(rng), d(rng), d(rng)};
}

// The pixels as bytes, row by row.
std::vector<unsigned char> Snapshot(WorldBuffer& b) {
  std::vector<unsigned char> out;
  for (A_long y = 0; y < b.World().height; ++y)
    for (A_long x = 0; x < b.World().width; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(&Px(b, x, y));
      out.insert(out.end(), p, p + sizeof(PF_PixelFloat));
    }
  return out;
}

TEST(Blur, RegionLimitsTheBlurAndAlphaIsNeverChanged) {
  RenderTestHost host;
  WorldBuffer b;
  b.Create(&host.in_data, 16, 12, PF_PixelFormat_ARGB128, "B");
  FillNoise(b, 11);
  std::vector<PF_PixelFloat> before;
  for (A_long y = 0; y < 12; ++y)
    for (A_long x = 0; x < 16; ++x) before.push_back(Px(b, x, y));
  const PF_Rect region{3, 2, 11, 9};
  ASSERT_EQ(b.Blur(&region, 2, 3, BlurKind::kGaussian), PF_Err_NONE);
  bool changedInside = false;
  for (A_long y = 0; y < 12; ++y)
    for (A_long x = 0; x < 16; ++x) {
      const PF_PixelFloat& p = Px(b, x, y);
      const PF_PixelFloat& q = before[y * 16 + x];
      EXPECT_EQ(p.alpha, q.alpha);
      const bool inside = x >= 3 && x < 11 && y >= 2 && y < 9;
      if (!inside) {
        EXPECT_EQ(p.red, q.red) << x << "," << y;
      }
      changedInside |= inside && p.red != q.red;
    }
  EXPECT_TRUE(changedInside);
}

TEST(Blur, BoxIsTheRoundedRadiusBoxAlongBothAxes) {
  RenderTestHost host;
  host.threads = 4;
  WorldBuffer b;
  // Ten rows on four threads: bands of 2, 2, 2 and 4 rows.
  b.Create(&host.in_data, 7, 10, PF_PixelFormat_ARGB128, "B");
  FillNoise(b, 21);
  std::vector<PF_PixelFloat> before;
  for (A_long y = 0; y < 10; ++y)
    for (A_long x = 0; x < 7; ++x) before.push_back(Px(b, x, y));
  ASSERT_EQ(b.Blur(nullptr, 1.5, 0.6, BlurKind::kBox), PF_Err_NONE);  // radii 2 and 1
  // Expected: each row filtered with radius 2, then each column with radius 1;
  // alpha as it was.
  std::vector<float> rowIn(7), rowOut(7), mid(70), colIn(10), colOut(10);
  for (A_long y = 0; y < 10; ++y) {
    for (A_long x = 0; x < 7; ++x) rowIn[x] = before[y * 7 + x].red;
    LineFilter(rowIn.data(), 1, rowOut.data(), 1, 7, 2.0);
    for (A_long x = 0; x < 7; ++x) mid[y * 7 + x] = rowOut[x];
  }
  for (A_long x = 0; x < 7; ++x) {
    for (A_long y = 0; y < 10; ++y) colIn[y] = mid[y * 7 + x];
    LineFilter(colIn.data(), 1, colOut.data(), 1, 10, 1.0);
    for (A_long y = 0; y < 10; ++y) {
      EXPECT_EQ(Px(b, x, y).red, colOut[y]) << x << "," << y;
      EXPECT_EQ(Px(b, x, y).alpha, before[y * 7 + x].alpha) << x << "," << y;
    }
  }
}

// Variance of a box of radius r (with a fractional outer pair of taps).
double BoxVariance(double r) {
  const int ri = static_cast<int>(std::floor(r));
  const double f = r - ri;
  double sum = 0;
  for (int o = 1; o <= ri; ++o) sum += 2.0 * o * o;
  sum += 2.0 * f * (ri + 1) * (ri + 1);
  return sum / (2 * r + 1);
}

// Spreads of a point of light along x and along y after the blur.
void Spread(WorldBuffer& b, A_long cx, A_long cy, double& vx, double& vy) {
  double total = 0, sx = 0, sy = 0;
  for (A_long y = 0; y < b.World().height; ++y)
    for (A_long x = 0; x < b.World().width; ++x) {
      const double v = Px(b, x, y).green;
      total += v;
      sx += v * (x - cx) * (x - cx);
      sy += v * (y - cy) * (y - cy);
    }
  vx = sx / total;
  vy = sy / total;
}

TEST(Blur, GaussianScalesTheVerticalRadiiByTheDeviationRatio) {
  RenderTestHost host;
  WorldBuffer b;
  b.Create(&host.in_data, 61, 81, PF_PixelFormat_ARGB128, "B");
  Px(b, 30, 40).green = 1000.0f;
  const double radiusX = 6.0, radiusY = 10.0;  // deviations 3 and 5
  ASSERT_EQ(b.Blur(nullptr, radiusX, radiusY, BlurKind::kGaussian), PF_Err_NONE);
  double vx, vy;
  Spread(b, 30, 40, vx, vy);
  // Four horizontal boxes; three vertical ones (the fourth pass starts from
  // the third pass's horizontal step), each of the horizontal radius x 5/3.
  A_long sizes[4];
  GaussianBoxSizes(3.0, sizes);
  double ex = 0, ey = 0;
  for (int i = 0; i < 4; ++i) {
    const double rx = (sizes[i] - 1) * 0.5;
    ex += BoxVariance(rx);
    if (i < 3) ey += BoxVariance(rx * 5.0 / 3.0);
  }
  EXPECT_NEAR(vx, ex, 1e-3);
  EXPECT_NEAR(vy, ey, 1e-3);
  // The sum of light is kept.
  double total = 0;
  for (A_long y = 0; y < 81; ++y)
    for (A_long x = 0; x < 61; ++x) total += Px(b, x, y).green;
  EXPECT_NEAR(total, 1000.0, 1e-2);
}

TEST(Blur, WithoutAHorizontalDeviationTheVerticalOneStillApplies) {
  RenderTestHost host;
  WorldBuffer b;
  b.Create(&host.in_data, 9, 41, PF_PixelFormat_ARGB128, "B");
  Px(b, 4, 20).blue = 100.0f;
  ASSERT_EQ(b.Blur(nullptr, 0.0, 8.0, BlurKind::kGaussian), PF_Err_NONE);
  for (A_long y = 0; y < 41; ++y)
    for (A_long x = 0; x < 9; ++x) {
      const float v = Px(b, x, y).blue;
      ASSERT_TRUE(std::isfinite(v));
      if (x != 4) {
        EXPECT_EQ(v, 0.0f);
      }
    }
  EXPECT_GT(Px(b, 4, 24).blue, 0.0f);
  EXPECT_LT(Px(b, 4, 20).blue, 100.0f);
}

// Radius zero changes nothing; host errors stop the blur.
TEST(Blur, RadiusZeroAndHostErrors) {
  RenderTestHost host;
  WorldBuffer b;
  b.Create(&host.in_data, 6, 6, PF_PixelFormat_ARGB128, "B");
  FillNoise(b, 1);
  // A box of radius zero changes nothing, and its temporary is given back.
  const std::vector<unsigned char> start = Snapshot(b);
  EXPECT_EQ(b.Blur(nullptr, 0.4, 0.0, BlurKind::kBox), PF_Err_NONE);
  EXPECT_EQ(Snapshot(b), start);
  EXPECT_EQ(host.liveWorlds, 1);
  host.iterateError = A_Err_GENERIC;
  EXPECT_EQ(b.Blur(nullptr, 2, 2, BlurKind::kBox), A_Err_GENERIC);
  EXPECT_EQ(b.Status(), A_Err_GENERIC);
  EXPECT_EQ(host.liveWorlds, 1);
  host.iterateError = A_Err_NONE;
  host.newWorldError = PF_Err_OUT_OF_MEMORY;
  const std::vector<unsigned char> before = Snapshot(b);
  EXPECT_EQ(b.Blur(nullptr, 2, 2, BlurKind::kBox), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Snapshot(b), before);  // untouched when its blur could not start
}

}  // namespace
}  // namespace vlam
