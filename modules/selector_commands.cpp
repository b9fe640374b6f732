// The Module Selector's commands: its two button rows, their events and the
// sequence record that remembers their state.
#include "modules/selector_commands.h"

#include "frame/handle_records.h"
#include "modules/selector_events.h"
#include "modules/selector_params.h"
#include "modules/selector_state.h"
#include "ui/drawbot_objects.h"

namespace vlam {

PF_Err SelectorParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef * /*params*/[]) {
  return AddSelectorParams(in_data, out_data);
}

PF_Err SelectorEvent(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef * /*params*/[],
                     void *event_extra) {
  auto *event = static_cast<PF_EventExtra *>(event_extra);
  return RunDrawingEvent([&]() -> PF_Err {
    switch (event->e_type) {
      case PF_Event_DO_CLICK:
        return SelectorClick(in_data, event);
      case PF_Event_DRAW:
        return SelectorDraw(in_data, out_data, event);
      case PF_Event_ADJUST_CURSOR:
        return SelectorHover(in_data, event);
      default:
        return PF_Err_NONE;
    }
  });
}

PF_Err CreateSelectorSequence(PF_InData *in_data, PF_OutData *out_data) {
  const SequenceRecordSetup setup{sizeof(SelectorState), &kInitialSelectorState, true,
                                "Could not initialise sequence data in zkVlamMod (1)",
                                "Could not initialise sequence data in zkVlamMod (2)"};
  return CreateSequenceRecord(in_data, out_data, setup);
}

}  // namespace vlam
