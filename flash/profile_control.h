// What the builder's custom-UI events need to know about its controls:
// which parameters are profile controls, their diameters and preset slots,
// and scoped access to a profile's curve.
#pragma once
#include "AE_EffectCBSuites.h"
#include "AE_EffectUI.h"
#include "flash/builder_globals.h"
#include "flash/shape_curve.h"

namespace vlam {

struct ProfileControl {
  PF_ParamIndex profile;   // the curve parameter
  PF_ParamIndex diameter;  // its hidden "Diameter" slider
  bool petal;              // petal shape (else main shape)
};

// The profile control drawn for a parameter; null for any other parameter.
const ProfileControl *ProfileControlOf(PF_ParamIndex param);

// The preset slots (1-5 at indices 0-4) of the control's kind.
inline PresetSlots &PresetSlotsOf(BuilderGlobals &globals, const ProfileControl &control) {
  return control.petal ? globals.petalPresets : globals.mainPresets;
}

// The parameter at `index` of the event's array, or null when the host gave
// no array or no definition there.
PF_ParamDef *EventParam(PF_ParamDef *params[], PF_ParamIndex index);

double DiameterOf(PF_ParamDef *params[], const ProfileControl &control);
A_long PopupValueOf(PF_ParamDef *params[], PF_ParamIndex index);
void MarkChanged(PF_ParamDef *params[], PF_ParamIndex index);

// The curve held by a profile parameter's value, locked for the scope. get()
// is null without a value handle, for a handle too small to hold a curve or
// when the lock fails. A curve whose count exceeds what the record holds is
// brought back within it before anyone reads it.
class LockedCurve {
 public:
  LockedCurve(const PF_HandleSuite1 &handles, const PF_ParamDef *profile);
  ~LockedCurve();
  LockedCurve(const LockedCurve &) = delete;
  LockedCurve &operator=(const LockedCurve &) = delete;

  ShapeCurve *get() const { return curve_; }

 private:
  const PF_HandleSuite1 &handles_;
  PF_Handle handle_ = nullptr;
  ShapeCurve *curve_ = nullptr;
};

}  // namespace vlam
