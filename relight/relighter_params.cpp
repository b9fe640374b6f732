#include "relight/relighter_params.h"

#include "frame/param_defs.h"
#include "frame/param_ui.h"

namespace vlam {

namespace {

constexpr PF_ValueDisplayFlags kPercent = PF_ValueDisplayFlag_PERCENT;
constexpr float kTolerance = 0.05f;

}  // namespace

std::vector<PF_ParamDef> RelighterParamDefs() {
  std::vector<PF_ParamDef> defs;
  defs.reserve(kRelighterParamCount - 1);
  defs.push_back(LayerDef("Relight Matte", 100, PF_LayerDefault_MYSELF));
  defs.push_back(GroupStartDef("Process Matte", 107));
  defs.push_back(FloatSliderDef("Crush Matte", 108, {0, 100, 0, 100, 0, 0, kPercent, kTolerance}));
  defs.push_back(CheckboxDef("Invert Matte", 110, false, ""));
  defs.push_back(PopupDef("View", 109, 2, static_cast<A_short>(kRelightViewResult),
                          "Matte Preview|Result"));
  defs.push_back(GroupEndDef(107));
  PF_ParamDef useFlash = CheckboxDef("Use Flash Colour", 101, true, "");
  useFlash.flags =
      PF_ParamFlag_SUPERVISE | PF_ParamFlag_CANNOT_TIME_VARY | PF_ParamFlag_CANNOT_INTERP;
  defs.push_back(useFlash);
  defs.push_back(ColorDef("Relight Colour", 102, PF_Pixel{255, 255, 192, 64}));
  defs.push_back(FloatSliderDef("Light Spread", 103, {5, 50, 5, 50, 10, 0, 0, kTolerance}));
  defs.push_back(
      FloatSliderDef("Relight Gain", 104, {0, 100, 0, 100, 100, 0, kPercent, kTolerance}));
  defs.push_back(
      FloatSliderDef("Relight Ambient", 105, {0, 100, 0, 100, 15, 0, kPercent, kTolerance}));
  return defs;
}

PF_Err RelighterParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef * /*params*/[]) {
  return AddParamDefs(in_data, out_data, RelighterParamDefs(), kRelighterParamCount);
}

PF_Err RelighterUpdateParamsUI(PF_InData *in_data, PF_OutData * /*out_data*/,
                               PF_ParamDef *params[]) {
  if (params == nullptr || params[kRelightUseFlashColour] == nullptr ||
      params[kRelightColour] == nullptr) {
    return PF_Err_NONE;
  }
  const bool useFlash = (params[kRelightUseFlashColour]->u.bd.value & 0xFF) != 0;
  return SetParamEnabled(in_data, params, kRelightColour, !useFlash);
}

}  // namespace vlam
