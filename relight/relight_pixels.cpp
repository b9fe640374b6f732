#include "relight/relight_pixels.h"

#include <algorithm>
#include <cstddef>

#include "render/pixel_convert.h"

namespace vlam {

namespace {

PF_PixelFloat ToFloat(const PF_Pixel8 &p) {
  return {FloatFrom8(p.alpha), FloatFrom8(p.red), FloatFrom8(p.green), FloatFrom8(p.blue)};
}
PF_PixelFloat ToFloat(const PF_Pixel16 &p) {
  return {FloatFrom16(p.alpha), FloatFrom16(p.red), FloatFrom16(p.green), FloatFrom16(p.blue)};
}
PF_PixelFloat ToFloat(const PF_PixelFloat &p) { return p; }

A_u_char FromFloat(float v, A_u_char) { return To8(v); }
A_u_short FromFloat(float v, A_u_short) { return To16(v); }
float FromFloat(float v, float) { return v; }

template <typename Pixel>
const Pixel *PixelAt(const PF_EffectWorld &world, A_long x, A_long y) {
  return reinterpret_cast<const Pixel *>(reinterpret_cast<const char *>(world.data) +
                                         static_cast<std::ptrdiff_t>(world.rowbytes) * y) +
         x;
}

template <typename Pixel>
float MatteAt(const RelightPixelContext &ctx, A_long x, A_long y) {
  const PF_Rect &r = ctx.matteRect;
  float luma = 0.0f;
  if (ctx.matte != nullptr && x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
    const PF_PixelFloat m = ToFloat(*PixelAt<Pixel>(*ctx.matte, x - r.left, y - r.top));
    luma = (0.299f * m.red + 0.587f * m.green + 0.114f * m.blue) * m.alpha;
  }
  return CrushMatte(luma, ctx.crush, ctx.invert);
}

template <typename Pixel>
PF_Err Relight(void *refcon, A_long x, A_long y, const Pixel *in, Pixel *out) {
  const RelightPixelContext &ctx = *static_cast<const RelightPixelContext *>(refcon);
  using Channel = decltype(in->red);
  const float m = MatteAt<Pixel>(ctx, x, y);
  out->alpha = in->alpha;
  if (ctx.mattePreview) {
    out->red = out->green = out->blue = FromFloat(m, Channel{});
    return PF_Err_NONE;
  }
  const PF_PixelFloat p = ToFloat(*in);
  const PF_PixelFloat &i = *PixelAt<PF_PixelFloat>(*ctx.illumination, x, y);
  const PF_PixelFloat &g = *ctx.ambient;
  out->red = FromFloat(RelightChannel(p.red, i.red, m, g.red), Channel{});
  out->green = FromFloat(RelightChannel(p.green, i.green, m, g.green), Channel{});
  out->blue = FromFloat(RelightChannel(p.blue, i.blue, m, g.blue), Channel{});
  return PF_Err_NONE;
}

}  // namespace

float CrushMatte(float luma, float c, bool invert) {
  float m;
  if (luma < c) {
    m = 0.0f;
  } else if (luma > 1.0f - c) {
    m = 1.0f;
  } else {
    m = (luma - c) / (1.0f - 2.0f * c);
  }
  return invert ? 1.0f - m : m;
}

float RelightChannel(float p, float i, float m, float g) {
  const float l = m * i;
  float v = (l + 1.0f) * p + l;
  v = v / (1.0f - std::min(i, 0.99f) * m);
  return (1.0f - v) * g + v;
}

PF_Err RelightPixel8(void *refcon, A_long x, A_long y, PF_Pixel8 *in, PF_Pixel8 *out) {
  return Relight(refcon, x, y, in, out);
}
PF_Err RelightPixel16(void *refcon, A_long x, A_long y, PF_Pixel16 *in, PF_Pixel16 *out) {
  return Relight(refcon, x, y, in, out);
}
PF_Err RelightPixelFloat(void *refcon, A_long x, A_long y, PF_PixelFloat *in,
                         PF_PixelFloat *out) {
  return Relight(refcon, x, y, in, out);
}

}  // namespace vlam
