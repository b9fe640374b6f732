// The Relighter's commands as far as the frame provides them: its
// pre-render is complete; until the relight itself lands the effect has only
// its input and passes it through.
#include "relight/relighter_commands.h"

#include "frame/effect_setup.h"
#include "frame/smart_render_io.h"

namespace vlam {

PF_Err RelighterParamsSetup(PF_InData * /*in_data*/, PF_OutData *out_data,
                            PF_ParamDef * /*params*/[]) {
  return SetupInputOnly(out_data);
}

PF_Err RelighterUpdateParamsUI(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                               PF_ParamDef * /*params*/[]) {
  return PF_Err_NONE;
}

PF_Err RelighterPreRender(PF_InData *in_data, PF_PreRenderExtra *extra) {
  const PF_Err err = PreRenderInputAndLayer(in_data, extra, kRelightMatteParam);
  if (extra != nullptr && extra->output != nullptr) {
    extra->output->solid = false;
  }
  return err;
}

PF_Err RelighterSmartRender(PF_InData *in_data, PF_OutData * /*out_data*/,
                            PF_SmartRenderExtra *extra) {
  return PassThroughSmartRender(in_data, extra);
}

}  // namespace vlam
