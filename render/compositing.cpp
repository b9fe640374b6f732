#include "render/compositing.h"

#include <algorithm>
#include <cstddef>

#include "frame/row_bands.h"
#include "render/pixel_convert.h"

namespace vlam {

CompositeRegion MapCompositeRegion(const PF_InData &in_data, const PF_Rect &flashRect,
                                   A_long flashWidth, A_long flashHeight,
                                   const PF_EffectWorld &output) {
  const double par = in_data.pixel_aspect_ratio.den != 0
                         ? static_cast<double>(in_data.pixel_aspect_ratio.num) /
                               in_data.pixel_aspect_ratio.den
                         : 1.0;
  const double dx = in_data.downsample_x.den != 0 ? in_data.downsample_x.den : 1;
  const double dy = in_data.downsample_y.den != 0 ? in_data.downsample_y.den : 1;
  const double q = dx / dy;

  A_long left = static_cast<A_long>(std::max<A_long>(flashRect.left, 0) / par);
  A_long right = static_cast<A_long>(std::min(flashRect.right, flashWidth) / par);
  A_long top = std::max<A_long>(flashRect.top, 0);
  A_long bottom = std::min(flashRect.bottom, flashHeight);
  CompositeRegion r{0, 0, 0, 0, par, 1.0};
  if (q > 1.0) {
    left = static_cast<A_long>(left / q);
    right = static_cast<A_long>(right / q);
    r.scaleX = par * q;
  } else if (q < 1.0) {
    top = static_cast<A_long>(top * q);
    bottom = static_cast<A_long>(bottom * q);
    r.scaleY = 1.0 / q;
  }
  r.x0 = std::max(left, output.origin_x);
  r.y0 = std::max(top, output.origin_y);
  r.x1 = std::min(right, output.origin_x + output.width);
  r.y1 = std::min(bottom, output.origin_y + output.height);
  return r;
}

namespace {

struct RowJob {
  PixelFunction pixel;
  const CompositeSettings *settings;
  CompositeRegion region;
  const PF_EffectWorld *flash;
  PF_EffectWorld *output;
  const PF_EffectWorld *grain;  // float, or null
};

template <typename Pixel>
Pixel *PixelAt(const PF_EffectWorld &w, A_long x, A_long y) {
  return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) +
                                   static_cast<std::ptrdiff_t>(w.rowbytes) * y) +
         x;
}

PF_PixelFloat ToFloat(const PF_PixelFloat &p) { return p; }
PF_PixelFloat ToFloat(const PF_Pixel16 &p) {
  return {FloatFrom16(p.alpha), FloatFrom16(p.red), FloatFrom16(p.green), FloatFrom16(p.blue)};
}
PF_PixelFloat ToFloat(const PF_Pixel8 &p) {
  return {FloatFrom8(p.alpha), FloatFrom8(p.red), FloatFrom8(p.green), FloatFrom8(p.blue)};
}
void Store(const PF_PixelFloat &v, PF_PixelFloat &p) { p = v; }
void Store(const PF_PixelFloat &v, PF_Pixel16 &p) { p = ToPixel16(v); }
void Store(const PF_PixelFloat &v, PF_Pixel8 &p) { p = ToPixel8(v); }

template <typename Pixel>
A_Err CompositeRows(void *data, A_long first, A_long last, A_long) {
  const RowJob &job = *static_cast<const RowJob *>(data);
  const CompositeRegion &g = job.region;
  const PF_EffectWorld &flash = *job.flash;
  const PF_EffectWorld &out = *job.output;
  const PF_PixelFloat noGrain{0.0f, 0.0f, 0.0f, 0.0f};
  CompositeSettings settings = *job.settings;
  if (job.grain == nullptr) settings.grainAmount = 0.0f;
  for (A_long Y = g.y0 + first; Y <= g.y0 + last; ++Y) {
    const A_long fy = static_cast<A_long>(Y * g.scaleY);
    if (fy < 0 || fy >= flash.height) continue;
    const A_long oy = Y - out.origin_y;
    for (A_long X = g.x0; X < g.x1; ++X) {
      const A_long fx = static_cast<A_long>(X * g.scaleX);
      if (fx < 0 || fx >= flash.width) continue;
      const A_long ox = X - out.origin_x;
      Pixel &o = *PixelAt<Pixel>(out, ox, oy);
      PF_PixelFloat value = ToFloat(o);
      const float alpha = value.alpha;
      // A private copy: the grain step never writes into the shared buffer.
      PF_PixelFloat f = *PixelAt<PF_PixelFloat>(flash, fx, fy);
      const PF_PixelFloat *grain = &noGrain;
      CompositeSettings local = settings;
      if (job.grain != nullptr) {
        if (ox < job.grain->width && oy < job.grain->height) {
          grain = PixelAt<PF_PixelFloat>(*job.grain, ox, oy);
        } else {
          local.grainAmount = 0.0f;
        }
      }
      job.pixel(local, f, *grain, value);
      value.alpha = alpha;
      Store(value, o);
    }
  }
  return A_Err_NONE;
}

}  // namespace

PF_Err CompositeFlash(const PF_InData *in_data, PixelFunction pixel,
                      const CompositeSettings &settings, const CompositeRegion &region,
                      const PF_EffectWorld &flash, PF_EffectWorld &output,
                      PF_PixelFormat outputFormat, const PF_EffectWorld *grain, A_long threads) {
  RowJob job{pixel, &settings, region, &flash, &output, nullptr};
  RowBandFunction rows = nullptr;
  switch (outputFormat) {
    case PF_PixelFormat_ARGB128:
      rows = CompositeRows<PF_PixelFloat>;
      job.grain = grain;
      break;
    case PF_PixelFormat_ARGB64:
      rows = CompositeRows<PF_Pixel16>;
      break;
    case PF_PixelFormat_ARGB32:
      rows = CompositeRows<PF_Pixel8>;
      break;
    default:
      return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (pixel == nullptr || region.x0 >= region.x1 || region.y0 >= region.y1) return PF_Err_NONE;
  return RunRowBands(in_data, region.y1 - region.y0, threads, &job, rows);
}

}  // namespace vlam
