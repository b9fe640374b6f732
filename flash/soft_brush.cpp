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

// One row of the disc: the pixels at column offsets b of the quadrant pair
// (x + b and x - shift - b), from the first visible offset to the edge of the
// disc.
inline void DiscRow(const RasterTarget& t, A_long x, A_long shift, A_long row, A_long a,
                    A_long firstB, const OffsetRange& cols, const Falloff& f,
                    const PF_PixelFloat& c) {
  const A_long aa = a * a;
  for (A_long b = cols.lo > firstB ? cols.lo : firstB; b <= cols.hi; ++b) {
    const A_long q = aa + b * b;
    if (q > f.limit) break;
    const float w = f.Weight(q);
    AddWeightedColour(t, x - shift - b, row, c, w);
    AddWeightedColour(t, x + b, row, c, w);
  }
}

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

  if (size % 2 == 1) {
    // Centre, then the four arms, then the quadrants without the arms.
    AddColour(t, x, y, c);
    const OffsetRange armCols = VisibleOffsets(x, 0, half, 0, t.width);
    const OffsetRange armRows = VisibleOffsets(y, 0, half, t.rowBegin, t.rowEnd);
    if (t.RowInside(y)) {
      for (A_long d = armCols.lo > 1 ? armCols.lo : 1; d <= armCols.hi; ++d) {
        const float w = f.Weight(d * d);
        AddWeightedColour(t, x - d, y, c, w);
        AddWeightedColour(t, x + d, y, c, w);
      }
    }
    if (static_cast<uint32_t>(x) < static_cast<uint32_t>(t.width)) {
      for (A_long d = armRows.lo > 1 ? armRows.lo : 1; d <= armRows.hi; ++d) {
        const float w = f.Weight(d * d);
        AddWeightedColour(t, x, y - d, c, w);
        AddWeightedColour(t, x, y + d, c, w);
      }
    }
    const OffsetRange cols = VisibleOffsets(x, 0, half, 0, t.width);
    const OffsetRange rows = VisibleOffsets(y, 0, half, t.rowBegin, t.rowEnd);
    for (A_long a = rows.lo > 1 ? rows.lo : 1; a <= rows.hi; ++a) {
      if (t.RowInside(y - a)) DiscRow(t, x, 0, y - a, a, 1, cols, f, c);
      if (t.RowInside(y + a)) DiscRow(t, x, 0, y + a, a, 1, cols, f, c);
    }
  } else {
    // Four quadrants around the corner above-left of (x, y).
    const OffsetRange cols = VisibleOffsets(x, 1, half, 0, t.width);
    const OffsetRange rows = VisibleOffsets(y, 1, half, t.rowBegin, t.rowEnd);
    for (A_long a = rows.lo; a <= rows.hi; ++a) {
      if (t.RowInside(y - 1 - a)) DiscRow(t, x, 1, y - 1 - a, a, 0, cols, f, c);
      if (t.RowInside(y + a)) DiscRow(t, x, 1, y + a, a, 0, cols, f, c);
    }
  }
}

}  // namespace vlam
