#include "render/smart_render.h"

#include <algorithm>

#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "AE_GeneralPlug.h"
#include "frame/comp_camera_host.h"
#include "frame/host_error.h"
#include "frame/param_checkout.h"
#include "frame/row_bands.h"
#include "frame/scoped_suite.h"
#include "instance/exchange_block.h"
#include "render/flash_collector.h"
#include "render/finishing_passes.h"
#include "render/flash_drawing.h"
#include "render/render_commands.h"
#include "render/smart_render_layers.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

PF_Err AskAbort(const PF_InData *in_data) {
  return in_data->inter.abort != nullptr ? in_data->inter.abort(in_data->effect_ref)
                                         : PF_Err_NONE;
}

const PF_PixelFloat kOpaqueBlack{1.0f, 0.0f, 0.0f, 0.0f};

// Everything after the input has reached the output.
PF_Err DrawFlashes(PF_InData *in_data, PF_OutData *out_data, SmartRenderLayers &layers,
                   FiringPasses &passes) {
  ExchangeBlock block;
  ClearExchangeBlock(block);
  PF_Err err = CollectFlashes(in_data, out_data, block);
  if (err != PF_Err_NONE) return err;

  RenderFrame frame;
  frame.in_data = in_data;
  frame.out_data = out_data;
  frame.input = layers.input();
  frame.output = layers.output();
  frame.values = ComputeFrameValues(*in_data);
  {
    ScopedSuite<PF_WorldSuite2> worlds(in_data->pica_basicP, kPFWorldSuite,
                                       kPFWorldSuiteVersion2);
    err = worlds->PF_GetPixelFormat(frame.output, &frame.outputFormat);
  }
  if (err == PF_Err_NONE) err = AskAbort(in_data);
  if (err != PF_Err_NONE) return err;

  WorldBuffer flashWorld;
  err = flashWorld.Create(in_data, frame.values.worldWidth, frame.values.worldHeight,
                          PF_PixelFormat_ARGB128, "FLASH_WORLD");
  if (err != PF_Err_NONE) return err;

  const ParamCheckout compOnBlack(in_data, kRenderCompOnBlack);
  if (compOnBlack.CheckboxValue()) {
    err = FillWorld(in_data, frame.output, frame.outputFormat, kOpaqueBlack, nullptr);
  }
  if (err != PF_Err_NONE) return err;

  frame.camera = BuildCompCamera(in_data, &err);
  if (err != PF_Err_NONE) return err;
  frame.viewRotation = ViewRotation(frame.camera);
  frame.viewTranslation = ViewTranslation(frame.camera);

  const LockedRenderGlobals globals(in_data);
  frame.globals = globals.get();
  // Without its global record the effect has no tables to draw with.
  if (frame.globals == nullptr || frame.globals->distanceTable == nullptr) {
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
  {
    ScopedSuite<AEGP_IterateSuite1> iterate(in_data->pica_basicP, kAEGPIterateSuite,
                                            kAEGPIterateSuiteVersion1);
    frame.threads = RenderThreadCount(AskHostThreadCount(*iterate.get()));
  }
  const ParamCheckout evolutionSpeed(in_data, kRenderEvolutionSpeed);
  frame.evolution = FrameEvolution(*in_data, evolutionSpeed.FloatValue());
  err = layers.CheckoutGrain();
  frame.grain = layers.grain();

  FlashDrawer drawer(frame, flashWorld);
  const int count = std::clamp<int>(block.table.instanceCount, 0, kMaxInstances);
  for (int k = 0; k < count && err == PF_Err_NONE; ++k) {
    InstanceRecord &instance = block.instances[k];
    if (!InstanceFires(instance, block.table)) continue;
    err = drawer.Draw(k, instance, block.table.designs[instance.designIndex], passes);
  }
  KeepFirstError(err, flashWorld.Release());
  return err;
}

}  // namespace

PF_Err RenderFlashes(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra,
                     FiringPasses &passes) {
  SmartRenderLayers layers(in_data, extra);
  PF_Err err = layers.CheckoutAndCopyInput();
  if (err == PF_Err_NONE) err = DrawFlashes(in_data, out_data, layers, passes);
  KeepFirstError(err, layers.CheckIn());
  return err;
}

PF_Err RenderSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra) {
  FinishingPasses passes;
  return RenderFlashes(in_data, out_data, extra, passes);
}

}  // namespace vlam
