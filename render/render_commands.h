// The Render effect's commands behind its entry function.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// "Grain Layer", the layer parameter checked out beside the input.
inline constexpr PF_ParamIndex kRenderGrainLayerParam = 17;

inline constexpr A_u_long kRenderGlobalsSize = 10332;

// Global record: allocation and release (the record's contents and the
// buffers it owns belong to the render subsystem).
PF_Err CreateRenderGlobals(PF_InData *in_data, PF_OutData *out_data);
PF_Err ReleaseRenderGlobals(PF_InData *in_data, PF_OutData *out_data);

PF_Err RenderParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err RenderUpdateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err RenderSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra);

// Sequence setup: asks the utility plug-in to put the module effects on this
// effect's layer.
PF_Err RequestModuleStackForLayer(PF_InData *in_data, PF_OutData *out_data);

// PF_Cmd_COMPLETELY_GENERAL: marks the caller's record as coming from a
// layer that carries a Render effect.
PF_Err AnswerRenderQuery(void *extra);

}  // namespace vlam
