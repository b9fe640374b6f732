#include "render/post_passes.h"

#include <cmath>

#include "AE_EffectCBSuites.h"
#include "frame/host_error.h"
#include "frame/scoped_suite.h"
#include "render/flash_rect.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr A_long kRectMargin = 10;

// The zoom centre as a whole pixel for the rectangle arithmetic. A centre
// further out than any frame reaches (a position of 1e308 read from a
// project) is pulled in to 2^24 pixels: scaling about it still moves the
// rectangle out of the buffer, and the arithmetic stays inside A_long.
A_long CentrePixel(double v) {
  constexpr double kFar = 16777216.0;
  if (!(v > -kFar)) return static_cast<A_long>(-kFar);  // NaN too
  if (v > kFar) return static_cast<A_long>(kFar);
  return static_cast<A_long>(std::floor(v));
}

const PF_CompositeMode kCopyMode{PF_Xfer_COPY, 0, 255, false, 32768};

const PF_PixelFloat kOpaqueBlack{1.0f, 0.0f, 0.0f, 0.0f};

// The host spreads "FLASH_WORLD" over the positions between the matrices into
// a new buffer cleared to opaque black, which then replaces "FLASH_WORLD".
// Only the destination rectangle (clamped to the buffer) of the new buffer
// can differ from opaque black, so only that part is cleared and copied
// back, and of the rest of "FLASH_WORLD" only the lit part needs clearing:
// the bytes are those of clearing and copying the whole buffer. The new
// buffer keeps the full size because the host places the transformed pixels
// by their position in it.
PF_Err TransformIntoFlash(FiringContext &firing, const PF_FloatMatrix *matrices, A_long count,
                          const PF_Rect &dest, const char *name) {
  PF_InData *in_data = firing.frame->in_data;
  WorldBuffer &flash = *firing.flashWorld;
  const A_long width = flash.World().width, height = flash.World().height;
  const PF_Rect area = ClampRect(dest, width, height);
  WorldBuffer temp;
  PF_Err err = temp.Create(in_data, width, height, PF_PixelFormat_ARGB128, name);
  if (err == PF_Err_NONE && !RectEmpty(area)) err = temp.Fill(kOpaqueBlack, &area);
  if (err == PF_Err_NONE) {
    ScopedSuite<PF_WorldTransformSuite1> transforms(in_data->pica_basicP, kPFWorldTransformSuite,
                                                    kPFWorldTransformSuiteVersion1);
    err = transforms->transform_world(in_data->effect_ref, in_data->quality, PF_MF_Alpha_PREMUL,
                                      in_data->field, &flash.World(), &kCopyMode, nullptr,
                                      matrices, count, true, &dest, &temp.World());
  }
  if (err == PF_Err_NONE && !RectEmpty(area)) err = flash.RawCopyFrom(temp, area);
  if (err == PF_Err_NONE) {
    PF_Rect outside[4];
    const int parts = RectsOutside(ClampRect(firing.lit, width, height), area, outside);
    for (int i = 0; i < parts && err == PF_Err_NONE; ++i) err = flash.Fill(kOpaqueBlack, &outside[i]);
  }
  if (err == PF_Err_NONE) firing.lit = area;
  KeepFirstError(err, temp.Release());
  return err;
}

}  // namespace

ShutterScales ComputeShutterScales(const PF_InData &in_data) {
  double angle = in_data.shutter_angle / 65536.0;
  double phase = in_data.shutter_phase / 65536.0;
  if (angle <= 0.001) {
    angle = 0.125;
    phase = -0.0625;
  }
  ShutterScales s{1.0 + 0.2 * phase, 1.0 + 0.2 * (phase + angle), 0.0};
  s.larger = std::fmax(s.end, 1.0);
  return s;
}

void ZoomCentre(const RenderFrame &frame, const InstanceRecord &instance, double &zx,
                double &zy) {
  zx = frame.values.downsample * instance.position[0] * frame.values.pixelAspect;
  zy = frame.values.downsample * instance.position[1];
}

PF_FloatMatrix ScaleAboutMatrix(double s, double cx, double cy) {
  PF_FloatMatrix m{};
  m.mat[0][0] = s;
  m.mat[1][1] = s;
  m.mat[2][2] = 1.0;
  m.mat[2][0] = cx - s * cx;
  m.mat[2][1] = cy - s * cy;
  return m;
}

PF_Err MotionBlurPass(FiringContext &firing) {
  const PF_EffectWorld &w = firing.flashWorld->World();
  const PF_Rect drawn = RectFromDirty(firing.drawn);
  if (RectEmpty(drawn)) return PF_Err_NONE;
  double zx, zy;
  ZoomCentre(*firing.frame, *firing.instance, zx, zy);
  const ShutterScales shutter = ComputeShutterScales(*firing.frame->in_data);
  const PF_Rect dest =
      ScaleRectAbout(ClampRect(GrowRect(drawn, kRectMargin), w.width, w.height),
                     CentrePixel(zx), CentrePixel(zy), shutter.larger);
  const PF_FloatMatrix matrices[2] = {ScaleAboutMatrix(shutter.start, zx, zy),
                                      ScaleAboutMatrix(shutter.end, zx, zy)};
  return TransformIntoFlash(firing, matrices, 2, dest, "MOTION_BLUR");
}

PF_Err PostScalePass(FiringContext &firing, PF_Rect &current) {
  const PF_EffectWorld &w = firing.flashWorld->World();
  double zx, zy;
  ZoomCentre(*firing.frame, *firing.instance, zx, zy);
  const double post = firing.instance->postScale;
  const double scale = ComputeShutterScales(*firing.frame->in_data).larger * post;
  current = ClampRect(
      GrowRect(ScaleRectAbout(RectFromDirty(firing.drawn), CentrePixel(zx), CentrePixel(zy), scale),
               kRectMargin),
      w.width, w.height);
  if (post == 1.0 || RectEmpty(current)) return PF_Err_NONE;
  const PF_FloatMatrix matrix = ScaleAboutMatrix(post, zx, zy);
  return TransformIntoFlash(firing, &matrix, 1, current, "POST_SCALE");
}

PF_Err DefocusPass(FiringContext &firing, PF_Rect &current) {
  const double d = firing.instance->defocus;
  if (!(d > 0.0) || RectEmpty(current)) return PF_Err_NONE;
  WorldBuffer &flash = *firing.flashWorld;
  // Growing by more than the buffer changes nothing after the clamp; the cap
  // keeps a huge radius from overflowing the pixel type.
  const A_long grow = static_cast<A_long>(std::fmin(d, 1.0e6));
  current = ClampRect(GrowRect(current, grow), flash.World().width, flash.World().height);
  const double radius = d * firing.frame->values.downsample + 0.25;
  const BlurKind kind =
      firing.frame->in_data->quality == PF_Quality_HI ? BlurKind::kGaussian : BlurKind::kBox;
  return flash.Blur(&current, radius, radius, kind);
}

}  // namespace vlam
