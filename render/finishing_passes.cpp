#include "render/finishing_passes.h"

#include "AE_EffectCBSuites.h"
#include "frame/param_checkout.h"
#include "frame/scoped_suite.h"
#include "render/compositing.h"
#include "render/glow_pass.h"
#include "render/post_passes.h"
#include "render/render_param_ids.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

// The grain layer when it can be read as float pixels covering its own
// width and height; otherwise none.
const PF_EffectWorld *UsableGrain(const RenderFrame &frame) {
  const PF_EffectWorld *grain = frame.grain;
  if (grain == nullptr || grain->data == nullptr || grain->width <= 0 || grain->height <= 0)
    return nullptr;
  if (grain->rowbytes < grain->width * static_cast<A_long>(sizeof(PF_PixelFloat))) return nullptr;
  ScopedSuite<PF_WorldSuite2> worlds(frame.in_data->pica_basicP, kPFWorldSuite,
                                     kPFWorldSuiteVersion2);
  PF_PixelFormat format = PF_PixelFormat_INVALID;
  if (worlds->PF_GetPixelFormat(grain, &format) != PF_Err_NONE ||
      format != PF_PixelFormat_ARGB128)
    return nullptr;
  return grain;
}

}  // namespace

PF_Err FinishingPasses::BeforeSparks(FiringContext &firing) { return MotionBlurPass(firing); }

PF_Err FinishingPasses::AfterSparks(FiringContext &firing) {
  PF_Rect current{};
  PF_Err err = PostScalePass(firing, current);
  if (err == PF_Err_NONE) err = MaskPass(firing);
  if (err == PF_Err_NONE) err = DefocusPass(firing, current);
  if (err == PF_Err_NONE) {
    const PF_InData *in_data = firing.frame->in_data;
    const ParamCheckout radius(in_data, kRenderGlowRadius);
    const ParamCheckout brightness(in_data, kRenderGlowBrightness);
    err = radius.error() != PF_Err_NONE ? radius.error() : brightness.error();
    if (err == PF_Err_NONE) {
      err = GlowPass(firing, radius.FloatValue(), brightness.FloatValue(), current);
    }
  }
  if (err == PF_Err_NONE) err = CompositeFiring(firing, current);
  return err;
}

PF_Err CompositeFiring(FiringContext &firing, const PF_Rect &current) {
  const RenderFrame &frame = *firing.frame;
  const PF_InData *in_data = frame.in_data;
  const ParamCheckout grainMix(in_data, kRenderGrainMix);
  const ParamCheckout mode(in_data, kRenderCompositingMode);
  PF_Err err = grainMix.error() != PF_Err_NONE ? grainMix.error() : mode.error();
  if (err != PF_Err_NONE) return err;

  CompositeSettings settings;
  settings.toneTable = frame.globals->toneTable;
  settings.toneSize = kToneTableSize;
  settings.toneRange = 4.0f;
  settings.grainAmount = static_cast<float>(grainMix.FloatValue() * 0.02);
  const PixelFunction pixel = PixelFunctionFor(mode.PopupValue());
  if (mode.PopupValue() == kCompositeNormalised) {
    const ParamCheckout maxBrightness(in_data, kRenderMaxBrightness);
    if (maxBrightness.error() != PF_Err_NONE) return maxBrightness.error();
    settings.maxBrightness = static_cast<float>(maxBrightness.FloatValue() * 0.01);
    NormalisedTint(firing.design->flashColour, settings.maxBrightness, settings.tintRed,
                   settings.tintBlue);
  }
  const PF_EffectWorld &flash = firing.flashWorld->World();
  const CompositeRegion region =
      MapCompositeRegion(*in_data, current, flash.width, flash.height, *frame.output);
  const PF_EffectWorld *grain =
      frame.outputFormat == PF_PixelFormat_ARGB128 && settings.grainAmount > 0.0f
          ? UsableGrain(frame)
          : nullptr;
  return CompositeFlash(in_data, pixel, settings, region, flash, *frame.output, frame.outputFormat,
                        grain, frame.threads);
}

}  // namespace vlam
