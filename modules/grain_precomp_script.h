// The host scripts the utility plug-in runs for RequestCommand.
#pragma once
#include "A.h"

namespace vlam {

// Builds a grain precomposition for the one selected layer of the active
// comp: a guide copy of the layer and a grey solid carrying the outside
// "VISINF Grain Implant" effect, precomposed, moved to the bottom and
// switched off, inside the undo group "Add Vlam Grain Precomp".
const char *GrainPrecompScript();

// The script for a command code: the grain script for 1, empty otherwise.
const char *ScriptForCommand(A_long command);

}  // namespace vlam
