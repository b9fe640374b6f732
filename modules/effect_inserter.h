// Applying a module effect from a Module Selector click and filing it next
// to the effects of its kind on the selector's layer.
#pragma once
#include "AE_GeneralPlug.h"
#include "frame/suite_handler.h"

namespace vlam {

enum class PlaceMode : A_long {
  kNone = 0,         // no search: straight to the fallback or the top
  kBeforeFirst = 1,  // search from the top, file before the first anchor
  kAfterLast = 2,    // search from the bottom, file after the last anchor
};

// One per click. The new effect's reference is disposed when the inserter
// goes out of scope; the effect itself stays on the layer.
class EffectInserter {
 public:
  explicit EffectInserter(const PF_InData *in_data) : in_data_(in_data), suites_(in_data->pica_basicP) {}
  ~EffectInserter();
  EffectInserter(const EffectInserter &) = delete;
  EffectInserter &operator=(const EffectInserter &) = delete;

  // The layer carrying this effect; stays null when the host cannot say.
  void FindLayer();
  // Applies the installed effect with this match name to the layer. A name
  // that is not installed, or no layer, applies nothing.
  A_Err Apply(const char *match_name);
  // Moves the applied effect next to the anchor (see PlaceMode), skipping
  // the new effect's own position. Without an anchor on the layer the
  // fallback anchor is tried the same way, and without that the effect goes
  // to the top. Returns the first host error; nothing is moved once one is
  // met.
  A_Err Place(PlaceMode mode, const char *anchor, const char *fallback);

  AEGP_LayerH layer() const { return layer_; }
  AEGP_EffectRefH new_effect() const { return new_effect_; }

 private:
  const AEGP_EffectSuite3 &Effects();
  // The new effect's index in the layer's effect list, found through its
  // stream group; 0 when the host cannot tell.
  A_long OwnPosition();
  A_Err DisposeNewEffect();

  const PF_InData *in_data_;
  SuiteHandler suites_;
  AEGP_LayerH layer_ = nullptr;
  AEGP_EffectRefH new_effect_ = nullptr;
};

}  // namespace vlam
