#include "flash/builder_params.h"

#include <cmath>
#include <cstring>

#include "AE_EffectUI.h"
#include "frame/arbitrary_handler.h"

namespace vlam {

namespace {

using K = BuilderParamKind;

constexpr PF_ParamFlags kCollapsed = PF_ParamFlag_COLLAPSE_TWIRLY;
constexpr PF_ParamFlags kNoTime = PF_ParamFlag_CANNOT_TIME_VARY;
constexpr PF_ParamUIFlags kHidden = PF_PUI_INVISIBLE | PF_PUI_NO_ECW_UI;
constexpr PF_ParamUIFlags kControl = PF_PUI_CONTROL | PF_PUI_DONT_ERASE_CONTROL;
constexpr PF_ValueDisplayFlags kPercent = PF_ValueDisplayFlag_PERCENT;

constexpr BuilderParamDescription Group(const char* name, A_long id, PF_ParamFlags flags = 0) {
  return {K::GroupStart, name, id, flags, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, {}};
}
constexpr BuilderParamDescription GroupEnd(A_long id) {
  return {K::GroupEnd, "", id, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, {}};
}
constexpr BuilderParamDescription Slider(const char* name, A_long id, float validMin, float validMax,
                                         float sliderMin, float sliderMax, double dephault,
                                         A_short precision, PF_ValueDisplayFlags display = 0,
                                         PF_ParamFlags flags = 0, PF_ParamUIFlags uiFlags = 0) {
  return {K::FloatSlider, name, id, flags, uiFlags, 0, 0, validMin, validMax, sliderMin, sliderMax,
          dephault, precision, display, 0, nullptr, {}};
}
constexpr BuilderParamDescription Popup(const char* name, A_long id, A_short count, const char* items,
                                        PF_ParamFlags flags, PF_ParamUIFlags uiFlags, A_short w, A_short h) {
  return {K::Popup, name, id, flags, uiFlags, w, h, 0, 0, 0, 0, 1, 0, 0, count, items, {}};
}
constexpr BuilderParamDescription Profile(const char* name, A_long id) {
  return {K::Arbitrary, name, id, kNoTime, kControl, 320, 120, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, {}};
}

const std::array<BuilderParamDescription, kBuilderParamCount - 1> kParams = {{
    {K::NoData, "", 129, 0, PF_PUI_TOPIC | PF_PUI_DONT_ERASE_CONTROL, 300, 5, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, {}},
    Popup("Flash Identifier", 100, kFlashIdentifierCount, "Flash A|Flash B|Flash C|Flash D",
          PF_ParamFlag_SUPERVISE, 0, 0, 0),
    Group("Main Shape", 101),
    Slider("Length", 102, 100, 500, 100, 250, 250, 0),
    Slider("Diameter", 103, 0.3f, 1, 0.3f, 1, 0.5, 2, 0, 0, kHidden),
    Profile("Flash Shape Profile", 104),
    GroupEnd(101),
    Group("Petals", 110),
    Popup("Petal Configuration", 112, 10,
          "None|One Up|Two Across|Three Star|Three T|Four Star|Four X-Wing|Five Star|Six Star|Eight Star",
          kNoTime, kControl, 320, 120),
    Slider("Length", 113, 50, 200, 50, 200, 100, 0, 0, kCollapsed),
    Slider("Diameter", 114, 0.3f, 1, 0.3f, 1, 0.4, 2, 0, 0, kHidden),
    Profile("Petal Shape Profile", 115),
    Slider("Barrel Radius", 117, 0, 50, 0, 50, 8, 0, 0, kCollapsed),
    Slider("Horizontal Offset", 116, -50, 0, -50, 0, -15, 0, 0, kCollapsed),
    {K::Angle, "Angle", 118, kCollapsed, 0, 0, 0, 0, 0, 0, 0, 75, 0, 0, 0, nullptr, {}},
    Slider("Relative Brightness", 123, 1, 200, 1, 100, 100, 0, kPercent, kCollapsed),
    GroupEnd(110),
    Group("Sparks", 142, PF_ParamFlag_START_COLLAPSED),
    Slider("Max Sparks", 143, 0, 100, 0, 100, 0, 0, 0, kCollapsed),
    Slider("Spark Dispersion", 144, 0, 45, 0, 45, 15, 0, 0, kCollapsed),
    Slider("Spark Brightness", 145, 0, 100, 0, 100, 50, 0, kPercent, kCollapsed),
    GroupEnd(142),
    Group("Flash Properties", 105),
    {K::Colour, "Flash Colour", 121, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, PF_Pixel{255, 255, 186, 118}},
    Slider("Energy Affects Colour Temp", 146, 0, 100, 0, 100, 50, 0, kPercent),
    Slider("Brightness Falloff", 109, 0, 100, 0, 100, 75, 0, kPercent),
    Slider("Displacement Complexity", 147, 0, 100, 0, 100, 25, 0, kPercent),
    Slider("Displacement Amount", 127, 0, 200, 0, 100, 80, 0, kPercent),
    GroupEnd(105),
    Group("Randomisation", 134),
    Slider("Randomise Flash Shape", 135, 0, 100, 0, 100, 0, 0),
    Slider("Randomise Petals", 136, 0, 100, 0, 100, 0, 0, 0, kCollapsed),
    Slider("Randomise Brightness", 137, 0, 100, 0, 100, 0, 0),
    GroupEnd(134),
}};

void CopyName(PF_ParamDef& def, const char* name) {
  std::strncpy(def.name, name, sizeof def.name - 1);
  def.name[sizeof def.name - 1] = '\0';
}

}  // namespace

const std::array<BuilderParamDescription, kBuilderParamCount - 1>& BuilderParamDescriptions() { return kParams; }

PF_ParamDef MakeBuilderParamDef(const BuilderParamDescription& d, ArbitraryHandler* handler,
                                PF_ArbitraryH defaultValue) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  CopyName(def, d.name);
  def.uu.id = d.diskId;
  def.flags = d.flags;
  def.ui_flags = d.uiFlags;
  def.ui_width = d.uiWidth;
  def.ui_height = d.uiHeight;
  switch (d.kind) {
    case K::NoData:
      def.param_type = PF_Param_NO_DATA;
      break;
    case K::GroupStart:
      def.param_type = PF_Param_GROUP_START;
      break;
    case K::GroupEnd:
      def.param_type = PF_Param_GROUP_END;
      break;
    case K::Popup:
      def.param_type = PF_Param_POPUP;
      def.u.pd.num_choices = d.popupCount;
      def.u.pd.dephault = static_cast<A_short>(d.dephault);
      def.u.pd.value = def.u.pd.dephault;
      def.u.pd.u.namesptr = d.popupItems;
      break;
    case K::FloatSlider:
      def.param_type = PF_Param_FLOAT_SLIDER;
      def.u.fs_d.valid_min = d.validMin;
      def.u.fs_d.valid_max = d.validMax;
      def.u.fs_d.slider_min = d.sliderMin;
      def.u.fs_d.slider_max = d.sliderMax;
      def.u.fs_d.value = d.dephault;
      def.u.fs_d.dephault = static_cast<PF_FpShort>(d.dephault);
      def.u.fs_d.precision = d.precision;
      def.u.fs_d.display_flags = d.display;
      def.u.fs_d.curve_tolerance = 0.05f;
      break;
    case K::Angle:
      def.param_type = PF_Param_ANGLE;
      def.u.ad.dephault = static_cast<PF_Fixed>(std::lround(d.dephault * 65536.0));
      def.u.ad.value = def.u.ad.dephault;
      break;
    case K::Colour:
      def.param_type = PF_Param_COLOR;
      def.u.cd.dephault = d.colour;
      def.u.cd.value = d.colour;
      break;
    case K::Arbitrary:
      def.param_type = PF_Param_ARBITRARY_DATA;
      def.u.arb_d.id = static_cast<A_short>(d.diskId);
      def.u.arb_d.dephault = defaultValue;
      def.u.arb_d.value = nullptr;
      def.u.arb_d.refconPV = handler;
      break;
  }
  return def;
}

