#include "flash/splat_list.h"

#include "AE_Effect.h"

namespace vlam {

void DrawSplat(const RasterTarget& t, const Splat& s) {
  const PF_PixelFloat c{0.0f, s.red, s.green, s.blue};
  switch (s.kind) {
    case Splat::kSoft:
      SoftBrush(t, s.x, s.y, s.size, c, s.factor);
      break;
    case Splat::kSquare:
      SquareBrush(t, s.x, s.y, s.size, c);
      break;
    default:
      AddWeightedColour(t, s.x, s.y, c, s.factor);
      break;
  }
}

void SplatRows(const Splat& s, A_long& first, A_long& last) {
  // Both brushes reach at most size / 2 + 1 rows above and size / 2 below.
  const A_long size = s.size < kMaxBrushSize ? s.size : kMaxBrushSize;
  const A_long reach = size / 2 + 1;
  const A_long y = s.y < -kFarAway ? -kFarAway : (s.y > kFarAway ? kFarAway : s.y);
  first = y - reach;
  last = y + reach;
}

void BalanceBands(const std::vector<SplatSlot>& slots, A_long height, A_long bands,
                  std::vector<A_long>& bounds) {
  if (bands < 1) bands = 1;
  if (height < 0) height = 0;
  // Work per row, estimated from each splat's area at its clamped centre row.
  std::vector<double> work(static_cast<size_t>(height) + 1, 0.0);
  double total = 0.0;
  for (const SplatSlot& slot : slots) {
    for (const Splat& s : slot.splats) {
      A_long first, last;
      SplatRows(s, first, last);
      if (last < 0 || first >= height) continue;
      A_long row = s.y < 0 ? 0 : (s.y >= height ? height - 1 : s.y);
      const double w = static_cast<double>(s.size) * s.size + 1.0;
      work[static_cast<size_t>(row)] += w;
      total += w;
    }
  }
  bounds.assign(static_cast<size_t>(bands) + 1, height);
  bounds[0] = 0;
  double acc = 0.0;
  A_long band = 1;
  for (A_long row = 0; row < height && band < bands; ++row) {
    acc += work[static_cast<size_t>(row)];
    while (band < bands && acc >= total * band / bands) bounds[static_cast<size_t>(band++)] = row + 1;
  }
  // Keep the bounds non-decreasing when the loop ended early.
  for (size_t i = 1; i < bounds.size(); ++i)
    if (bounds[i] < bounds[i - 1]) bounds[i] = bounds[i - 1];
}

void DrawSlotsInBand(const std::vector<SplatSlot>& slots, const RasterTarget& band) {
  if (band.rowBegin >= band.rowEnd) return;
  for (const SplatSlot& slot : slots) {
    for (const Splat& s : slot.splats) {
      A_long first, last;
      SplatRows(s, first, last);
      if (last < band.rowBegin || first >= band.rowEnd) continue;
      DrawSplat(band, s);
    }
  }
}

}  // namespace vlam
