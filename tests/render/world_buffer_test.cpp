// The line filter, and the world buffer over the host's buffers with its box
// and Gaussian blurs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "render/line_filter.h"
#include "render/render_host_support.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

using vlam_render_test::FloatPixels;
using vlam_render_test::PixelPtr;
using vlam_render_test::RenderTestHost;
using vlam_render_test::TotalLight;

// The box average written out plainly: every tap of the window, indices
// clamped into the line, the two outermost taps weighed by the fraction.
std::vector<double> Reference(const std::vector<float>& s, double r) {
  const int L = static_cast<int>(s.size());
  const int ri = static_cast<int>(std::floor(r));
  const double frac = r - ri;
  std::vector<double> out(s.size());
  auto at = [&](int i) { return static_cast<double>(s[std::clamp(i, 0, L - 1)]); };
  for (int j = 0; j < L; ++j) {
    double sum = 0;
    for (int o = -ri; o <= ri; ++o) sum += at(j + o);
    sum += frac * (at(j - ri - 1) + at(j + ri + 1));
    out[j] = sum / (2 * r + 1);
  }
  return out;
}

std::vector<float> Line(int n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> d(-1.0f, 3.0f);
  std::vector<float> s(n);
  for (float& v : s) v = d(rng);
  return s;
}

TEST(LineFilter, MatchesThePlainBoxAverageAndHonoursStrides) {
  for (int L : {1, 2, 5, 9, 40}) {
    const std::vector<float> s = Line(L, L);
    for (double r : {0.5, 1.0, 2.0, 3.25, 4.0, 8.0, 39.0, 45.0, 100.5}) {
      std::vector<float> d(L, -99.0f);
      LineFilter(s.data(), 1, d.data(), 1, L, r);
      const std::vector<double> ref = Reference(s, r);
      for (int j = 0; j < L; ++j) EXPECT_NEAR(d[j], ref[j], 1e-5) << "L " << L << " r " << r << " j " << j;
    }
  }

  // Radius zero copies and strides are honoured: between the strided samples
  // nothing is touched.
  const std::vector<float> s = Line(12, 7);
  std::vector<float> d(24, 5.0f);
  LineFilter(s.data(), 3, d.data(), 2, 4, 0.0);
  for (int j = 0; j < 4; ++j)
    EXPECT_EQ(std::tuple(d[2 * j], d[2 * j + 1]), std::tuple(s[3 * j], 5.0f)) << j;
}

template <class Pixel>
Pixel& At(WorldBuffer& b, A_long x, A_long y) { return *PixelPtr<Pixel>(b.World(), x, y); }
PF_PixelFloat& Px(WorldBuffer& b, A_long x, A_long y) { return At<PF_PixelFloat>(b, x, y); }

// Makes `b` a float buffer of this size filled with noise; its pixels row by
// row.
std::vector<PF_PixelFloat> MakeNoise(RenderTestHost& host, WorldBuffer& b, A_long width,
                                     A_long height, uint32_t seed) {
  b.Create(&host.in_data, width, height, PF_PixelFormat_ARGB128, "B");
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> d(0.0f, 2.0f);
  std::vector<PF_PixelFloat> pixels;
  for (A_long y = 0; y < height; ++y)
    for (A_long x = 0; x < width; ++x)
      pixels.push_back(Px(b, x, y) = PF_PixelFloat{d(rng), d(rng), d(rng), d(rng)});
  return pixels;
}

class Blur : public ::testing::Test {
 protected:
  RenderTestHost host;
  WorldBuffer b;
};

