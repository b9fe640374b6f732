#include "flash/brushes.h"

#include "AE_Effect.h"

namespace vlam {

A_long SquareBrushFootprint(A_long size) {
  if (size <= 0) return 0;
  if (size < 3) return size == 1 ? 1 : 4;
  if (size > kMaxBrushSize) size = kMaxBrushSize;
  const A_long half = (size - (size % 2)) / 2;
  const A_long side = size % 2 == 1 ? 2 * half + 1 : 2 * half + 2;
  return side * side;
}

void SquareBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c) {
  if (size <= 0 || x < -kFarAway || x > kFarAway || y < -kFarAway || y > kFarAway) return;
  if (size == 1) {
    AddColour(t, x, y, c);
    return;
  }
  if (size == 2) {
    AddWeightedColour(t, x, y, c, 0.5f);
    AddWeightedColour(t, x + 1, y, c, 0.5f);
    AddWeightedColour(t, x, y + 1, c, 0.5f);
    AddWeightedColour(t, x + 1, y + 1, c, 0.5f);
    return;
  }
  if (size > kMaxBrushSize) size = kMaxBrushSize;
  const A_long half = (size - (size % 2)) / 2;
  // Every pixel gets the full colour, so the square is the union of its rows:
  // the odd square spans centre-half..centre+half (centre, arms and
  // quadrants), the even one centre-1-half..centre+half (four quadrants).
  const A_long shift = size % 2 == 1 ? 0 : 1;
  A_long top = y - shift - half, bottom = y + half;
  A_long left = x - shift - half, right = x + half;
  if (top < t.rowBegin) top = t.rowBegin;
  if (bottom > t.rowEnd - 1) bottom = t.rowEnd - 1;
  if (left < 0) left = 0;
  if (right > t.width - 1) right = t.width - 1;
  for (A_long row = top; row <= bottom; ++row)
    for (A_long col = left; col <= right; ++col) AddColour(t, col, row, c);
}

}  // namespace vlam
