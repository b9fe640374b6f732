#include "instance/keyframer.h"

#include "AE_GeneralPlug.h"
#include "frame/aegp_refs.h"
#include "frame/host_error.h"
#include "frame/suite_handler.h"
#include "instance/instance_param_ids.h"
#include "instance/trigger_keys.h"

namespace vlam {

namespace {

constexpr AEGP_PluginID kNoPluginId = 0;

// Inserts (or finds) the key at `time` and sets its one-dimensional value.
A_Err WriteTriggerKey(const AEGP_KeyframeSuite4 *keyframes, AEGP_StreamRefH stream,
                      const A_Time &time, double value) {
  AEGP_KeyframeIndex index = 0;
  A_Err err = keyframes->AEGP_InsertKeyframe(stream, AEGP_LTimeMode_CompTime, &time, &index);
  if (err == A_Err_NONE) {
    AEGP_StreamValue2 keyValue{};
    keyValue.val.one_d = value;
    err = keyframes->AEGP_SetKeyframeValue(stream, index, &keyValue);
  }
  return err;
}

// The composition's frame rate, 24 when the layer has no composition. The
// first error of the two host calls goes to *err.
double CompFrameRate(SuiteHandler &suites, AEGP_LayerH layer, A_Err *err) {
  AEGP_CompH comp = nullptr;
  if (layer != nullptr) {
    const auto *layers = suites.Get<AEGP_LayerSuite7>(kAEGPLayerSuite, kAEGPLayerSuiteVersion7);
    KeepFirstError(*err, layers->AEGP_GetLayerParentComp(layer, &comp));
  }
  A_FpLong fps = kFallbackFrameRate;
  if (comp != nullptr) {
    const auto *comps = suites.Get<AEGP_CompSuite9>(kAEGPCompSuite, kAEGPCompSuiteVersion9);
    KeepFirstError(*err, comps->AEGP_GetCompFramerate(comp, &fps));
  }
  return fps;
}

}  // namespace

PF_Err AddTriggerKeyframes(const PF_InData *in_data, PF_ParamDef *params[]) {
  if (params == nullptr || params[kInstanceRateOfFire] == nullptr ||
      params[kInstanceNumberOfRounds] == nullptr) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  SuiteHandler suites(in_data->pica_basicP);
  const auto *pfInterface =
      suites.Get<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);

  AEGP_LayerH layer = nullptr;
  A_Err err = pfInterface->AEGP_GetEffectLayer(in_data->effect_ref, &layer);
  A_Time now{0, 1};
  if (err == A_Err_NONE && layer != nullptr) {
    const auto *layers = suites.Get<AEGP_LayerSuite7>(kAEGPLayerSuite, kAEGPLayerSuiteVersion7);
    err = layers->AEGP_GetLayerCurrentTime(layer, AEGP_LTimeMode_CompTime, &now);
  }

  // The suites that dispose the references are in hand before the references
  // are made, so they are released on every path.
  ScopedEffectRef effect(suites.Get<AEGP_EffectSuite3>(kAEGPEffectSuite, kAEGPEffectSuiteVersion3));
  if (err == A_Err_NONE) {
    err =
        pfInterface->AEGP_GetNewEffectForEffect(kNoPluginId, in_data->effect_ref, effect.Receive());
  }
  const auto *streams = suites.Get<AEGP_StreamSuite4>(kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
  ScopedStreamRef trigger(streams);
  if (err == A_Err_NONE && effect.get() != nullptr) {
    err = streams->AEGP_GetNewEffectStreamByIndex(kNoPluginId, effect.get(), kInstanceTrigger,
                                                  trigger.Receive());
  }

  if (trigger.get() != nullptr) {
    const double fps = CompFrameRate(suites, layer, &err);
    const TriggerBurst burst{now.value, in_data->local_time_step, fps,
                             params[kInstanceRateOfFire]->u.fs_d.value,
                             params[kInstanceNumberOfRounds]->u.fs_d.value};
    const std::vector<TriggerKey> keys = TriggerKeyPattern(burst);

    ScopedUndoGroup undo(
        suites.Get<AEGP_UtilitySuite5>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5));
    if (err == A_Err_NONE) {
      err = undo.Open(kKeyframerUndoName);
    }
    if (err == A_Err_NONE) {
      const auto *keyframes =
          suites.Get<AEGP_KeyframeSuite4>(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4);
      for (const TriggerKey &key : keys) {
        err =
            WriteTriggerKey(keyframes, trigger.get(), A_Time{key.timeValue, now.scale}, key.value);
        if (err != A_Err_NONE) {
          break;
        }
      }
    }
    KeepFirstError(err, undo.Close());
    KeepFirstError(err, trigger.Release());
  }
  KeepFirstError(err, effect.Release());
  return err;
}

}  // namespace vlam
