#include "render/line_filter.h"

#include <cmath>

namespace vlam {

void LineFilter(const float* src, ptrdiff_t srcStride, float* dst, ptrdiff_t dstStride, A_long L,
                double r) {
  if (L <= 0) return;
  if (!(r > 0.0)) {
    for (A_long j = 0; j < L; ++j) dst[j * dstStride] = src[j * srcStride];
    return;
  }
  // Radii beyond the line only add more copies of the end samples.
  const double whole = std::floor(r);
  const double frac = r - whole;
  const A_long ri = whole < 1.0e9 ? static_cast<A_long>(whole) : 1000000000;
  const double k = 1.0 / (2.0 * r + 1.0);
  const double first = src[0];
  const double last = src[(L - 1) * srcStride];
  auto at = [&](int64_t i) -> double {
    if (i < 0) return first;
    if (i >= L) return last;
    return src[i * srcStride];
  };

  // The sum before sample 0: ri + 1 copies of the first sample and the
  // samples 0 .. ri - 1 (the end sample standing in past the line).
  double sum = (ri + 1.0) * first;
  const A_long inside = ri < L ? ri : L;
  for (A_long i = 0; i < inside; ++i) sum += src[i * srcStride];
  if (ri > L) sum += static_cast<double>(ri - L) * last;

  if (frac == 0.0 && static_cast<int64_t>(L) >= 2 * static_cast<int64_t>(ri) + 1) {
    // The whole window fits: the three runs of the running sum.
    A_long j = 0;
    for (; j <= ri; ++j) {
      sum += src[(j + ri) * srcStride] - first;
      dst[j * dstStride] = static_cast<float>(sum * k);
    }
    for (; j < L - ri; ++j) {
      sum += src[(j + ri) * srcStride] - src[(j - ri - 1) * srcStride];
      dst[j * dstStride] = static_cast<float>(sum * k);
    }
    for (; j < L; ++j) {
      sum += last - src[(j - ri - 1) * srcStride];
      dst[j * dstStride] = static_cast<float>(sum * k);
    }
    return;
  }
  for (A_long j = 0; j < L; ++j) {
    sum += at(static_cast<int64_t>(j) + ri) - at(static_cast<int64_t>(j) - ri - 1);
    double value = sum;
    if (frac != 0.0)
      value += frac * (at(static_cast<int64_t>(j) - ri - 1) + at(static_cast<int64_t>(j) + ri + 1));
    dst[j * dstStride] = static_cast<float>(value * k);
  }
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
