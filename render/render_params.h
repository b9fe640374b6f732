// The Render effect's parameter list and its parameter-panel behaviour.
#pragma once
#include <vector>

#include "AE_Effect.h"

namespace vlam {

// Definitions of parameters 1-19 in host order.
std::vector<PF_ParamDef> RenderParamDefs();

// PF_Cmd_PARAMS_SETUP: adds the 19 parameters (the first failed add ends the
// setup with its error) and sets num_params to 20.
PF_Err RenderParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);

// PF_Cmd_UPDATE_PARAMS_UI: "Max Brightness" shown only in the Normalised
// mode ("Compositing Mode" read from `params`), the toon group never. The
// first error stops the sequence.
PF_Err RenderUpdateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);

}  // namespace vlam
