// The Module Selector's commands as far as the frame provides them: its
// sequence record is complete; the button rows and their events come with
// the selector's own controls, until then the effect has only its input.
#include "modules/selector_commands.h"

#include "frame/effect_setup.h"
#include "frame/handle_records.h"
#include "modules/selector_state.h"

namespace vlam {

PF_Err SelectorParamsSetup(PF_InData * /*in_data*/, PF_OutData *out_data,
                           PF_ParamDef * /*params*/[]) {
  return SetupInputOnly(out_data);
}

PF_Err SelectorEvent(PF_InData * /*in_data*/, PF_OutData * /*out_data*/, PF_ParamDef * /*params*/[],
                     void * /*event_extra*/) {
  return PF_Err_NONE;
}

PF_Err CreateSelectorSequence(PF_InData *in_data, PF_OutData *out_data) {
  const SequenceRecordSpec spec{sizeof(SelectorState), &kInitialSelectorState, true,
                                "Could not initialise sequence data in zkVlamMod (1)",
                                "Could not initialise sequence data in zkVlamMod (2)"};
  return CreateSequenceRecord(in_data, out_data, spec);
}

}  // namespace vlam
