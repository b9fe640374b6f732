// PF_Cmd_UPDATE_PARAMS_UI: the petal controls follow "Petal Configuration".
#pragma once
#include "AE_Effect.h"

namespace vlam {

// Enables the petal controls when "Petal Configuration" names petals and
// disables them at None (or at a value outside its items), in this order:
// "Randomise Petals", petal "Length", "Petal Shape Profile" (through its
// stream, being an arbitrary-data parameter; with petals on its collapse flag
// is also cleared), "Horizontal Offset", "Barrel Radius", "Angle", "Relative
// Brightness". The first failing step ends the command with its error.
PF_Err UpdatePetalControls(PF_InData* in_data, PF_ParamDef* params[]);

}  // namespace vlam
