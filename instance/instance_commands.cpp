// The Flash Instance's commands as far as the frame provides them: the
// effect has only its input and answers no instance record yet.
#include "instance/instance_commands.h"

#include "frame/effect_setup.h"

namespace vlam {

PF_Err InstanceParamsSetup(PF_InData * /*in_data*/, PF_OutData *out_data,
                           PF_ParamDef * /*params*/[]) {
  return SetupInputOnly(out_data);
}

PF_Err InstanceUserChangedParam(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                                PF_ParamDef * /*params*/[], void * /*extra*/) {
  return PF_Err_NONE;
}

PF_Err InstanceUpdateParamsUI(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                              PF_ParamDef * /*params*/[]) {
  return PF_Err_NONE;
}

PF_Err InstanceDrawOverlay(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                           PF_ParamDef * /*params*/[], void * /*event_extra*/) {
  return PF_Err_NONE;
}

PF_Err InstanceCompletelyGeneral(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                                 PF_ParamDef * /*params*/[], void * /*extra*/) {
  return PF_Err_NONE;
}

}  // namespace vlam
