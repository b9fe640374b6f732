#include "host/effect/PixelIteration.h"

#include "host/Host.h"
#include "host/image/PixelOps.h"
#include "host/threads/CodeTime.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <vector>

namespace vlam::host {
namespace {

// The destination rows and columns an iteration visits: `area` clipped to the
// destination, or, without an area, every destination pixel that has a
// source pixel (the whole destination when there is no source).
std::optional<PF_Rect> iterationRect(const WorldView &dst, const std::optional<WorldView> &src, const PF_Rect *area,
                                     int dx, int dy) {
  auto r = clipRect(dst, area);
  if (!r || area || !src) return r;
  // In 64 bits: an origin from a plug-in may be anything.
  using Wide = long long;
  const Wide left = std::clamp<Wide>(-Wide{dx}, r->left, r->right);
  const Wide top = std::clamp<Wide>(-Wide{dy}, r->top, r->bottom);
  r->right = static_cast<A_long>(std::clamp<Wide>(Wide{src->width} - dx, left, r->right));
  r->bottom = static_cast<A_long>(std::clamp<Wide>(Wide{src->height} - dy, top, r->bottom));
  r->left = static_cast<A_long>(left);
  r->top = static_cast<A_long>(top);
  return r;
}

template <class Pixel, class Fn>
PF_Err iterate(PixelDepth depth, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin, void *refcon, Fn fn,
               PF_EffectWorld *dst) {
  Host *host = Host::currentOrNull();
  if (!host || !fn || !dst) return PF_Err_BAD_CALLBACK_PARAM;
  auto d = host->worlds().view(dst);
  if (!d || d->depth != depth) return PF_Err_BAD_CALLBACK_PARAM;
  std::optional<WorldView> s;
  if (src) {
    s = host->worlds().view(src);
    if (!s || s->depth != depth) return PF_Err_BAD_CALLBACK_PARAM;
  }
  const int dx = origin ? origin->h : 0, dy = origin ? origin->v : 0;
  auto r = iterationRect(*d, s, area, dx, dy);
  if (!r) return PF_Err_BAD_CALLBACK_PARAM;
  const int rows = r->bottom - r->top;
  if (rows <= 0 || r->right <= r->left) return PF_Err_NONE;
  std::vector<PF_Err> errors(static_cast<std::size_t>(rows), PF_Err_NONE);
  // The abort check the host makes for the effect, once per row: a cancelled
  // render leaves the remaining rows alone.
  std::atomic<bool> cancelled{false};
  host->threads().run(rows, [&](int, int i) {
    if (cancelled.load(std::memory_order_relaxed) || host->cancelRequested.load(std::memory_order_relaxed)) {
      cancelled = true;
      return;
    }
    const int y = r->top + i;
    auto *out = reinterpret_cast<Pixel *>(d->row(y));
    const long long sy = static_cast<long long>(y) + dy;
    const CodeScope moduleCode(CodeScope::Side::Module);
    for (int x = r->left; x < r->right; ++x) {
      Pixel blank{}; // outside the source: transparent black
      Pixel *in = out + x;
      const long long sx = static_cast<long long>(x) + dx;
      if (s)
        in = (sx >= 0 && sy >= 0 && sx < s->width && sy < s->height)
                 ? reinterpret_cast<Pixel *>(s->row(static_cast<int>(sy))) + sx
                 : &blank;
      if (PF_Err err = fn(refcon, x, y, in, out + x)) {
        errors[static_cast<std::size_t>(i)] = err;
        return;
      }
    }
  });
  for (PF_Err err : errors)
    if (err) return err;
  return cancelled ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

} // namespace

PF_Err iteratePixels8(PF_InData *, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin, void *refcon,
                      PF_IteratePixel8Func fn, PF_EffectWorld *dst) {
  return iterate<PF_Pixel8>(PixelDepth::Bits8, src, area, origin, refcon, fn, dst);
}

PF_Err iteratePixels16(PF_InData *, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin, void *refcon,
                       PF_IteratePixel16Func fn, PF_EffectWorld *dst) {
  return iterate<PF_Pixel16>(PixelDepth::Bits16, src, area, origin, refcon, fn, dst);
}

PF_Err iteratePixelsFloat(PF_InData *, PF_EffectWorld *src, const PF_Rect *area, const PF_Point *origin,
                          void *refcon, PF_IteratePixelFloatFunc fn, PF_EffectWorld *dst) {
  return iterate<PF_PixelFloat>(PixelDepth::Float32, src, area, origin, refcon, fn, dst);
}

PF_Err iterateGeneric(A_long iterations, void *refcon,
                      PF_Err (*fn)(void *refcon, A_long threadIndex, A_long i, A_long iterations)) {
  Host *host = Host::currentOrNull();
  if (!host || !fn) return PF_Err_BAD_CALLBACK_PARAM;
  if (iterations == -1) iterations = host->threads().threadCount();
  if (iterations < 0) return PF_Err_BAD_CALLBACK_PARAM;
  std::vector<PF_Err> errors(static_cast<std::size_t>(iterations), PF_Err_NONE);
  host->threads().run(iterations, [&](int thread, int i) {
    const CodeScope moduleCode(CodeScope::Side::Module);
    errors[static_cast<std::size_t>(i)] = fn(refcon, thread, i, iterations);
  });
  // The lowest failing iteration's error, so the result does not depend on
  // which thread finished first.
  for (PF_Err err : errors)
    if (err) return err;
  return PF_Err_NONE;
}

} // namespace vlam::host
