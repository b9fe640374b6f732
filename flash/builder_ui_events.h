// The Flash Builder's custom controls: the identifier strip, the two curve
// editors with their diameter handles and preset strips, and the petal
// buttons.
#pragma once
#include "AE_EffectUI.h"

namespace vlam {

// PF_Cmd_EVENT: draws, clicks, drags and cursor changes of the controls.
// A failing drawing object ends the event with its code.
PF_Err BuilderUiEvent(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                      PF_EventExtra *event);

// The handlers behind it.
PF_Err BuilderClick(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                    PF_EventExtra *event);
PF_Err BuilderDrag(PF_InData *in_data, PF_ParamDef *params[], PF_EventExtra *event);
PF_Err BuilderCursor(PF_ParamDef *params[], PF_EventExtra *event);
PF_Err BuilderDraw(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                   PF_EventExtra *event);

}  // namespace vlam
