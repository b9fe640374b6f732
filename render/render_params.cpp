#include "render/render_params.h"

#include "frame/param_defs.h"
#include "frame/param_ui.h"
#include "render/render_param_ids.h"

namespace vlam {

namespace {

constexpr PF_ValueDisplayFlags kPercent = PF_ValueDisplayFlag_PERCENT;
constexpr float kTolerance = 0.05f;

PF_ParamDef WithFlags(PF_ParamDef def, PF_ParamFlags flags) {
  def.flags = flags;
  return def;
}

}  // namespace

std::vector<PF_ParamDef> RenderParamDefs() {
  std::vector<PF_ParamDef> defs;
  defs.reserve(kRenderParamCount - 1);
  defs.push_back(WithFlags(FloatSliderDef("Displacement Evolution Speed", 105,
                                          {0, 10, 0, 10, 1.0f, 1, 0, kTolerance}),
                           PF_ParamFlag_COLLAPSE_TWIRLY));

  defs.push_back(GroupStartDef("Glow", 111));
  defs.push_back(FloatSliderDef("Glow Radius", 114, {0, 1000, 0, 500, 200, 0, 0, kTolerance}));
  defs.push_back(
      FloatSliderDef("Glow Brightness", 115, {0, 100, 0, 100, 10, 0, kPercent, kTolerance}));
  defs.push_back(GroupEndDef(111));

  defs.push_back(GroupStartDef("Render Options", 107));
  defs.push_back(WithFlags(PopupDef("Compositing Mode", 120, 4, kCompositeNormalised,
                                    "Add|Luma Premultiplied|Screen|Normalised"),
                           PF_ParamFlag_SUPERVISE));
  defs.push_back(
      FloatSliderDef("Max Brightness", 121, {75, 100, 75, 100, 95, 0, kPercent, kTolerance}));
  defs.push_back(CheckboxDef("Comp on Black", 133, false, ""));

  // Kept for the projects that store them; never shown, never read.
  defs.push_back(GroupStartDef("Toon Options", 122));
  defs.push_back(FloatSliderDef("Colours", 123, {1, 8, 1, 8, 4, 0, 0, kTolerance}));
  defs.push_back(WithFlags(
      FloatSliderDef("Thickness", 124, {0, 10, 0, 10, 2.5f, 1, kPercent, kTolerance}),
      PF_ParamFlag_SUPERVISE));
  defs.push_back(ColorDef("Outline Colour", 125, PF_Pixel{255, 0, 0, 0}));
  defs.push_back(GroupEndDef(122));
  defs.push_back(GroupEndDef(107));

  defs.push_back(GroupStartDef("Grain", 130));
  defs.push_back(LayerDef("Grain Layer", 131, PF_LayerDefault_NONE));
  defs.push_back(WithFlags(
      FloatSliderDef("Grain Mix", 132, {0, 100, 0, 100, 100, 0, kPercent, kTolerance}),
      PF_ParamFlag_SUPERVISE));
  defs.push_back(GroupEndDef(130));
  return defs;
}

PF_Err RenderParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef * /*params*/[]) {
  return AddParamDefs(in_data, out_data, RenderParamDefs(), kRenderParamCount);
}

PF_Err RenderUpdateParamsUI(PF_InData *in_data, PF_OutData * /*out_data*/,
                            PF_ParamDef *params[]) {
  // The mode comes with the parameter array; parameters must not be checked
  // out during this command, so without the array "Max Brightness" is left
  // as it is.
  if (params != nullptr && params[kRenderCompositingMode] != nullptr) {
    const bool normalised = params[kRenderCompositingMode]->u.pd.value == kCompositeNormalised;
    if (const A_Err err = SetParamVisible(in_data, kRenderMaxBrightness, normalised)) {
      return err;
    }
  }
  for (const PF_ParamIndex hidden :
       {kRenderToonGroup, kRenderToonColours, kRenderToonThickness, kRenderToonOutlineColour}) {
    if (const A_Err err = SetParamVisible(in_data, hidden, false)) {
      return err;
    }
  }
  return PF_Err_NONE;
}

}  // namespace vlam
