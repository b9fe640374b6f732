#include "host/effect/WorldOperations.h"

#include "host/effect/CallFrame.h"
#include "host/image/PixelAccess.h"
#include "host/image/PixelOps.h"
#include "host/suites/HostCall.h"
#include "host/suites/NotOffered.h"

#include <cstring>
#include <string>

namespace vlam::host {

PF_Err copyWorlds(Host &host, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect, PF_Rect *dstRect) {
  auto s = host.worlds().view(src);
  auto d = host.worlds().view(dst);
  if (!s || !d) return PF_Err_BAD_CALLBACK_PARAM;
  return copyPixels(*s, srcRect, *d, dstRect) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err fillWorld(Host &host, const PixelF &color, const PF_Rect *rect, PF_EffectWorld *world) {
  auto v = host.worlds().view(world);
  if (!v) return PF_Err_BAD_CALLBACK_PARAM;
  return fillPixels(*v, rect, color) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err newWorld(Host &host, A_long width, A_long height, PixelDepth depth, PF_EffectWorld *world) {
  if (!world) return PF_Err_BAD_CALLBACK_PARAM;
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
    std::memset(world, 0, sizeof *world);
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (!host.worlds().create(width, height, depth, *world)) return PF_Err_OUT_OF_MEMORY;
  if (host.monitor().tracing())
    host.monitor().note("new world " + std::to_string(width) + " x " + std::to_string(height) + ", " +
                        std::to_string(static_cast<int>(depth)) + " bits");
  return PF_Err_NONE;
}

PF_Err disposeWorld(Host &host, PF_EffectWorld *world) {
  if (!world) return PF_Err_BAD_CALLBACK_PARAM;
  return host.worlds().dispose(*world) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err premultiplyWorld(Host &host, A_long forward, PF_EffectWorld *world) {
  auto v = host.worlds().view(world);
  if (!v) return PF_Err_BAD_CALLBACK_PARAM;
  withDepth(v->depth, [&](auto depth) {
    using Codec = CodecOf<decltype(depth)>;
    for (int y = 0; y < v->height; ++y) {
      std::byte *px = v->row(y);
      for (int x = 0; x < v->width; ++x, px += Codec::kBytes) {
        const PixelF p = Codec::load(px);
        const float k = forward ? p.alpha : (p.alpha > 0 ? 1.0f / p.alpha : 0.0f);
        Codec::store(px, {p.alpha, p.red * k, p.green * k, p.blue * k});
      }
    }
  });
  return PF_Err_NONE;
}

PixelF pixelOf(const PF_Pixel *c) {
  if (!c) return {};
  return {fromCode8(c->alpha), fromCode8(c->red), fromCode8(c->green), fromCode8(c->blue)};
}
PixelF pixelOf(const PF_Pixel16 *c) {
  if (!c) return {};
  return {fromCode16(c->alpha), fromCode16(c->red), fromCode16(c->green), fromCode16(c->blue)};
}

PF_Handle newHandle(A_HandleSize size) {
  return hostCallValue<PF_Handle>("host_new_handle", nullptr, [&](Host &host) {
    return reinterpret_cast<PF_Handle>(host.handles().allocate(size));
  });
}
void *lockHandle(PF_Handle h) {
  return hostCallValue<void *>("host_lock_handle", nullptr,
                               [&](Host &host) { return host.handles().lock(reinterpret_cast<void **>(h)); });
}
void unlockHandle(PF_Handle h) {
  hostCallValue<bool>("host_unlock_handle", false,
                      [&](Host &host) { return host.handles().unlock(reinterpret_cast<void **>(h)); });
}
void disposeHandle(PF_Handle h) {
  hostCallValue<bool>("host_dispose_handle", false,
                      [&](Host &host) { return host.handles().dispose(reinterpret_cast<void **>(h)); });
}
A_HandleSize handleSize(PF_Handle h) {
  return hostCallValue<A_HandleSize>("host_get_handle_size", 0,
                                     [&](Host &host) { return host.handles().size(reinterpret_cast<void **>(h)); });
}
PF_Err resizeHandle(A_HandleSize size, PF_Handle *h) {
  return hostCall("host_resize_handle", [&](Host &host) -> PF_Err {
    if (!h) return PF_Err_BAD_CALLBACK_PARAM;
    if (!host.handles().known(reinterpret_cast<void **>(*h))) return PF_Err_BAD_CALLBACK_PARAM;
    return host.handles().resize(reinterpret_cast<void **>(*h), size) ? PF_Err_NONE : PF_Err_OUT_OF_MEMORY;
  });
}

PF_Err copyCallback(const char *name, PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect,
                    PF_Rect *dstRect) {
  return hostCall(name, [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return copyWorlds(host, src, dst, srcRect, dstRect);
  });
}

PF_Err fillCallback(const char *name, PF_ProgPtr ref, const PixelF &color, const PF_Rect *rect, PF_EffectWorld *world) {
  return hostCall(name, [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return fillWorld(host, color, rect, world);
  });
}

PF_Err premultiplyCallback(const char *name, PF_ProgPtr ref, A_long forward, PF_EffectWorld *world) {
  return hostCall(name, [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return premultiplyWorld(host, forward, world);
  });
}

VLAM_CALLBACK_NOT_OFFERED(compositeRectCallback, PF_ProgPtr, PF_Rect *, A_long, PF_EffectWorld *, A_long, A_long,
                          PF_Field, PF_XferMode, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(blendCallback, PF_ProgPtr, const PF_EffectWorld *, const PF_EffectWorld *, PF_Fixed,
                          PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(convolveCallback, PF_ProgPtr, PF_EffectWorld *, const PF_Rect *, PF_KernelFlags, A_long, void *,
                          void *, void *, void *, PF_EffectWorld *)
VLAM_CALLBACK_NOT_OFFERED(transferRectCallback, PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_Field, const PF_Rect *,
                          const PF_EffectWorld *, const PF_CompositeMode *, const PF_MaskWorld *, A_long, A_long,
                          PF_EffectWorld *)

} // namespace vlam::host
