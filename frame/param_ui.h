// Switching a parameter's control on and off, and hiding its stream.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// Replaces the parameter's whole UI-flags word (0 when enabled,
// PF_PUI_DISABLED when not) and hands the definition to PF_UpdateParamUI.
PF_Err SetParamEnabled(const PF_InData *in_data, PF_ParamDef *params[], PF_ParamIndex index,
                       bool enabled);

// Shows or hides the parameter's stream in the timeline and effect controls
// (AEGP_DynStreamFlag_HIDDEN, not undoable). Returns the first host error.
A_Err SetParamVisible(const PF_InData *in_data, PF_ParamIndex index, bool visible);

}  // namespace vlam
