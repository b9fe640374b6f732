// The Relighter effect's commands behind its entry function.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// "Relight Matte", the layer parameter checked out beside the input.
inline constexpr PF_ParamIndex kRelightMatteParam = 1;

PF_Err RelighterParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err RelighterUpdateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err RelighterPreRender(PF_InData *in_data, PF_PreRenderExtra *extra);
PF_Err RelighterSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra);

}  // namespace vlam
