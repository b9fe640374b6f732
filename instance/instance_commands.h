// The Flash Instance effect's commands behind its entry function.
#pragma once
#include "AE_EffectUI.h"
#include "AE_Effect.h"

namespace vlam {

PF_Err InstanceParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err InstanceUserChangedParam(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                void *extra);
PF_Err InstanceUpdateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
// PF_Event_DRAW only: the comp-window overlay.
PF_Err InstanceDrawOverlay(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                           void *event_extra);
// Answers the Render and Relighter effects' request for the instance record.
PF_Err InstanceCompletelyGeneral(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                 void *extra);

}  // namespace vlam
