#include "modules/selector_params.h"

#include "AE_EffectUI.h"
#include "frame/param_defs.h"
#include "modules/selector_rows.h"

namespace vlam {
namespace {

PF_ParamDef ButtonRowDef(const char *name, A_long disk_id, PF_ParamFlags flags) {
  PF_ParamDef def = NewParamDef(PF_Param_NO_DATA, name, disk_id);
  def.ui_flags = PF_PUI_CONTROL | PF_PUI_DONT_ERASE_CONTROL;
  def.ui_width = 320;
  def.ui_height = 32;
  def.flags = flags;
  return def;
}

}  // namespace

PF_Err AddSelectorParams(PF_InData *in_data, PF_OutData *out_data) {
  if (in_data->inter.add_param == nullptr || in_data->inter.register_ui == nullptr) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  PF_ParamDef modules = ButtonRowDef("Modules", 5, PF_ParamFlag_CANNOT_TIME_VARY);
  if (const PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &modules)) {
    return err;
  }
  PF_ParamDef utilities = ButtonRowDef("Utilities", 6,
                                       PF_ParamFlag_CANNOT_TIME_VARY | PF_ParamFlag_START_COLLAPSED);
  if (const PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &utilities)) {
    return err;
  }
  PF_CustomUIInfo ui{};
  ui.events = PF_CustomEFlag_EFFECT;
  if (const PF_Err err = in_data->inter.register_ui(in_data->effect_ref, &ui)) {
    return err;
  }
  out_data->num_params = kSelectorParamCount;
  return PF_Err_NONE;
}

}  // namespace vlam
