#include "render/line_filter.h"

#include <cmath>
#include <cstdint>

namespace vlam {

namespace {

// The filter of LineFilter over `Lanes` lines at once: lane l reads
// src[offsets[l] + i * srcStride] and writes dst[offsets[l] + j * dstStride].
// Every lane goes through exactly the operations of a single line, so its
// bits are the same; running the lanes side by side keeps several sums in
// flight and reads memory along the rows when the lines are columns.
template <int Lanes>
void FilterLanes(const float* src, ptrdiff_t srcStride, float* dst, ptrdiff_t dstStride,
                 const ptrdiff_t (&offsets)[Lanes], A_long L, double r) {
  if (L <= 0) return;
  const auto in = [&](int l, int64_t i) { return src[offsets[l] + i * srcStride]; };
  const auto out = [&](int l, int64_t j) -> float& { return dst[offsets[l] + j * dstStride]; };
  if (!(r > 0.0)) {
    for (A_long j = 0; j < L; ++j)
      for (int l = 0; l < Lanes; ++l) out(l, j) = in(l, j);
    return;
  }
  // Radii beyond the line only add more copies of the end samples.
  const double whole = std::floor(r);
  const double frac = r - whole;
  const A_long ri = whole < 1.0e9 ? static_cast<A_long>(whole) : 1000000000;
  const double k = 1.0 / (2.0 * r + 1.0);
  double first[Lanes], last[Lanes], sum[Lanes];
  for (int l = 0; l < Lanes; ++l) {
    first[l] = in(l, 0);
    last[l] = in(l, L - 1);
  }
  auto at = [&](int l, int64_t i) -> double {
    if (i < 0) return first[l];
    if (i >= L) return last[l];
    return in(l, i);
  };

  // The sum before sample 0: ri + 1 copies of the first sample and the
  // samples 0 .. ri - 1 (the end sample standing in past the line).
  const A_long inside = ri < L ? ri : L;
  for (int l = 0; l < Lanes; ++l) {
    sum[l] = (ri + 1.0) * first[l];
    for (A_long i = 0; i < inside; ++i) sum[l] += in(l, i);
    if (ri > L) sum[l] += static_cast<double>(ri - L) * last[l];
  }

  if (frac == 0.0 && static_cast<int64_t>(L) >= 2 * static_cast<int64_t>(ri) + 1) {
    // The whole window fits: the three runs of the running sum.
    A_long j = 0;
    for (; j <= ri; ++j)
      for (int l = 0; l < Lanes; ++l) {
        sum[l] += in(l, j + ri) - first[l];
        out(l, j) = static_cast<float>(sum[l] * k);
      }
    for (; j < L - ri; ++j)
      for (int l = 0; l < Lanes; ++l) {
        sum[l] += in(l, j + ri) - in(l, j - ri - 1);
        out(l, j) = static_cast<float>(sum[l] * k);
      }
    for (; j < L; ++j)
      for (int l = 0; l < Lanes; ++l) {
        sum[l] += last[l] - in(l, j - ri - 1);
        out(l, j) = static_cast<float>(sum[l] * k);
      }
    return;
  }
  for (A_long j = 0; j < L; ++j)
    for (int l = 0; l < Lanes; ++l) {
      sum[l] += at(l, static_cast<int64_t>(j) + ri) - at(l, static_cast<int64_t>(j) - ri - 1);
      double value = sum[l];
      if (frac != 0.0)
        value += frac * (at(l, static_cast<int64_t>(j) - ri - 1) + at(l, static_cast<int64_t>(j) + ri + 1));
      out(l, j) = static_cast<float>(value * k);
    }
}

}  // namespace

void LineFilter(const float* src, ptrdiff_t srcStride, float* dst, ptrdiff_t dstStride, A_long L,
                double r) {
  const ptrdiff_t one[1] = {0};
  FilterLanes<1>(src, srcStride, dst, dstStride, one, L, r);
}

void PixelLineFilter(const float* src, ptrdiff_t srcStride, float* dst, ptrdiff_t dstStride,
                     A_long pixels, A_long L, double r) {
  // Red, green and blue: floats 1 to 3 of each pixel.
  constexpr ptrdiff_t kBlock[12] = {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15};
  constexpr ptrdiff_t kPixel[3] = {1, 2, 3};
  A_long p = 0;
  for (; p + 4 <= pixels; p += 4) FilterLanes<12>(src + 4 * p, srcStride, dst + 4 * p, dstStride, kBlock, L, r);
  for (; p < pixels; ++p) FilterLanes<3>(src + 4 * p, srcStride, dst + 4 * p, dstStride, kPixel, L, r);
}

void GaussianBoxSizes(double sigma, A_long sizes[4]) {
  const double s2 = sigma > 0.0 ? sigma * sigma : 0.0;
  const double w = std::sqrt(12.0 * s2 / 4.0 + 1.0);
  A_long wl = w < 1.0e8 ? static_cast<A_long>(std::floor(w)) : 100000001;
  if (wl % 2 == 0) --wl;
  const A_long wu = wl + 2;
  const double m = std::round((12.0 * s2 - 4.0 * wl * wl - 16.0 * wl - 12.0) / (-4.0 * wl - 4.0));
  for (A_long i = 0; i < 4; ++i) sizes[i] = i < m ? wl : wu;
}

}  // namespace vlam
