// The Module Selector effect's commands behind its entry function.
#pragma once
#include "AE_EffectUI.h"
#include "AE_Effect.h"

namespace vlam {

PF_Err SelectorParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
// PF_Event_DO_CLICK, PF_Event_DRAW and PF_Event_ADJUST_CURSOR.
PF_Err SelectorEvent(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                     void *event_extra);
// Sequence setup and resetup: a fresh SelectorState, replacing any earlier.
PF_Err CreateSelectorSequence(PF_InData *in_data, PF_OutData *out_data);

}  // namespace vlam
