// The Module Selector's custom-UI events.
#pragma once
#include "AE_EffectUI.h"

namespace vlam {

// PF_Event_DO_CLICK: presses the button under the click and carries out its
// action: apply and file a module effect, or ask the utility plug-in for the
// grain precomposition.
PF_Err SelectorClick(PF_InData *in_data, PF_EventExtra *event);

// PF_Event_ADJUST_CURSOR: tracks which button the mouse is over.
PF_Err SelectorHover(PF_InData *in_data, PF_EventExtra *event);

// PF_Event_DRAW: paints the row of buttons of the parameter being drawn.
PF_Err SelectorDraw(PF_InData *in_data, PF_OutData *out_data, PF_EventExtra *event);

}  // namespace vlam
