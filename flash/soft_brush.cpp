#include "flash/brushes.h"

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

// Adds one weight to a run of columns of one row, skipping what lies outside.
inline void AddPair(const RasterTarget& t, A_long xl, A_long xr, A_long y, const PF_PixelFloat& c,
                    float w) {
  AddWeightedColour(t, xl, y, c, w);
  AddWeightedColour(t, xr, y, c, w);
}

}  // namespace

void SoftBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c,
               float hardness) {
  if (size <= 0) return;
  if (size < 4) {
    SmallStamp(t, x, y, size, c);
    return;
  }
  const float radius = static_cast<float>(size) * 0.5f;
  Falloff f;
  f.r2 = radius * radius;
  f.limit = static_cast<A_long>(f.r2);
  f.k = 1.0f / ((1.0f - hardness) * 0.1f + hardness);
  const A_long half = (size - (size % 2)) / 2;

  // Rows wholly outside the allowed rows are skipped; their pixels would be
  // refused one by one anyway.
  if (y + half + 1 < t.rowBegin || y - half - 1 >= t.rowEnd) return;

  if (size % 2 == 1) {
    AddColour(t, x, y, c);
    for (A_long d = 1; d <= half; ++d) {
      const float w = f.Weight(d * d);
      AddWeightedColour(t, x, y - d, c, w);
      AddWeightedColour(t, x, y + d, c, w);
      AddPair(t, x - d, x + d, y, c, w);
    }
    for (A_long a = 1; a <= half; ++a) {
      const bool up = t.RowInside(y - a), down = t.RowInside(y + a);
      if (!up && !down) continue;
      for (A_long b = 1; b <= half; ++b) {
        const A_long q = a * a + b * b;
        if (q > f.limit) break;
        const float w = f.Weight(q);
        if (up) AddPair(t, x - b, x + b, y - a, c, w);
        if (down) AddPair(t, x - b, x + b, y + a, c, w);
      }
    }
  } else {
    for (A_long a = 0; a <= half; ++a) {
      const bool up = t.RowInside(y - 1 - a), down = t.RowInside(y + a);
      if (!up && !down) continue;
      for (A_long b = 0; b <= half; ++b) {
        const A_long q = a * a + b * b;
        if (q > f.limit) break;
        const float w = f.Weight(q);
        if (up) AddPair(t, x - 1 - b, x + b, y - 1 - a, c, w);
        if (down) AddPair(t, x - 1 - b, x + b, y + a, c, w);
      }
    }
  }
}
