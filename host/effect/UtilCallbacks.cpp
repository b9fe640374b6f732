// The utility callbacks in PF_InData::utils.
#include "host/effect/EffectRunner.h"
#include "host/effect/PixelIteration.h"
#include "host/effect/WorldOperations.h"
#include "host/image/PixelOps.h"
#include "host/suites/HostCall.h"
#include "host/suites/NotOffered.h"

#include <AE_EffectCB.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vlam::host {

namespace {

PF_Err copy(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect, PF_Rect *dstRect) {
  return copyCallback("copy", ref, src, dst, srcRect, dstRect);
}

PF_Err fill(PF_ProgPtr ref, const PF_Pixel *color, const PF_Rect *rect, PF_EffectWorld *world) {
  return fillCallback("fill", ref, pixelOf(color), rect, world);
}

PF_Err fill16(PF_ProgPtr ref, const PF_Pixel16 *color, const PF_Rect *rect, PF_EffectWorld *world) {
  return fillCallback("fill16", ref, pixelOf(color), rect, world);
}

PF_Err utilNewWorld(PF_ProgPtr ref, A_long width, A_long height, PF_WorldFlags flags, PF_EffectWorld *world) {
  return hostCall("new_world", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return newWorld(host, width, height, (flags & PF_WorldFlag_DEEP) ? PixelDepth::Bits16 : PixelDepth::Bits8, world);
  });
}

PF_Err utilDisposeWorld(PF_ProgPtr ref, PF_EffectWorld *world) {
  return hostCall("dispose_world", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return disposeWorld(host, world);
  });
}

PF_Err premultiply(PF_ProgPtr ref, A_long forward, PF_EffectWorld *dst) {
  return premultiplyCallback("premultiply", ref, forward, dst);
}

PF_Err iterate8(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                PF_IteratePixel8Func fn, PF_EffectWorld *dst) {
  return hostCall("iterate", [&](Host &) { return iteratePixels8(in, src, area, nullptr, refcon, fn, dst); });
}
PF_Err iterateOrigin8(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin,
                      void *refcon, PF_IteratePixel8Func fn, PF_EffectWorld *dst) {
  return hostCall("iterate_origin", [&](Host &) { return iteratePixels8(in, src, area, origin, refcon, fn, dst); });
}
PF_Err iterate16(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                 PF_IteratePixel16Func fn, PF_EffectWorld *dst) {
  return hostCall("iterate16", [&](Host &) { return iteratePixels16(in, src, area, nullptr, refcon, fn, dst); });
}
PF_Err iterateOrigin16(PF_InData *in, A_long, A_long, PF_EffectWorld *src, const PF_Rect *area,
                       const PF_Point *origin, void *refcon, PF_IteratePixel16Func fn, PF_EffectWorld *dst) {
  return hostCall("iterate_origin16", [&](Host &) { return iteratePixels16(in, src, area, origin, refcon, fn, dst); });
}
PF_Err utilIterateGeneric(A_long iterations, void *refcon, PF_Err (*fn)(void *, A_long, A_long, A_long)) {
  return hostCall("iterate_generic", [&](Host &) { return iterateGeneric(iterations, refcon, fn); });
}

PF_Err pixelData8(PF_EffectWorld *world, PF_PixelPtr pixels, PF_Pixel8 **out) {
  return hostCall("get_pixel_data8", [&](Host &host) -> PF_Err {
    if (!out) return PF_Err_BAD_CALLBACK_PARAM;
    *out = nullptr;
    auto depth = host.worlds().depthOf(world);
    if (!depth || *depth != PixelDepth::Bits8) return PF_Err_BAD_CALLBACK_PARAM;
    *out = pixels ? pixels : world->data;
    return PF_Err_NONE;
  });
}
PF_Err pixelData16(PF_EffectWorld *world, PF_PixelPtr pixels, PF_Pixel16 **out) {
  return hostCall("get_pixel_data16", [&](Host &host) -> PF_Err {
    if (!out) return PF_Err_BAD_CALLBACK_PARAM;
    *out = nullptr;
    auto depth = host.worlds().depthOf(world);
    if (!depth || *depth != PixelDepth::Bits16) return PF_Err_BAD_CALLBACK_PARAM;
    *out = reinterpret_cast<PF_Pixel16 *>(pixels ? pixels : world->data);
    return PF_Err_NONE;
  });
}

int hostSprintf(A_char *buffer, const A_char *format, ...) {
  if (!buffer || !format) return -1;
  va_list args;
  va_start(args, format);
  int n = std::vsprintf(buffer, format, args);
  va_end(args);
  return n;
}
A_char *hostStrcpy(A_char *dst, const A_char *src) { return (dst && src) ? std::strcpy(dst, src) : dst; }

// Operations the host does not offer yet answer PF_Err_INVALID_CALLBACK.
VLAM_CALLBACK_NOT_OFFERED(noBeginSampling, PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_SampPB *)
VLAM_CALLBACK_NOT_OFFERED(noSubpixel, PF_ProgPtr, PF_Fixed, PF_Fixed, const PF_SampPB *, PF_Pixel *)
VLAM_CALLBACK_NOT_OFFERED(noArea, PF_ProgPtr, PF_Fixed, PF_Fixed, const PF_SampPB *, PF_Pixel *)
VLAM_CALLBACK_NOT_OFFERED(noEndSampling, PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_SampPB *)
VLAM_CALLBACK_NOT_OFFERED(noGaussian, PF_ProgPtr, A_FpLong, PF_KernelFlags, A_FpLong, A_long *, void *)
VLAM_CALLBACK_NOT_OFFERED(noPremulColor, PF_ProgPtr, PF_EffectWorld *, const PF_Pixel *, A_long, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noIterateLut, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, A_u_char *,
                          A_u_char *, A_u_char *, A_u_char *, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noCallbackAddr, PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_CallbackID, PF_CallbackFunc *)
