#include "flash/brushes.h"

void SquareBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c) {
  if (size <= 0) return;
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
  const A_long half = (size - (size % 2)) / 2;
  // Every pixel gets the full colour, so the square is the union of its rows;
  // the odd square spans x-half..x+half, the even one x-1-half..x+half.
  const A_long top = size % 2 == 1 ? y - half : y - 1 - half;
  const A_long left = size % 2 == 1 ? x - half : x - 1 - half;
  const A_long bottom = y + half, right = x + half;
  for (A_long row = top; row <= bottom; ++row) {
    if (!t.RowInside(row)) continue;
    for (A_long col = left; col <= right; ++col) AddColour(t, col, row, c);
  }
}
