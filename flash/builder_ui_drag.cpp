// Dragging a curve point or a diameter handle.
#include "flash/builder_params.h"
#include "flash/curve_editing.h"
#include "flash/builder_ui_events.h"
#include "flash/profile_control.h"
#include "flash/profile_layout.h"
#include "frame/scoped_suite.h"

namespace vlam {
namespace {

void EndOrContinueDrag(PF_DoClickEventInfo &drag) {
  if (drag.last_time) {
    drag.send_drag = 0;
    drag.continue_refcon[0] = -1;
  } else {
    drag.send_drag = 1;
  }
}

void DragProfile(const PF_InData *in_data, PF_ParamDef *params[], PF_EventExtra *event,
                 const ProfileControl &control) {
  PF_DoClickEventInfo &drag = event->u.do_click;
  const PF_Rect &frame = event->effect_win.current_frame;
  const ProfileLayout layout(frame.left, frame.top, DiameterOf(params, control));
  const A_intptr_t reference = drag.continue_refcon[0];
  if (reference == kHandleDragMarker) {
    if (PF_ParamDef *diameter = EventParam(params, control.diameter)) {
      diameter->u.fs_d.value = DiameterFromHandle(layout.HandleFraction(drag.screen_point.v));
      MarkChanged(params, control.diameter);
    }
  } else if (reference >= 0 && reference < kShapeCurveMaxPoints) {
    ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                         kPFHandleSuiteVersion1);
    const LockedCurve curve(*handles.get(), EventParam(params, control.profile));
    if (curve.get() != nullptr) {
      DragCurvePoint(*curve.get(), static_cast<int>(reference), layout.CurveX(drag.screen_point.h),
                     layout.CurveY(drag.screen_point.v));
    }
  }
  MarkChanged(params, control.profile);
}

}  // namespace

PF_Err BuilderDrag(PF_InData *in_data, PF_ParamDef *params[], PF_EventExtra *event) {
  PF_DoClickEventInfo &drag = event->u.do_click;
  if (const ProfileControl *control = ProfileControlOf(event->effect_win.index)) {
    DragProfile(in_data, params, event, *control);
    EndOrContinueDrag(drag);
    event->evt_out_flags |= PF_EO_HANDLED_EVENT | PF_EO_ALWAYS_UPDATE;
    return PF_Err_NONE;
  }
  // Any other control has nothing to drag; the drag simply runs out.
  drag.send_drag = drag.last_time ? 0 : 1;
  return PF_Err_NONE;
}

}  // namespace vlam
