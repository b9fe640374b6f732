#include "instance/instance_params.h"

#include <cstring>

#include "AE_EffectUI.h"
#include "frame/param_defs.h"
#include "instance/instance_param_ids.h"

namespace vlam {

namespace {

constexpr PF_ParamFlags kSupervise = PF_ParamFlag_SUPERVISE;
constexpr PF_ParamFlags kCollapsed = PF_ParamFlag_COLLAPSE_TWIRLY;
constexpr PF_ValueDisplayFlags kPercent = PF_ValueDisplayFlag_PERCENT;

PF_ParamDef WithFlags(PF_ParamDef def, PF_ParamFlags flags, PF_ParamUIFlags uiFlags = 0) {
  def.flags = flags;
  def.ui_flags = uiFlags;
  return def;
}

PF_ParamDef TitleStripDef() {
  PF_ParamDef def = NewParamDef(PF_Param_NO_DATA, "", 119);
  def.ui_flags = PF_PUI_TOPIC | PF_PUI_DONT_ERASE_CONTROL;
  def.ui_width = 300;
  def.ui_height = 5;
  return def;
}

// Keyframer settings: whole numbers, not animatable, plain slider control.
PF_ParamDef KeyframerSliderDef(const char *name, A_long diskId, const FloatSliderSetup &setup) {
  return WithFlags(FloatSliderDef(name, diskId, setup), kSupervise | PF_ParamFlag_CANNOT_TIME_VARY,
                   PF_PUI_STD_CONTROL_ONLY);
}

}  // namespace

std::vector<PF_ParamDef> InstanceParamDefs() {
  std::vector<PF_ParamDef> defs;
  defs.reserve(kInstanceParamCount - 1);
  defs.push_back(TitleStripDef());
  defs.push_back(PopupDef("Flash Identifier", 100, 4, 1, "Flash A|Flash B|Flash C|Flash D"));

  defs.push_back(GroupStartDef("Transform", 101));
  defs.push_back(WithFlags(PopupDef("Aim System", 126, 2, 1, "EZ-Aim|YZX Rotation"), kSupervise));
  defs.push_back(
      WithFlags(PopupDef("Barrel Shape (UI only)", 129, 2, 1, "Round|Square"), kSupervise));
  defs.push_back(WithFlags(Point3DDef("Position", 122, 50.0, 50.0, 0.0), kSupervise));
  defs.push_back(WithFlags(PointDef("Aim", 123, 30, 50), kSupervise));
  defs.push_back(CheckboxDef("Point Away", 125, false, ""));
  defs.push_back(WithFlags(AngleDef("Sweep", 103, 0.0), kSupervise | kCollapsed));
  defs.push_back(WithFlags(AngleDef("Tilt", 104, 0.0), kSupervise | kCollapsed));
  defs.push_back(WithFlags(AngleDef("Roll", 105, 0.0), kCollapsed));
  defs.push_back(FloatSliderDef("Post Scale", 128, {25, 1000, 100, 500, 100, 0, kPercent, 0.05f}));
  defs.push_back(GroupEndDef(101));

  defs.push_back(GroupStartDef("Keyframer", 107));
  defs.push_back(
      KeyframerSliderDef("Rate of Fire (Rounds Per Second)", 108, {1, 20, 1, 20, 12, 0, 0, 0}));
  defs.push_back(KeyframerSliderDef("Number of Rounds", 109, {1, 1000, 1, 100, 1, 0, 0, 0}));
  defs.push_back(WithFlags(ButtonDef("Add Keyframes", 112, "Vlam!"), kSupervise));
  defs.push_back(CheckboxDef("Trigger", 113, true, ""));
  defs.push_back(GroupEndDef(107));

  defs.push_back(GroupStartDef("Instance Options", 114));
  defs.push_back(FloatSliderDef("Random Seed", 127, {0, 2047, 0, 2047, 1024, 0, 0, 0.05f}));
  defs.push_back(
      FloatSliderDef("Randomness Override", 121, {0, 100, 0, 100, 100, 0, kPercent, 0.05f}));
  defs.push_back(FloatSliderDef("Brightness", 115, {0, 200, 0, 100, 100, 0, kPercent, 0.05f}));
  defs.push_back(FloatSliderDef("Defocus", 116, {0, 25, 0, 25, 0, 1, 0, 0.05f}));
  defs.push_back(GroupEndDef(114));

  defs.push_back(GroupStartDef("Mask", 117));
  defs.push_back(PathDef("Mask Path", 118, 0));
  defs.push_back(GroupEndDef(117));
  return defs;
}

PF_Err AddInstanceParams(PF_InData *in_data, PF_OutData *out_data) {
  if (in_data->inter.add_param == nullptr || in_data->inter.register_ui == nullptr) {
    return PF_Err_INVALID_CALLBACK;
  }
  for (PF_ParamDef &def : InstanceParamDefs()) {
    if (const PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &def)) {
      return err;
    }
  }
  PF_CustomUIInfo ui;
  std::memset(&ui, 0, sizeof ui);
  ui.events = PF_CustomEFlag_COMP | PF_CustomEFlag_LAYER | PF_CustomEFlag_EFFECT;
  const PF_Err err = in_data->inter.register_ui(in_data->effect_ref, &ui);
  out_data->num_params = kInstanceParamCount;
  return err;
}

}  // namespace vlam
