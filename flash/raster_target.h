// The pixel add operations of the flash rasteriser over a float image buffer.
// Only red, green and blue change; alpha is never touched.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"

// Every x86-64 processor has SSE2; the pixel adds use it when the compiler
// targets one, and plain float arithmetic otherwise (same results).
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VLAM_PIXEL_SSE2 1
#endif

namespace vlam {

// A float buffer seen by the brushes, with the rows that one drawing may
// change: [rowBegin, rowEnd). A whole-buffer target allows every row; a band
// target lets several threads draw the same splats into disjoint rows.
struct RasterTarget {
  char* base;
  ptrdiff_t rowBytes;
  A_long width;
  A_long height;
  A_long rowBegin;
  A_long rowEnd;

  static RasterTarget Whole(const PF_EffectWorld& world) {
    RasterTarget t;
    t.base = reinterpret_cast<char*>(world.data);
    t.rowBytes = world.rowbytes;
    t.width = world.width;
    t.height = world.height;
    t.rowBegin = 0;
    t.rowEnd = world.height;
    return t;
  }
  RasterTarget Band(A_long first, A_long end) const {
    RasterTarget t = *this;
    t.rowBegin = first < 0 ? 0 : first;
    t.rowEnd = end > height ? height : end;
    return t;
  }

  bool RowInside(A_long y) const { return y >= rowBegin && y < rowEnd; }
  bool Inside(A_long x, A_long y) const {
    return static_cast<uint32_t>(x) < static_cast<uint32_t>(width) && RowInside(y);
  }
  PF_PixelFloat* Pixel(A_long x, A_long y) const {
    return reinterpret_cast<PF_PixelFloat*>(base + rowBytes * y) + x;
  }
};

inline void AddColour(const RasterTarget& t, A_long x, A_long y, const PF_PixelFloat& c) {
  if (!t.Inside(x, y)) return;
  PF_PixelFloat* p = t.Pixel(x, y);
  p->red += c.red;
  p->green += c.green;
  p->blue += c.blue;
}

inline void AddWeightedColour(const RasterTarget& t, A_long x, A_long y, const PF_PixelFloat& c,
                              float w) {
  if (!t.Inside(x, y)) return;
  PF_PixelFloat* p = t.Pixel(x, y);
  p->red += w * c.red;
  p->green += w * c.green;
  p->blue += w * c.blue;
}

// A colour added, weighted, to many pixels: red, green and blue of a pixel
// each become the float sum p + w × c of the float product w × c, exactly
// what `p.red += w * c.red` computes; alpha keeps its bits. With SSE2 the
// whole pixel is one vector and the alpha lane is put back unchanged.
class PixelColour {
 public:
#if VLAM_PIXEL_SSE2
  explicit PixelColour(const PF_PixelFloat& c) : rgb_(_mm_setr_ps(0.0f, c.red, c.green, c.blue)) {}
#else
  explicit PixelColour(const PF_PixelFloat& c) : c_(c) {}
#endif
  void AddTo(PF_PixelFloat& p, float w) const {
#if VLAM_PIXEL_SSE2
    float* f = reinterpret_cast<float*>(&p);
    const __m128 old = _mm_loadu_ps(f);
    const __m128 sum = _mm_add_ps(old, _mm_mul_ps(_mm_set1_ps(w), rgb_));
    _mm_storeu_ps(f, _mm_move_ss(sum, old));
#else
    p.red += w * c_.red;
    p.green += w * c_.green;
    p.blue += w * c_.blue;
#endif
  }

 private:
#if VLAM_PIXEL_SSE2
  __m128 rgb_;
#else
  PF_PixelFloat c_;
#endif
};
static_assert(sizeof(PF_PixelFloat) == 4 * sizeof(float), "a float pixel is four packed floats");

inline void ScaleColour(const PF_PixelFloat& c, double factor, PF_PixelFloat& out) {
  out.alpha = static_cast<float>(c.alpha * factor);
  out.red = static_cast<float>(c.red * factor);
  out.green = static_cast<float>(c.green * factor);
  out.blue = static_cast<float>(c.blue * factor);
}

inline void ScaleInPlace(PF_PixelFloat& c, double factor) { ScaleColour(c, factor, c); }

inline void MixColours(const PF_PixelFloat& a, const PF_PixelFloat& b, PF_PixelFloat& out,
                       double tau) {
  out.alpha = static_cast<float>((1.0 - tau) * a.alpha + tau * b.alpha);
  out.red = static_cast<float>((1.0 - tau) * a.red + tau * b.red);
  out.green = static_cast<float>((1.0 - tau) * a.green + tau * b.green);
  out.blue = static_cast<float>((1.0 - tau) * a.blue + tau * b.blue);
}

// Truncation toward zero of a buffer coordinate. Values that do not fit a
// 32-bit pixel index (including infinities and NaN from points at depth 0)
// map to a coordinate outside every buffer instead of overflowing.
inline A_long TruncToPixel(double v) {
  if (!(std::fabs(v) < 2.0e9)) return INT32_MIN;
  return static_cast<A_long>(v);
}

// Rounding half away from zero, with the same guard.
inline A_long RoundToPixel(double v) {
  if (!(std::fabs(v) < 2.0e9)) return INT32_MIN;
  return static_cast<A_long>(std::round(v));
}

}  // namespace vlam
