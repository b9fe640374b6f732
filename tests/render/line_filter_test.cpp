#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "render/line_filter.h"

namespace vlam {
namespace {

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

TEST(LineFilter, MatchesThePlainBoxAverageForAllRadii) {
  for (int L : {1, 2, 5, 9, 40}) {
    const std::vector<float> s = Line(L, L);
    for (double r : {0.5, 1.0, 2.0, 3.25, 4.0, 8.0, 39.0, 45.0, 100.5}) {
      std::vector<float> d(L, -99.0f);
      LineFilter(s.data(), 1, d.data(), 1, L, r);
      const std::vector<double> ref = Reference(s, r);
      for (int j = 0; j < L; ++j) EXPECT_NEAR(d[j], ref[j], 1e-5) << "L " << L << " r " << r << " j " << j;
    }
  }
}

TEST(LineFilter, RadiusZeroCopiesAndStridesAreHonoured) {
  const std::vector<float> s = Line(12, 7);
  std::vector<float> d(24, 5.0f);
  LineFilter(s.data(), 3, d.data(), 2, 4, 0.0);
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(d[2 * j], s[3 * j]);
    EXPECT_EQ(d[2 * j + 1], 5.0f);  // between the strided samples: untouched
  }
}

TEST(LineFilter, ConstantLinesStayExactlyConstant) {
  for (float c : {0.3f, 1.0f, 7.77f, 1e-6f}) {
    for (double r : {1.0, 2.0, 2.5, 17.0, 60.0}) {
      std::vector<float> s(30, c), d(30, 0.0f);
      LineFilter(s.data(), 1, d.data(), 1, 30, r);
      for (float v : d) ASSERT_EQ(v, c) << r;
    }
  }
}

// Red, green and blue of neighbouring pixels filtered side by side give the
// bits of each line filtered alone, along rows and down columns.
TEST(LineFilter, PixelLinesMatchSingleLinesBitForBit) {
  constexpr int kRows = 23, kStride = 4 * 11;  // floats per row: 9 pixels and padding
  const std::vector<float> src = Line(kRows * kStride, 5);
  for (double r : {0.0, 1.0, 2.5, 7.0, 30.0}) {
    for (A_long pixels : {1, 3, 4, 9}) {
      std::vector<float> many(src.size(), -1.0f), single(src.size(), -1.0f);
      // Down the columns: one line per channel of each pixel, L = kRows.
      PixelLineFilter(src.data(), kStride, many.data(), kStride, pixels, kRows, r);
      for (A_long p = 0; p < pixels; ++p)
        for (int ch = 1; ch <= 3; ++ch)
          LineFilter(src.data() + 4 * p + ch, kStride, single.data() + 4 * p + ch, kStride, kRows, r);
      ASSERT_EQ(many, single) << r << " " << pixels;
    }
    std::vector<float> many(src.size(), -1.0f), single(src.size(), -1.0f);
    // Along a row: one pixel group whose samples are the row's pixels.
    PixelLineFilter(src.data(), 4, many.data(), 4, 1, 9, r);
    for (int ch = 1; ch <= 3; ++ch) LineFilter(src.data() + ch, 4, single.data() + ch, 4, 9, r);
    ASSERT_EQ(many, single) << r;
  }
}

TEST(LineFilter, GaussianBoxSizes) {
  A_long sizes[4];
  GaussianBoxSizes(3.0, sizes);
  // w = sqrt(27 + 1) = 5.29 -> wl = 5, wu = 7, m = (108 - 100 - 80 - 12) / -24 = 3.5 -> 4.
  EXPECT_EQ(sizes[0], 5);
  EXPECT_EQ(sizes[3], 5);
  GaussianBoxSizes(2.0, sizes);
  // w = sqrt(13) = 3.6 -> wl = 3, wu = 5, m = (48 - 36 - 48 - 12) / -16 = 3.
  EXPECT_EQ(sizes[0], 3);
  EXPECT_EQ(sizes[2], 3);
  EXPECT_EQ(sizes[3], 5);
  GaussianBoxSizes(0.0, sizes);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sizes[i], 1);
}

}  // namespace
}  // namespace vlam
