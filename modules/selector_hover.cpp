// The mouse moving over the Module Selector's buttons.
#include "frame/scoped_suite.h"
#include "modules/selector_events.h"
#include "modules/selector_invalidate.h"
#include "modules/selector_rows.h"
#include "modules/selector_state_lock.h"

namespace vlam {

PF_Err SelectorHover(PF_InData *in_data, PF_EventExtra *event) {
  event->evt_out_flags = PF_EO_NONE;
  LockedSelectorState locked(in_data);
  SelectorState &state = locked.get();

  PF_Err err = PF_Err_NONE;
  const PF_ParamIndex param = event->effect_win.index;
  if (const SelectorRow *row = SelectorRowOf(param)) {
    const ButtonGrid grid = LayOutSelectorRow(event->effect_win, *row);
    const PF_Point &point = event->u.adjust_cursor.screen_point;
    const A_long hit = grid.HitTest(point.h, point.v);
    SelectorButtonState &pair = SelectorPairOf(state, param);
    A_long repaint = hit;
    if (hit >= 0) {
      pair = SelectorButtonState{1, hit};
    } else {
      repaint = pair.index;
      pair = SelectorButtonState{0, -1};
    }
    // The remembered index comes from the sequence record; only a button of
    // this row can be repainted.
    if (repaint >= 0 && repaint < row->button_count) {
      err = InvalidateButton(in_data, event->contextH, grid, repaint);
      event->evt_out_flags |= PF_EO_UPDATE_NOW;
    }
  }
  event->evt_out_flags |= PF_EO_HANDLED_EVENT;
  return err;
}

}  // namespace vlam
