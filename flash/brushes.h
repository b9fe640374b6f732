// The two brushes that flash splats are drawn with.
#pragma once

#include "flash/raster_target.h"

// A round brush of diameter `size` centred on pixel (x, y) (odd sizes) or on
// the corner above-left of it (even sizes). Hardness 1 falls off
// parabolically, hardness 0 is a nearly flat disc with a short edge.
void SoftBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c,
               float hardness);

// A square of full colour; `size` is the half-size used by the draft quality.
void SquareBrush(const RasterTarget& t, A_long x, A_long y, A_long size, const PF_PixelFloat& c);