TEST_F(Blur, BoxIsTheRoundedRadiusBoxAlongBothAxes) {
  host.host_threads = 4;
  // Ten rows on four threads: bands of 2, 2, 2 and 4 rows.
  const std::vector<PF_PixelFloat> before = MakeNoise(host, b, 7, 10, 21);
  ASSERT_EQ(b.Blur(nullptr, 1.5, 0.6, BlurKind::kBox), PF_Err_NONE);  // radii 2 and 1
  // Expected: each channel's rows filtered with radius 2, then its columns
  // with radius 1; alpha as it was.
  for (int c = 1; c <= 3; ++c) {
    std::vector<float> in, mid(70), out(70);
    for (const PF_PixelFloat &p : before) in.push_back((&p.alpha)[c]);
    for (A_long y = 0; y < 10; ++y) LineFilter(&in[y * 7], 1, &mid[y * 7], 1, 7, 2.0);
    for (A_long x = 0; x < 7; ++x) LineFilter(&mid[x], 7, &out[x], 7, 10, 1.0);
    for (A_long y = 0; y < 10; ++y)
      for (A_long x = 0; x < 7; ++x)
        EXPECT_EQ(std::tuple((&Px(b, x, y).alpha)[c], Px(b, x, y).alpha),
                  std::tuple(out[y * 7 + x], before[y * 7 + x].alpha))
            << x << "," << y << " channel " << c;
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
std::pair<double, double> Spread(WorldBuffer& b, A_long cx, A_long cy) {
  double total = 0, sx = 0, sy = 0;
  for (A_long y = 0; y < b.World().height; ++y)
    for (A_long x = 0; x < b.World().width; ++x) {
      const double v = Px(b, x, y).green;
      total += v;
      sx += v * (x - cx) * (x - cx);
      sy += v * (y - cy) * (y - cy);
    }
  return {sx / total, sy / total};
}

TEST_F(Blur, GaussianBoxSizesAndVerticalRadiiScaledByTheDeviationRatioOrAlone) {
  const std::pair<double, std::vector<A_long>> cases[] = {
      // w = sqrt(27 + 1) = 5.29 -> wl = 5, wu = 7, m = (108 - 100 - 80 - 12) / -24 = 3.5 -> 4.
      {3.0, {5, 5, 5, 5}},
      // w = sqrt(13) = 3.6 -> wl = 3, wu = 5, m = (48 - 36 - 48 - 12) / -16 = 3.
      {2.0, {3, 3, 3, 5}},
      {0.0, {1, 1, 1, 1}},
  };
  for (const auto &[deviation, expected] : cases) {
    std::vector<A_long> sizes(4);
    GaussianBoxSizes(deviation, sizes.data());
    EXPECT_EQ(sizes, expected) << deviation;
  }

  b.Create(&host.in_data, 61, 81, PF_PixelFormat_ARGB128, "B");
  Px(b, 30, 40).green = 1000.0f;
  const double radiusX = 6.0, radiusY = 10.0;  // deviations 3 and 5
  ASSERT_EQ(b.Blur(nullptr, radiusX, radiusY, BlurKind::kGaussian), PF_Err_NONE);
  const auto [vx, vy] = Spread(b, 30, 40);
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
  EXPECT_NEAR(TotalLight(FloatPixels(b.World())), 1000.0, 1e-2);  // the light is kept

  // Without a horizontal deviation the vertical one still applies.
  WorldBuffer column;
  column.Create(&host.in_data, 9, 41, PF_PixelFormat_ARGB128, "C");
  Px(column, 4, 20).blue = 100.0f;
  ASSERT_EQ(column.Blur(nullptr, 0.0, 8.0, BlurKind::kGaussian), PF_Err_NONE);
  for (A_long y = 0; y < 41; ++y)
    for (A_long x = 0; x < 9; ++x) {
      const float v = Px(column, x, y).blue;
      ASSERT_TRUE(std::isfinite(v) && (x == 4 || v == 0.0f)) << x << "," << y;
    }
  EXPECT_TRUE(Px(column, 4, 24).blue > 0.0f && Px(column, 4, 20).blue < 100.0f);
}

// A region limits the blur and alpha is never changed; radius zero changes
// nothing; host errors stop the blur.
TEST_F(Blur, RegionRadiusZeroAndHostErrors) {
  const std::vector<PF_PixelFloat> before = MakeNoise(host, b, 16, 12, 11);
  const PF_Rect region{3, 2, 11, 9};
  ASSERT_EQ(b.Blur(&region, 2, 3, BlurKind::kGaussian), PF_Err_NONE);
  int changedInside = 0;
  for (A_long y = 0; y < 12; ++y)
    for (A_long x = 0; x < 16; ++x) {
      const PF_PixelFloat &p = Px(b, x, y), &q = before[y * 16 + x];
      const bool inside = x >= 3 && x < 11 && y >= 2 && y < 9;
      EXPECT_TRUE(p.alpha == q.alpha && (inside || p.red == q.red)) << x << "," << y;
      changedInside += inside && p.red != q.red;
    }
  EXPECT_GT(changedInside, 0);

  // A box of radius zero changes nothing, and its temporary is given back.
  const std::vector<float> start = FloatPixels(b.World());
  EXPECT_EQ(b.Blur(nullptr, 0.4, 0.0, BlurKind::kBox), PF_Err_NONE);
  EXPECT_EQ(std::tuple(FloatPixels(b.World()), host.liveWorlds), std::tuple(start, 1));
  host.Fail("IterateGeneric", A_Err_GENERIC, 1, true);
  EXPECT_EQ(b.Blur(nullptr, 2, 2, BlurKind::kBox), A_Err_GENERIC);
  EXPECT_EQ(std::tuple(b.Status(), host.liveWorlds), std::tuple(A_Err_GENERIC, 1));
  host.Heal();
  host.Fail("new_world", PF_Err_OUT_OF_MEMORY, 1, true);
  const std::vector<float> held = FloatPixels(b.World());
  EXPECT_EQ(b.Blur(nullptr, 2, 2, BlurKind::kBox), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(FloatPixels(b.World()), held);  // untouched when its blur could not start
}

TEST(WorldBuffer, CreateReleaseEndOfLifeFillAndCopy) {
  RenderTestHost host;
  {
    WorldBuffer b;
    EXPECT_EQ(b.Create(&host.in_data, 8, 4, PF_PixelFormat_ARGB128, "FLASH_WORLD"), PF_Err_NONE);
    EXPECT_EQ(std::tuple(b.World().width, b.Released(), At<PF_PixelFloat>(b, 7, 3).alpha),
              std::tuple(8, false, 0.0f));  // cleared
    EXPECT_EQ(b.Release(), PF_Err_NONE);
    EXPECT_EQ(std::tuple(b.Released(), host.liveWorlds), std::tuple(true, 0));
    EXPECT_EQ(b.Release(), PF_Err_NONE);  // twice is harmless
    WorldBuffer c, d;
    c.Create(&host.in_data, 2, 2, PF_PixelFormat_ARGB128, nullptr);
    d.Create(&host.in_data, 1, 1, PF_PixelFormat_ARGB128, std::string(60, 'N').c_str());
    EXPECT_EQ(std::tuple(std::string(c.Name()), std::strlen(d.Name())),
              std::tuple("UNNAMED", 34u));  // names are cut
    EXPECT_EQ(host.liveWorlds, 2);
  }
  // The buffers left unreleased was given back at the end of its scope.
  EXPECT_EQ(host.liveWorlds, 0);

  // A fill converts the colour to the buffer's depth; a raw copy needs the
  // same layout; a copy goes through the host.
  WorldBuffer b8, b16, bf;
  b8.Create(&host.in_data, 3, 3, PF_PixelFormat_ARGB32, "B8");
  b16.Create(&host.in_data, 3, 3, PF_PixelFormat_ARGB64, "B16");
  bf.Create(&host.in_data, 3, 3, PF_PixelFormat_ARGB128, "BF");
  EXPECT_EQ(b8.Fill(PF_PixelFloat{1, 0, 0, 0}, nullptr), PF_Err_NONE);
  const PF_Pixel8 p8 = At<PF_Pixel8>(b8, 2, 2);
  EXPECT_EQ(std::vector<int>({p8.alpha, p8.red, p8.green, p8.blue}), std::vector({255, 0, 0, 0}));

  const PF_Rect r{1, 1, 2, 3};
  EXPECT_EQ(b16.Fill(PF_PixelFloat{0.5f, 2.0f, -1.0f, 0.25f}, &r), PF_Err_NONE);
  const PF_Pixel16 p16 = At<PF_Pixel16>(b16, 1, 2);
  // Red clipped at full, negative green not wrapped.
  EXPECT_EQ(std::vector<int>({p16.alpha, p16.red, p16.green, p16.blue}),
            std::vector<int>({16384, 32768, 0, 8192}));
  EXPECT_EQ(At<PF_Pixel16>(b16, 0, 0).alpha, 0);  // outside the rectangle

  EXPECT_EQ(bf.Clear(), PF_Err_NONE);
  EXPECT_EQ(std::tuple(At<PF_PixelFloat>(bf, 1, 1).alpha, bf.Status()),
            std::tuple(1.0f, PF_Err_NONE));

  WorldBuffer odd;
  odd.Create(&host.in_data, 2, 2, PF_PixelFormat_BGRA32, "ODD");
  EXPECT_EQ(odd.Fill(PF_PixelFloat{1, 1, 1, 1}, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(odd.Status(), PF_Err_BAD_CALLBACK_PARAM);

  // A raw copy needs the same layout; a copy goes through the host.
  WorldBuffer a, b, c, small;
  for (auto [w, x] : {std::pair{&a, 4}, {&b, 4}, {&c, 5}})
    w->Create(&host.in_data, x, 3, PF_PixelFormat_ARGB128, "A");
  At<PF_PixelFloat>(a, 3, 2).green = 0.75f;
  EXPECT_EQ(b.RawCopyFrom(a), PF_Err_NONE);
  EXPECT_EQ(At<PF_PixelFloat>(b, 3, 2).green, 0.75f);
  At<PF_PixelFloat>(c, 0, 0).red = 9.0f;
  EXPECT_EQ(c.RawCopyFrom(a), PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(At<PF_PixelFloat>(c, 0, 0).red, 9.0f);
  a.World().height = b.World().height = 0;  // empty buffers of one layout: nothing to copy
  EXPECT_EQ(b.RawCopyFrom(a), PF_Err_INTERNAL_STRUCT_DAMAGED);
  a.World().height = b.World().height = 3;
  small.Create(&host.in_data, 2, 2, PF_PixelFormat_ARGB128, "B");
  At<PF_PixelFloat>(a, 1, 1).blue = 3.0f;
  EXPECT_EQ(small.CopyFrom(&a.World(), nullptr, nullptr), PF_Err_NONE);
  EXPECT_EQ(At<PF_PixelFloat>(small, 1, 1).blue, 3.0f);
}

// A failed create keeps its error and releases nothing; a missing world suite
// throws the host code.
TEST(WorldBuffer, AFailedCreateKeepsItsErrorAndAMissingSuiteThrows) {
  RenderTestHost host;
  host.Fail("new_world", PF_Err_OUT_OF_MEMORY, 1, true);
  WorldBuffer b;
  EXPECT_EQ(b.Create(&host.in_data, 4, 4, PF_PixelFormat_ARGB128, "X"), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(b.Status(), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(b.Fill(PF_PixelFloat{1, 0, 0, 0}, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(b.Release(), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.liveWorlds, 0);

  host.registry.Withdraw(kPFWorldSuite, kPFWorldSuiteVersion2);
  WorldBuffer missing;
  try {
    missing.Create(&host.in_data, 4, 4, PF_PixelFormat_ARGB128, "X");
    FAIL() << "no throw";
  } catch (A_long code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
}

}  // namespace
}  // namespace vlam
