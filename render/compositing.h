// Compositing one flash into the output: the output region that the flash's
// rectangle covers, the sampling scales from output pixels to flash pixels,
// and the row-parallel pass at the output's own depth.
#pragma once
#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "render/composite_pixels.h"

namespace vlam {

// Output pixels (layer coordinates, right and bottom exclusive) and how they
// map to flash pixels: flash (trunc(X x scaleX), trunc(Y x scaleY)).
struct CompositeRegion {
  A_long x0, y0, x1, y1;
  double scaleX, scaleY;
};

// Maps a flash rectangle (flash pixels, right and bottom exclusive) of a
// flash buffer of flashWidth x flashHeight into the output buffer's layer
// coordinates, for the pixel aspect and the downsample ratio of in_data.
CompositeRegion MapCompositeRegion(const PF_InData &in_data, const PF_Rect &flashRect,
                                   A_long flashWidth, A_long flashHeight,
                                   const PF_EffectWorld &output);

// Composites `flash` into `output` over the region with `pixel`, rows split
// into `threads` bands. Float outputs take their grain from `grain` (null:
// none); a grain pixel is read only where the grain buffer covers the output
// pixel's buffer position, so a grain layer of another size gives no grain
// outside itself. 8-bit and 16-bit outputs are converted per pixel and never
// get grain. Another format gives PF_Err_BAD_CALLBACK_PARAM.
PF_Err CompositeFlash(const PF_InData *in_data, PixelFunction pixel,
                      const CompositeSettings &settings, const CompositeRegion &region,
                      const PF_EffectWorld &flash, PF_EffectWorld &output,
                      PF_PixelFormat outputFormat, const PF_EffectWorld *grain, A_long threads);

}  // namespace vlam
