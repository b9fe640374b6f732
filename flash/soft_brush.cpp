#include "flash/brushes.h"

#include "AE_Effect.h"

namespace vlam {

namespace {

// The small sizes are fixed stamps.
void SmallStamp(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c) {
  if (size == 1) {
    AddColour(t, x, y, c);
  } else if (size == 2) {
    AddWeightedColour(t, x, y, c, 0.5f);
    AddWeightedColour(t, x + 1, y, c, 0.5f);
    AddWeightedColour(t, x, y + 1, c, 0.5f);
    AddWeightedColour(t, x + 1, y + 1, c, 0.5f);
  } else if (size == 3) {
    AddColour(t, x, y, c);
    AddColour(t, x, y - 1, c);
    AddColour(t, x, y + 1, c);
    AddColour(t, x - 1, y, c);
    AddColour(t, x + 1, y, c);
    AddWeightedColour(t, x - 1, y - 1, c, 0.5f);
    AddWeightedColour(t, x + 1, y - 1, c, 0.5f);
    AddWeightedColour(t, x - 1, y + 1, c, 0.5f);
    AddWeightedColour(t, x + 1, y + 1, c, 0.5f);
  }
}

struct Falloff {
  float r2;
  float k;
  A_long limit;
  float Weight(A_long q) const {
    const float w = (1.0f - static_cast<float>(q) / r2) * k;
    return w < 1.0f ? w : 1.0f;
  }
};

}  // namespace

A_long SoftBrushFootprint(A_long size) {
  if (size <= 0) return 0;
  if (size < 4) return size == 1 ? 1 : (size == 2 ? 4 : 9);
  if (size > kMaxBrushSize) size = kMaxBrushSize;
  const float radius = static_cast<float>(size) * 0.5f;
  const A_long limit = static_cast<A_long>(radius * radius);
  const A_long half = (size - (size % 2)) / 2;
  const A_long first = size % 2 == 1 ? 1 : 0;
  A_long quadrant = 0;
  for (A_long a = first; a <= half; ++a)
    for (A_long b = first; b <= half && a * a + b * b <= limit; ++b) ++quadrant;
  return size % 2 == 1 ? 1 + 4 * half + 4 * quadrant : 4 * quadrant;
}

// The disc is the set of offsets (a, b), 0 <= a, b <= half, with a² + b² at
// most the limit; offset (a, b) stands for the rows y + a and y - shift - a
// and the columns x + b and x - shift - b, all four pixels taking the weight
// of q = a² + b². An odd brush (shift 0) is centred on pixel (x, y), so its
// offset 0 names one row or column, and its centre takes the colour itself;
// an even brush (shift 1) is centred on the corner above-left of (x, y).
// Every pixel of the disc receives exactly one addition, so the order in
// which they are visited does not change a bit of the result.
void SoftBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c,
               float hardness) {
  if (size <= 0 || x < -kFarAway || x > kFarAway || y < -kFarAway || y > kFarAway) return;
  if (size < 4) {
    SmallStamp(t, x, y, size, c);
    return;
  }
  if (size > kMaxBrushSize) size = kMaxBrushSize;
  const float radius = static_cast<float>(size) * 0.5f;
  Falloff f;
  f.r2 = radius * radius;
  f.limit = static_cast<A_long>(f.r2);
  f.k = 1.0f / ((1.0f - hardness) * 0.1f + hardness);
  const A_long half = (size - (size % 2)) / 2;
  const A_long shift = size % 2 == 1 ? 0 : 1;
  const bool odd = shift == 0;

  const OffsetRange cols = VisibleOffsets(x, shift, half, 0, t.width);
  const OffsetRange rows = VisibleOffsets(y, shift, half, t.rowBegin, t.rowEnd);
  if (odd) AddColour(t, x, y, c);
  const PixelColour colour(c);
  // The last column offset inside the disc shrinks as the rows move out.
  A_long lastB = cols.hi;
  for (A_long a = rows.lo; a <= rows.hi; ++a) {
    const A_long aa = a * a;
    while (lastB >= cols.lo && aa + lastB * lastB > f.limit) --lastB;
    if (lastB < cols.lo) break;
    PF_PixelFloat* below = t.RowInside(y + a) ? t.Pixel(0, y + a) : nullptr;
    PF_PixelFloat* above =
        (odd && a == 0) || !t.RowInside(y - shift - a) ? nullptr : t.Pixel(0, y - shift - a);
    // The centre was drawn above.
    const A_long firstB = odd && a == 0 && cols.lo == 0 ? 1 : cols.lo;
    for (A_long b = firstB; b <= lastB; ++b) {
      const float w = f.Weight(aa + b * b);
      const A_long right = x + b, left = x - shift - b;
      if (static_cast<uint32_t>(right) < static_cast<uint32_t>(t.width)) {
        if (below) colour.AddTo(below[right], w);
        if (above) colour.AddTo(above[right], w);
      }
      if (left != right && static_cast<uint32_t>(left) < static_cast<uint32_t>(t.width)) {
        if (below) colour.AddTo(below[left], w);
        if (above) colour.AddTo(above[left], w);
      }
    }
  }
}

}  // namespace vlam