PF_Err AddBuilderParams(PF_InData* in_data, PF_OutData* out_data, ArbitraryHandler* mainHandler,
                        ArbitraryHandler* petalHandler) {
  if (!in_data->inter.add_param || !in_data->inter.register_ui) return PF_Err_BAD_CALLBACK_PARAM;
  for (std::size_t i = 0; i < kParams.size(); ++i) {
    const BuilderParamDescription& d = kParams[i];
    ArbitraryHandler* handler = nullptr;
    PF_ArbitraryH defaultValue = nullptr;
    if (d.kind == K::Arbitrary) {
      handler = static_cast<PF_ParamIndex>(i + 1) == kBuilderMainProfile ? mainHandler : petalHandler;
      if (!handler) return PF_Err_BAD_CALLBACK_PARAM;
      if (const PF_Err err = handler->NewValue(&defaultValue)) return err;
      if (!defaultValue) return PF_Err_OUT_OF_MEMORY;
    }
    PF_ParamDef def = MakeBuilderParamDef(d, handler, defaultValue);
    if (const PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &def)) {
      if (handler) handler->DisposeValue(defaultValue);  // the host did not take it
      return err;
    }
  }
  PF_CustomUIInfo ui;
  std::memset(&ui, 0, sizeof ui);
  ui.events = PF_CustomEFlag_EFFECT;
  if (const PF_Err err = in_data->inter.register_ui(in_data->effect_ref, &ui)) return err;
  out_data->num_params = kBuilderParamCount;
  return PF_Err_NONE;
}

}  // namespace vlam
