#include "flash/builder_ui_events.h"

#include "ui/drawbot_objects.h"

namespace vlam {

PF_Err BuilderUiEvent(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                      PF_EventExtra *event) {
  if (event == nullptr) {
    return PF_Err_NONE;
  }
  return RunDrawingEvent([&]() -> PF_Err {
    switch (event->e_type) {
      case PF_Event_DRAW:
        return BuilderDraw(in_data, out_data, params, event);
      case PF_Event_DO_CLICK:
        return BuilderClick(in_data, out_data, params, event);
      case PF_Event_DRAG:
        return BuilderDrag(in_data, params, event);
      case PF_Event_ADJUST_CURSOR:
        return BuilderCursor(params, event);
      default:
        return PF_Err_NONE;
    }
  });
}

}  // namespace vlam
