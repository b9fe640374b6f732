#pragma once
#include <AE_EffectCB.h>

namespace vlam::host {

// The host's per-pixel iteration (utility callbacks and the iterate suites):
// calls the pixel function with the destination pixel's own (x, y) for every
// pixel of `area` of the destination, or, without an area, for every
// destination pixel that overlaps the source (the whole destination without a
// source). The source pixel is the one at the same place shifted by
// `origin`; outside the source it reads as transparent black, and without a
// source it is the destination pixel itself. Rows are spread over the host's
// worker threads; a cancelled render stops the iteration between rows with
// PF_Interrupt_CANCEL. Otherwise the first error in row order is returned.
// Buffers must have the depth of the pixel function.
PF_Err iteratePixels8(PF_InData *in, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin, void *refcon,
                      PF_IteratePixel8Func fn, PF_EffectWorld *dst);
PF_Err iteratePixels16(PF_InData *in, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin, void *refcon,
                       PF_IteratePixel16Func fn, PF_EffectWorld *dst);
PF_Err iteratePixelsFloat(PF_InData *in, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin,
                          void *refcon, PF_IteratePixelFloatFunc fn, PF_EffectWorld *dst);

// Generic iteration on the worker threads; -1 iterations means once per thread.
PF_Err iterateGeneric(A_long iterations, void *refcon,
                      PF_Err (*fn)(void *refcon, A_long threadIndex, A_long i, A_long iterations));

} // namespace vlam::host
