// "PF World Suite" (new, dispose, pixel format), "PF Fill Matte Suite" and
// the copy of "PF World Transform Suite".
#include "host/effect/CallFrame.h"
#include "host/effect/WorldOperations.h"
#include "host/image/PixelOps.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_EffectCBSuites.h>

namespace vlam::host {
namespace {

std::optional<PixelDepth> depthOfFormat(PF_PixelFormat format) {
  switch (format) {
  case PF_PixelFormat_ARGB32: return PixelDepth::Bits8;
  case PF_PixelFormat_ARGB64: return PixelDepth::Bits16;
  case PF_PixelFormat_ARGB128: return PixelDepth::Float32;
  default: return std::nullopt;
  }
}

PF_Err suiteNewWorld(PF_ProgPtr ref, A_long width, A_long height, PF_Boolean, PF_PixelFormat format,
                     PF_EffectWorld *world) {
  // Buffers always start cleared, so `clear_pixB` needs no work.
  return hostCall("PF_NewWorld", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    auto depth = depthOfFormat(format);
    if (!depth) return PF_Err_BAD_CALLBACK_PARAM;
    return newWorld(host, width, height, *depth, world);
  });
}

PF_Err suiteDisposeWorld(PF_ProgPtr ref, PF_EffectWorld *world) {
  return hostCall("PF_DisposeWorld", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return disposeWorld(host, world);
  });
}

PF_Err suiteGetPixelFormat(const PF_EffectWorld *world, PF_PixelFormat *format) {
  return hostCall("PF_GetPixelFormat", [&](Host &host) -> PF_Err {
    if (!format) return PF_Err_BAD_CALLBACK_PARAM;
    *format = PF_PixelFormat_INVALID;
    auto depth = host.worlds().depthOf(world);
    if (!depth) return PF_Err_BAD_CALLBACK_PARAM;
    *format = *depth == PixelDepth::Bits8    ? PF_PixelFormat_ARGB32
              : *depth == PixelDepth::Bits16 ? PF_PixelFormat_ARGB64
                                             : PF_PixelFormat_ARGB128;
    return PF_Err_NONE;
  });
}

PF_Err fill8(PF_ProgPtr ref, const PF_Pixel *color, const PF_Rect *rect, PF_EffectWorld *world) {
  return fillCallback("PF_FillMatte fill", ref, pixelOf(color), rect, world);
}

PF_Err fill16(PF_ProgPtr ref, const PF_Pixel16 *color, const PF_Rect *rect, PF_EffectWorld *world) {
  return fillCallback("PF_FillMatte fill16", ref, pixelOf(color), rect, world);
}

PF_Err fillFloat(PF_ProgPtr ref, const PF_PixelFloat *color, const PF_Rect *rect, PF_EffectWorld *world) {
  const PixelF c = color ? PixelF{color->alpha, color->red, color->green, color->blue} : PixelF{};
  return fillCallback("PF_FillMatte fill_float", ref, c, rect, world);
}

PF_Err premultiply(PF_ProgPtr ref, A_long forward, PF_EffectWorld *dst) {
  return premultiplyCallback("PF_FillMatte premultiply", ref, forward, dst);
}

VLAM_CALLBACK_NOT_OFFERED(noPremulColor, PF_ProgPtr, PF_EffectWorld *, const PF_Pixel *, A_long, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noPremulColor16, PF_ProgPtr, PF_EffectWorld *, const PF_Pixel16 *, A_long, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noPremulColorFloat, PF_ProgPtr, PF_EffectWorld *, const PF_PixelFloat *, A_long,
                          PF_EffectWorld *)

PF_Err transformCopy(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect, PF_Rect *dstRect) {
  return copyCallback("PF_WorldTransform copy", ref, src, dst, srcRect, dstRect);
}
const PF_WorldSuite2 kWorldSuite{
    .PF_NewWorld = suiteNewWorld,
    .PF_DisposeWorld = suiteDisposeWorld,
    .PF_GetPixelFormat = suiteGetPixelFormat,
};
const PF_FillMatteSuite2 kFillMatteSuite{
    .fill = fill8,
    .fill16 = fill16,
    .fill_float = fillFloat,
    .premultiply = premultiply,
    .premultiply_color = noPremulColor,
    .premultiply_color16 = noPremulColor16,
    .premultiply_color_float = noPremulColorFloat,
};
const PF_WorldTransformSuite1 kWorldTransformSuite{
    .composite_rect = compositeRectCallback,
    .blend = blendCallback,
    .convolve = convolveCallback,
    .copy = transformCopy,
    .copy_hq = transformCopy,
    .transfer_rect = transferRectCallback,
    .transform_world = transformWorldCallback,
};

} // namespace

void publishWorldSuites(SuiteRegistry &registry) {
  publishTable(registry, kWorldSuite);
  publishTable(registry, kFillMatteSuite);
  publishTable(registry, kWorldTransformSuite);
}

} // namespace vlam::host
