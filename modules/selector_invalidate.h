// Asking the host to repaint one Module Selector button.
#pragma once
#include "AE_EffectSuites.h"
#include "ui/button_grid.h"

namespace vlam {

// PF_InvalidateRect ("PF AE App Suite" v6) for the button's rectangle in
// the event's context. A refused suite throws A_Err_MISSING_SUITE.
PF_Err InvalidateButton(const PF_InData *in_data, PF_ContextH context, const ButtonGrid &grid,
                        A_long button);

}  // namespace vlam
