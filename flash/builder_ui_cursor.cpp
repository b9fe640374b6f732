// The cursor over the curve editors tells what a click would do.
#include "flash/builder_ui_events.h"
#include "flash/profile_control.h"
#include "flash/profile_layout.h"

namespace vlam {
namespace {

// The host's cursor for copying, shown where a Ctrl-click saves a preset.
constexpr PF_CursorType kSavePresetCursor = 38;

}  // namespace

PF_Err BuilderCursor(PF_ParamDef *params[], PF_EventExtra *event) {
  const ProfileControl *control = ProfileControlOf(event->effect_win.index);
  if (control == nullptr) {
    return PF_Err_NONE;
  }
  PF_AdjustCursorEventInfo &cursor = event->u.adjust_cursor;
  const PF_Rect &frame = event->effect_win.current_frame;
  const ProfileLayout layout(frame.left, frame.top, DiameterOf(params, *control));
  const A_long x = cursor.screen_point.h;
  const A_long y = cursor.screen_point.v;
  const bool over_curve = layout.curve.Contains(x, y);
  PF_CursorType chosen = PF_Cursor_NONE;
  if (over_curve && cursor.modifiers == PF_Mod_OPT_ALT_KEY) {
    chosen = PF_Cursor_PEN_ADD;
  } else if (over_curve && cursor.modifiers == (PF_Mod_OPT_ALT_KEY | PF_Mod_SHIFT_KEY)) {
    chosen = PF_Cursor_PEN_DELETE;
  } else if (layout.presets.Contains(x, y) && cursor.modifiers == PF_Mod_CMD_CTRL_KEY) {
    chosen = kSavePresetCursor;
  }
  if (chosen != PF_Cursor_NONE) {
    cursor.set_cursor = chosen;
    event->evt_out_flags |= PF_EO_HANDLED_EVENT;
  }
  return PF_Err_NONE;
}

}  // namespace vlam
