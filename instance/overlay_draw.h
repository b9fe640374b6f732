// PF_Event_DRAW of the Flash Instance: its barrel overlay in the
// composition and layer windows and its title strip in the effect controls.
#pragma once
#include "AE_EffectUI.h"

namespace vlam {

// Draws nothing when the host says not to (any in-flag). A failing drawing
// reference, supplier or surface leaves the window undrawn; the event is
// still marked handled and the error returned. A refused custom-UI or
// handle suite throws A_Err_MISSING_SUITE; a failing drawing object becomes
// the event's error.
PF_Err DrawInstanceOverlay(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                           PF_EventExtra *event);

}  // namespace vlam
