#include "render/glow_pass.h"

#include <algorithm>
#include <cmath>

#include "AE_EffectCBSuites.h"
#include "frame/host_error.h"
#include "frame/scoped_suite.h"
#include "render/flash_rect.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr double kLayerBrightness[3] = {0.62, 0.475, 0.52};
constexpr double kLayerRadius[3] = {0.354, 0.3675, 0.38};

PF_CompositeMode GlowMode(double b) {
  const double o = std::clamp(b, 0.0, 1.0);
  return PF_CompositeMode{PF_Xfer_ADD, 0, static_cast<A_u_char>(o * 255.0), false,
                          static_cast<A_u_short>(o * 32768.0)};
}

}  // namespace

double GlowStartBrightness(double radius, double brightnessPercent) {
  double b = brightnessPercent * 0.004;
  if (radius <= 20.0) {
    const double u = radius * 0.05;
    b *= (2.0 - u) * u;
  }
  return b;
}

PF_Err GlowPass(FiringContext &firing, double radius, double brightnessPercent, PF_Rect &current) {
  if (!(radius > 0.0) || !(brightnessPercent > 0.0) || RectEmpty(current)) return PF_Err_NONE;
  PF_InData *in_data = firing.frame->in_data;
  WorldBuffer &flash = *firing.flashWorld;
  const double ds = firing.frame->values.downsample;
  const double f = in_data->quality == PF_Quality_HI ? 2.0 : 4.0;
  double b = GlowStartBrightness(radius, brightnessPercent);
  const double scaled = radius * ds;
  const double base = scaled - std::fmod(scaled, f);
  double rho = std::max(base / f, f);
  const double margin = ds * 20.0 + base;

  const A_long width = current.right - current.left;
  const A_long height = current.bottom - current.top;
  const A_long w = static_cast<A_long>((width + 2.0 * margin) / f);
  const A_long h = static_cast<A_long>((height + 2.0 * margin) / f);
  const A_long m = static_cast<A_long>(margin / f);

  WorldBuffer downres, blur;
  PF_Err err = downres.Create(in_data, w, h, PF_PixelFormat_ARGB128, "GLOW_DOWNRES");
  if (err == PF_Err_NONE) err = downres.Clear();
  PF_Rect from = current;
  PF_Rect to{m, m, m + static_cast<A_long>(width / f), m + static_cast<A_long>(height / f)};
  if (err == PF_Err_NONE) err = downres.CopyFrom(&flash.World(), &from, &to);

  current = GrowRect(current, static_cast<A_long>(margin));
  if (err == PF_Err_NONE) err = blur.Create(in_data, w, h, PF_PixelFormat_ARGB128, "GLOW_BLUR");
  PF_FloatMatrix matrix{};
  matrix.mat[0][0] = f;
  matrix.mat[1][1] = f;
  matrix.mat[2][2] = 1.0;
  matrix.mat[2][0] = current.left;
  matrix.mat[2][1] = current.top;

  for (int k = 0; k < 4 && err == PF_Err_NONE; ++k) {
    err = blur.RawCopyFrom(downres);
    if (err == PF_Err_NONE) err = blur.Blur(nullptr, rho, rho, BlurKind::kGaussian);
    if (err == PF_Err_NONE) {
      const PF_CompositeMode mode = GlowMode(b);
      ScopedSuite<PF_WorldTransformSuite1> transforms(in_data->pica_basicP, kPFWorldTransformSuite,
                                                      kPFWorldTransformSuiteVersion1);
      err = transforms->transform_world(in_data->effect_ref, in_data->quality,
                                        PF_MF_Alpha_STRAIGHT, in_data->field, &blur.World(), &mode,
                                        nullptr, &matrix, 1, true, &current, &flash.World());
    }
    if (k < 3) {
      b *= kLayerBrightness[k];
      rho *= kLayerRadius[k];
    }
  }
  KeepFirstError(err, blur.Release());
  KeepFirstError(err, downres.Release());
  return err;
}

}  // namespace vlam
