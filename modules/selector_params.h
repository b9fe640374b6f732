// The Module Selector's parameters: two button rows drawn as custom UI.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// Adds "Modules" and "Utilities", then registers custom UI for the effect
// controls window; num_params becomes 3. The first failing host call ends
// the setup with its error.
PF_Err AddSelectorParams(PF_InData *in_data, PF_OutData *out_data);

}  // namespace vlam
