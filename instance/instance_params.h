// The Flash Instance effect's parameters and its custom-UI registration.
#pragma once
#include <vector>

#include "AE_Effect.h"

namespace vlam {

// Definitions of parameters 1-28 in host order (the input layer, index 0, is
// the host's own).
std::vector<PF_ParamDef> InstanceParamDefs();

// PF_Cmd_PARAMS_SETUP: adds the 28 parameters (a failed add ends the setup
// with its error), registers custom UI for the comp, layer and effect
// controls windows, sets num_params to 29 and returns the registration's
// result.
PF_Err AddInstanceParams(PF_InData *in_data, PF_OutData *out_data);

}  // namespace vlam
