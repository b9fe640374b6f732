// Keeping the aim controls ("Position", "Aim", "Point Away", "Sweep", "Tilt")
// in step when the user edits one of them, and switching them on and off by
// "Aim System".
#pragma once
#include "AE_Effect.h"

namespace vlam {

inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerFixedDegree = 2.663161090079238e-7;  // pi / (180 x 65536)

// PF_Cmd_USER_CHANGED_PARAM for the aim controls. Under EZ-Aim a change of
// "Position" or "Aim" rewrites "Sweep" and "Tilt"; a change of "Sweep" or
// "Tilt" rewrites "Aim" and "Point Away" under either system. Rewritten
// parameters are marked PF_ChangeFlag_CHANGED_VALUE. Other indices change
// nothing.
PF_Err KeepAimControlsInStep(PF_ParamDef *params[], PF_ParamIndex changed);

// PF_Cmd_UPDATE_PARAMS_UI: "Aim" and "Point Away" are on under EZ-Aim,
// "Sweep" and "Tilt" under "YZX Rotation". All four are updated on every
// call; the first error is returned.
PF_Err EnableAimControls(const PF_InData *in_data, PF_ParamDef *params[]);

}  // namespace vlam
