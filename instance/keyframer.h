// The "Vlam!" button: a burst of hold keys on the instance's own "Trigger"
// stream, written at the current time inside one undo group.
#pragma once
#include "AE_Effect.h"

namespace vlam {

inline constexpr const char *kKeyframerUndoName = "Add Vlam Keyframes";
inline constexpr double kFallbackFrameRate = 24.0;  // a layer with no composition

// Reads "Rate of Fire" and "Number of Rounds" from params, the current time
// and frame rate from the host, and writes the key pattern. The first host
// error is returned; later writes are skipped, an opened undo group is still
// closed and both host references are disposed. A missing suite throws
// PF_Err_BAD_CALLBACK_PARAM.
PF_Err AddTriggerKeyframes(const PF_InData *in_data, PF_ParamDef *params[]);

}  // namespace vlam
