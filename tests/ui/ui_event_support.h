// Custom-UI event records as the host fills them, for tests in every folder
// (header only).
#pragma once
#include "AE_EffectUI.h"

namespace vlam_test {

// An event of `type` on parameter `param` whose control frame is `frame`,
// at the point (x, y) with the given modifiers (clicks, drags and cursor
// events).
inline PF_EventExtra MakeUiEvent(PF_EventType type, PF_ParamIndex param, const PF_Rect &frame,
                                 A_long x = 0, A_long y = 0, PF_Modifiers modifiers = PF_Mod_NONE) {
  PF_EventExtra event{};
  event.contextH = reinterpret_cast<PF_ContextH>(0x8008);
  event.e_type = type;
  event.effect_win.index = param;
  event.effect_win.area = PF_EA_CONTROL;
  event.effect_win.current_frame = frame;
  if (type == PF_Event_ADJUST_CURSOR) {
    event.u.adjust_cursor.screen_point = PF_Point{x, y};
    event.u.adjust_cursor.modifiers = modifiers;
  } else {
    event.u.do_click.screen_point = PF_Point{x, y};
    event.u.do_click.modifiers = modifiers;
  }
  return event;
}

}  // namespace vlam_test
