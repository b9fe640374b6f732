// "AEGP Iterate Suite" and the per-depth "PF Iterate" suites: work spread
// over the host's worker threads.
#include "host/effect/PixelIteration.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_EffectCBSuites.h>
#include <AE_GeneralPlug.h>

namespace vlam::host {
namespace {

A_Err numThreads(A_long *threads) {
  return hostCall("AEGP_GetNumThreads", [threads](Host &host) -> A_Err {
    if (!threads) return A_Err_PARAMETER;
    *threads = host.threads().threadCount();
    return A_Err_NONE;
  });
}

A_Err aegpIterateGeneric(A_long iterations, void *refcon, A_Err (*fn)(void *, A_long, A_long, A_long)) {
  return hostCall("AEGP_IterateGeneric", [&](Host &) { return iterateGeneric(iterations, refcon, fn); });
}

PF_Err iterate8(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                PF_IteratePixel8Func fn, PF_EffectWorld *dst) {
  return hostCall("PF_Iterate8 iterate", [&](Host &) { return iteratePixels8(in, src, area, nullptr, refcon, fn, dst); });
}
PF_Err iterateOrigin8(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin,
                      void *refcon, PF_IteratePixel8Func fn, PF_EffectWorld *dst) {
  return hostCall("PF_Iterate8 iterate_origin",
                  [&](Host &) { return iteratePixels8(in, src, area, origin, refcon, fn, dst); });
}
PF_Err generic8(A_long iterations, void *refcon, PF_Err (*fn)(void *, A_long, A_long, A_long)) {
  return hostCall("PF_Iterate8 iterate_generic", [&](Host &) { return iterateGeneric(iterations, refcon, fn); });
}
PF_Err iterate16(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                 PF_IteratePixel16Func fn, PF_EffectWorld *dst) {
  return hostCall("PF_iterate16 iterate",
                  [&](Host &) { return iteratePixels16(in, src, area, nullptr, refcon, fn, dst); });
}
PF_Err iterateOrigin16(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area,
                       const PF_Point *origin, void *refcon, PF_IteratePixel16Func fn, PF_EffectWorld *dst) {
  return hostCall("PF_iterate16 iterate_origin",
                  [&](Host &) { return iteratePixels16(in, src, area, origin, refcon, fn, dst); });
}
PF_Err iterateFloat(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                    PF_IteratePixelFloatFunc fn, PF_EffectWorld *dst) {
  return hostCall("PF_iterateFloat iterate",
                  [&](Host &) { return iteratePixelsFloat(in, src, area, nullptr, refcon, fn, dst); });
}
PF_Err iterateOriginFloat(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area,
                          const PF_Point *origin, void *refcon, PF_IteratePixelFloatFunc fn, PF_EffectWorld *dst) {
  return hostCall("PF_iterateFloat iterate_origin",
                  [&](Host &) { return iteratePixelsFloat(in, src, area, origin, refcon, fn, dst); });
}

VLAM_CALLBACK_NOT_OFFERED(noLut8, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, A_u_char *, A_u_char *,
                 A_u_char *, A_u_char *, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noNonClip8, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, const PF_Point *, void *,
                 PF_IteratePixel8Func, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noNonClip16, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, const PF_Point *,
                 void *, PF_IteratePixel16Func, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noNonClipFloat, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, const PF_Point *,
                 void *, PF_IteratePixelFloatFunc, PF_EffectWorld *)

const AEGP_IterateSuite1 kIterateSuite{
    .AEGP_GetNumThreads = numThreads,
    .AEGP_IterateGeneric = aegpIterateGeneric,
};
const PF_Iterate8Suite1 kIterate8Suite{
    .iterate = iterate8,
    .iterate_origin = iterateOrigin8,
    .iterate_lut = noLut8,
    .iterate_origin_non_clip_src = noNonClip8,
    .iterate_generic = generic8,
};
const PF_iterate16Suite1 kIterate16Suite{
    .iterate = iterate16,
    .iterate_origin = iterateOrigin16,
    .iterate_origin_non_clip_src = noNonClip16,
};
const PF_iterateFloatSuite1 kIterateFloatSuite{
    .iterate = iterateFloat,
    .iterate_origin = iterateOriginFloat,
    .iterate_origin_non_clip_src = noNonClipFloat,
};

} // namespace

void publishIterateSuites(SuiteRegistry &registry) {
  publishTable(registry, kIterateSuite);
  publishTable(registry, kIterate8Suite);
  publishTable(registry, kIterate16Suite);
  publishTable(registry, kIterateFloatSuite);
}

} // namespace vlam::host