VLAM_CALLBACK_NOT_OFFERED(noPlatformData, PF_ProgPtr, A_long, void *)
VLAM_CALLBACK_NOT_OFFERED(noNonClip8, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, const PF_Point *,
                          void *, PF_IteratePixel8Func, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noSubpixel16, PF_ProgPtr, PF_Fixed, PF_Fixed, const PF_SampPB *, PF_Pixel16 *)
VLAM_CALLBACK_NOT_OFFERED(noArea16, PF_ProgPtr, PF_Fixed, PF_Fixed, const PF_SampPB *, PF_Pixel16 *)
VLAM_CALLBACK_NOT_OFFERED(noPremulColor16, PF_ProgPtr, PF_EffectWorld *, const PF_Pixel16 *, A_long, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noNonClip16, PF_InData *, A_long, A_long, PF_EffectWorld *, const PF_Rect *, const PF_Point *,
                          void *, PF_IteratePixel16Func, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(noColor, PF_ProgPtr, PF_Pixel *, A_long *)
VLAM_CALLBACK_NOT_OFFERED(noColorBack, PF_ProgPtr, A_long *, PF_Pixel *)
PF_Err noApp(PF_ProgPtr, A_long, ...) { return callbackNotOffered("app"); }

} // namespace

_PF_UtilCallbacks *utilCallbacks() {
  static PF_UtilCallbacks callbacks = [] {
    PF_UtilCallbacks u{};
    u.begin_sampling = noBeginSampling;
    u.subpixel_sample = noSubpixel;
    u.area_sample = noArea;
    u.end_sampling = noEndSampling;
    u.composite_rect = compositeRectCallback;
    u.blend = blendCallback;
    u.convolve = convolveCallback;
    u.copy = copy;
    u.fill = fill;
    u.gaussian_kernel = noGaussian;
    u.iterate = iterate8;
    u.premultiply = premultiply;
    u.premultiply_color = noPremulColor;
    u.new_world = utilNewWorld;
    u.dispose_world = utilDisposeWorld;
    u.iterate_origin = iterateOrigin8;
    u.iterate_lut = noIterateLut;
    u.transfer_rect = transferRectCallback;
    u.transform_world = transformWorldCallback;
    u.host_new_handle = newHandle;
    u.host_lock_handle = lockHandle;
    u.host_unlock_handle = unlockHandle;
    u.host_dispose_handle = disposeHandle;
    u.get_callback_addr = noCallbackAddr;
    u.app = noApp;
    u.ansi.atan = [](A_FpLong x) { return std::atan(x); };
    u.ansi.atan2 = [](A_FpLong y, A_FpLong x) { return std::atan2(y, x); };
    u.ansi.ceil = [](A_FpLong x) { return std::ceil(x); };
    u.ansi.cos = [](A_FpLong x) { return std::cos(x); };
    u.ansi.exp = [](A_FpLong x) { return std::exp(x); };
    u.ansi.fabs = [](A_FpLong x) { return std::fabs(x); };
    u.ansi.floor = [](A_FpLong x) { return std::floor(x); };
    u.ansi.fmod = [](A_FpLong x, A_FpLong y) { return std::fmod(x, y); };
    u.ansi.hypot = [](A_FpLong x, A_FpLong y) { return std::hypot(x, y); };
    u.ansi.log = [](A_FpLong x) { return std::log(x); };
    u.ansi.log10 = [](A_FpLong x) { return std::log10(x); };
    u.ansi.pow = [](A_FpLong x, A_FpLong y) { return std::pow(x, y); };
    u.ansi.sin = [](A_FpLong x) { return std::sin(x); };
    u.ansi.sqrt = [](A_FpLong x) { return std::sqrt(x); };
    u.ansi.tan = [](A_FpLong x) { return std::tan(x); };
    u.ansi.sprintf = hostSprintf;
    u.ansi.strcpy = hostStrcpy;
    u.ansi.asin = [](A_FpLong x) { return std::asin(x); };
    u.ansi.acos = [](A_FpLong x) { return std::acos(x); };
    u.colorCB.RGBtoHLS = noColor;
    u.colorCB.HLStoRGB = noColorBack;
    u.colorCB.RGBtoYIQ = noColor;
    u.colorCB.YIQtoRGB = noColorBack;
    u.colorCB.Luminance = noColor;
    u.colorCB.Hue = noColor;
    u.colorCB.Lightness = noColor;
    u.colorCB.Saturation = noColor;
    u.get_platform_data = noPlatformData;
    u.host_get_handle_size = handleSize;
    u.iterate_origin_non_clip_src = noNonClip8;
    u.iterate_generic = utilIterateGeneric;
    u.host_resize_handle = resizeHandle;
    u.subpixel_sample16 = noSubpixel16;
    u.area_sample16 = noArea16;
    u.fill16 = fill16;
    u.premultiply_color16 = noPremulColor16;
    u.iterate16 = iterate16;
    u.iterate_origin16 = iterateOrigin16;
    u.iterate_origin_non_clip_src16 = noNonClip16;
    u.get_pixel_data8 = pixelData8;
    u.get_pixel_data16 = pixelData16;
    return u;
  }();
  return &callbacks;
}

} // namespace vlam::host
