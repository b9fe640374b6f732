// Switching a parameter's control on and off, and hiding its stream.
#pragma once
#include "AE_Effect.h"
#include "AE_GeneralPlug.h"

namespace vlam {

// Replaces the parameter's whole UI-flags word (0 when enabled,
// PF_PUI_DISABLED when not) and hands the definition to PF_UpdateParamUI.
PF_Err SetParamEnabled(const PF_InData *in_data, PF_ParamDef *params[], PF_ParamIndex index,
                       bool enabled);

// Shows or hides the parameter's stream in the timeline and effect controls
// (AEGP_DynStreamFlag_HIDDEN, not undoable). Returns the first host error.
A_Err SetParamVisible(const PF_InData *in_data, PF_ParamIndex index, bool visible);

// Switches the control of a parameter that PF_UpdateParamUI cannot reach (an
// arbitrary-data parameter) through its stream's AEGP_DynStreamFlag_DISABLED.
A_Err SetParamStreamEnabled(const PF_InData *in_data, PF_ParamIndex index, bool enabled);

// Sets or clears one dynamic flag of the parameter's stream, not undoable:
// a new effect reference for this effect, the parameter's stream, the flag,
// both disposed again. Returns the first host error.
A_Err SetParamStreamFlag(const PF_InData *in_data, PF_ParamIndex index, AEGP_DynStreamFlags flag,
                         bool set);

}  // namespace vlam
