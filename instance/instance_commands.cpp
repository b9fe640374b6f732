// The Flash Instance's own commands behind its entry function.
#include "instance/instance_commands.h"

#include "instance/aim_controls.h"
#include "instance/instance_param_ids.h"
#include "instance/instance_params.h"
#include "instance/instance_record_answer.h"
#include "instance/keyframer.h"
#include "instance/overlay_draw.h"

namespace vlam {

PF_Err InstanceParamsSetup(PF_InData *in_data, PF_OutData *out_data,
                           PF_ParamDef * /*params*/[]) {
  return AddInstanceParams(in_data, out_data);
}

PF_Err InstanceUserChangedParam(PF_InData *in_data, PF_OutData * /*out_data*/,
                                PF_ParamDef *params[], void *extra) {
  if (extra == nullptr) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const PF_ParamIndex changed = static_cast<const PF_UserChangedParamExtra *>(extra)->param_index;
  if (changed == kInstanceAddKeyframes) {
    return AddTriggerKeyframes(in_data, params);
  }
  return KeepAimControlsInStep(params, changed);
}

PF_Err InstanceUpdateParamsUI(PF_InData *in_data, PF_OutData * /*out_data*/,
                              PF_ParamDef *params[]) {
  return EnableAimControls(in_data, params);
}

PF_Err InstanceDrawOverlay(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                           void *event_extra) {
  return DrawInstanceOverlay(in_data, out_data, params, static_cast<PF_EventExtra *>(event_extra));
}

PF_Err InstanceCompletelyGeneral(PF_InData *in_data, PF_OutData * /*out_data*/,
                                 PF_ParamDef * /*params*/[], void *extra) {
  return AnswerInstanceRecord(in_data, extra);
}

}  // namespace vlam
