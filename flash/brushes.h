// The two brushes that flash splats are drawn with. Every pixel is checked
// against the target, so brushes may straddle the buffer edge; the loops are
// limited to the rows and columns that can be visible, so a brush much larger
// than the buffer costs no more than the buffer.
#pragma once

#include "flash/raster_target.h"

namespace vlam {

// Sizes above this are drawn at this size (a brush that large covers any
// buffer the host makes); centres further out than kFarAway are not drawn.
inline constexpr A_long kMaxBrushSize = 32768;
inline constexpr A_long kFarAway = 1 << 30;

// A round brush of diameter `size` centred on pixel (x, y) (odd sizes) or on
// the corner above-left of it (even sizes). Hardness 1 falls off
// parabolically, hardness 0 is a nearly flat disc with a short edge.
void SoftBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c,
               float hardness);

// A square of full colour; `size` is the half-size used by the draft quality.
void SquareBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c);

// Pixel additions a brush of this size makes when it lies wholly inside the
// buffer (pixels of weight 0 at the rim included), for performance accounting.
A_long SoftBrushFootprint(A_long size);
A_long SquareBrushFootprint(A_long size);

// The part of the offsets 0..half whose mirrored pixels (centre + offset and
// centre - shift - offset) can lie in [begin, end).
struct OffsetRange {
  A_long lo;
  A_long hi;
};
inline OffsetRange VisibleOffsets(A_long centre, A_long shift, A_long half, A_long begin,
                                  A_long end) {
  // centre + o in [begin, end)         <=> o in [begin - centre, end - 1 - centre]
  // centre - shift - o in [begin, end) <=> o in [centre - shift - end + 1, centre - shift - begin]
  A_long lo1 = begin - centre, hi1 = end - 1 - centre;
  A_long lo2 = centre - shift - end + 1, hi2 = centre - shift - begin;
  A_long lo = lo1 < lo2 ? lo1 : lo2;
  A_long hi = hi1 > hi2 ? hi1 : hi2;
  OffsetRange r;
  r.lo = lo > 0 ? lo : 0;
  r.hi = hi < half ? hi : half;
  return r;
}

}  // namespace vlam
