#include "modules/effect_inserter.h"

#include "frame/aegp_refs.h"
#include "frame/effect_layer.h"
#include "frame/host_error.h"
#include "modules/installed_effects.h"

namespace vlam {

EffectInserter::~EffectInserter() {
  // The suite is cached already whenever there is a reference to dispose.
  static_cast<void>(DisposeNewEffect());
}

const AEGP_EffectSuite3 &EffectInserter::Effects() {
  return *suites_.Get<AEGP_EffectSuite3>(kAEGPEffectSuite, kAEGPEffectSuiteVersion3);
}

A_Err EffectInserter::DisposeNewEffect() {
  if (new_effect_ == nullptr) {
    return A_Err_NONE;
  }
  AEGP_EffectRefH effect = new_effect_;
  new_effect_ = nullptr;
  return Effects().AEGP_DisposeEffect(effect);
}

void EffectInserter::FindLayer() { layer_ = GetEffectLayer(in_data_); }

A_Err EffectInserter::Apply(const char *match_name) {
  const AEGP_EffectSuite3 &effects = Effects();
  A_Err err = DisposeNewEffect();
  if (layer_ == nullptr || err != A_Err_NONE) {
    return err;
  }
  return ApplyInstalledEffect(effects, layer_, match_name, &new_effect_);
}

A_long EffectInserter::OwnPosition() {
  const auto *streams = suites_.Get<AEGP_StreamSuite4>(kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
  const auto *dynamic =
      suites_.Get<AEGP_DynamicStreamSuite4>(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion4);
  ScopedStreamRef first_param(streams);
  ScopedStreamRef effect_group(streams);
  A_long index = 0;
  A_Err err = streams->AEGP_GetNewEffectStreamByIndex(0, new_effect_, 1, first_param.Receive());
  if (err == A_Err_NONE) {
    err = dynamic->AEGP_GetNewParentStreamRef(0, first_param.get(), effect_group.Receive());
  }
  if (err == A_Err_NONE) {
    err = dynamic->AEGP_GetStreamIndexInParent(effect_group.get(), &index);
  }
  return err == A_Err_NONE ? index : 0;
}

A_Err EffectInserter::Place(PlaceMode mode, const char *anchor, const char *fallback) {
  if (new_effect_ == nullptr) {
    return A_Err_NONE;
  }
  const AEGP_EffectSuite3 &effects = Effects();
  A_long count = 0;
  A_Err err = effects.AEGP_GetLayerNumEffects(layer_, &count);
  const A_long own = OwnPosition();

  bool found = false;
  const bool walk = mode == PlaceMode::kBeforeFirst || mode == PlaceMode::kAfterLast;
  for (A_long step = 0; walk && !found && err == A_Err_NONE && step < count; ++step) {
    const A_long i = mode == PlaceMode::kBeforeFirst ? step : count - 1 - step;
    ScopedEffectRef effect(&effects);
    err = effects.AEGP_GetLayerEffectByIndex(0, layer_, i, effect.Receive());
    bool same = false;
    if (err == A_Err_NONE && i != own) {
      err = EffectHasMatchName(effects, effect.get(), anchor, &same);
    }
    if (err == A_Err_NONE && same) {
      found = true;
      err = effects.AEGP_ReorderEffect(new_effect_, mode == PlaceMode::kBeforeFirst ? i : i + 1);
    }
    KeepFirstError(err, effect.Release());
  }
  if (!found && err == A_Err_NONE) {
    err = fallback != nullptr ? Place(mode, fallback, nullptr) : effects.AEGP_ReorderEffect(new_effect_, 0);
  }
  return err;
}

}  // namespace vlam
