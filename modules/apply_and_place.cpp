#include "modules/apply_and_place.h"

#include "frame/host_error.h"
#include "modules/installed_effects.h"

namespace vlam {
namespace {

// The index of the first effect on the layer with the anchor's match name,
// or -1.
A_Err FindAnchor(const AEGP_EffectSuite3 &effects, AEGP_LayerH layer, A_long count,
                 const char *anchor, A_long *found) {
  *found = -1;
  A_Err err = A_Err_NONE;
  for (A_long i = 0; err == A_Err_NONE && i < count; ++i) {
    AEGP_EffectRefH effect = nullptr;
    err = effects.AEGP_GetLayerEffectByIndex(0, layer, i, &effect);
    bool same = false;
    if (err == A_Err_NONE) {
      err = EffectHasMatchName(effects, effect, anchor, &same);
    }
    if (effect != nullptr) {
      KeepFirstError(err, effects.AEGP_DisposeEffect(effect));
    }
    if (err == A_Err_NONE && same) {
      *found = i;
      break;
    }
  }
  return err;
}

}  // namespace

A_Err ApplyAndPlace(SuiteHandler &suites, AEGP_LayerH layer, const char *match_name,
                    Placement placement, const char *anchor_match_name) {
  const AEGP_EffectSuite3 &effects =
      *suites.Get<AEGP_EffectSuite3>(kAEGPEffectSuite, kAEGPEffectSuiteVersion3);

  AEGP_EffectRefH applied = nullptr;
  A_Err err = ApplyInstalledEffect(effects, layer, match_name, &applied);
  if (applied == nullptr) {
    return err;
  }

  A_long count = 0;
  if (err == A_Err_NONE) {
    err = effects.AEGP_GetLayerNumEffects(layer, &count);
  }
  A_long target = 0;
  const bool anchored =
      placement == Placement::kBeforeAnchor || placement == Placement::kAfterAnchor;
  if (err == A_Err_NONE && anchored && count > 0) {
    A_long anchor = -1;
    err = FindAnchor(effects, layer, count, anchor_match_name, &anchor);
    if (anchor >= 0) {
      target = placement == Placement::kBeforeAnchor ? anchor : anchor + 1;
    }
  }
  if (err == A_Err_NONE) {
    err = effects.AEGP_ReorderEffect(applied, target);
  }
  KeepFirstError(err, effects.AEGP_DisposeEffect(applied));
  return err;
}

}  // namespace vlam
