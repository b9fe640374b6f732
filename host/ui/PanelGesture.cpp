#include "host/ui/PanelGesture.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/project/Project.h"
#include "host/ui/UiEvents.h"

#include <algorithm>

namespace vlam::host {
namespace {

bool inside(const PF_Rect &r, const PF_Point &p) {
  return p.h >= r.left && p.h < r.right && p.v >= r.top && p.v < r.bottom;
}

std::string rectText(const PF_Rect &r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

class GestureRun {
public:
  GestureRun(Host &host, EffectInstance &effect, std::int64_t ticks, const PanelRow &row, const EffectPanel &panel)
      : host_(host), effect_(effect), ticks_(ticks),
        context_(PF_Window_EFFECT, effect.layer()) {
    extra_.effect_win = panel.windowInfo(row);
  }

  PF_EventExtra &extra() { return extra_; }

  void send(PF_EventType type) {
    extra_.e_type = type;
    const UiEventResult r = sendUiEvent(host_, effect_, ticks_, context_, extra_);
    ++outcome.events;
    if (type == PF_Event_DRAG) ++outcome.dragEvents;
    if (r.err && !outcome.err) {
      outcome.err = r.err;
      outcome.message = r.message;
    }
    if (!(extra_.evt_out_flags & PF_EO_HANDLED_EVENT)) allHandled_ = false;
  }

  GestureOutcome finish() {
    outcome.handled = allHandled_ && outcome.events > 0;
    outcome.invalidated = context_.invalidated;
    return outcome;
  }

  GestureOutcome outcome;

private:
  Host &host_;
  EffectInstance &effect_;
  std::int64_t ticks_;
  UiContext context_;
  PF_EventExtra extra_{};
  bool allHandled_ = true;
};

// The mouse moves to the end point (a click: stays) and is released there.
void dragAlong(GestureRun &run, PF_DoClickEventInfo &click, const PanelGesture &gesture) {
  const PF_Point to = gesture.kind == PanelGesture::Kind::Drag ? gesture.to : gesture.at;
  const int steps = gesture.kind == PanelGesture::Kind::Drag ? std::max(1, gesture.dragSteps) : 1;
  for (int k = 1; k <= steps; ++k) {
    click.screen_point.h = gesture.at.h + static_cast<A_long>((static_cast<double>(to.h) - gesture.at.h) * k / steps);
    click.screen_point.v = gesture.at.v + static_cast<A_long>((static_cast<double>(to.v) - gesture.at.v) * k / steps);
    click.last_time = k == steps;
    click.send_drag = 0; // the effect asks again each time it wants more
    run.send(PF_Event_DRAG);
    // An effect that asks for no more drag events gets none, not even the
    // release.
    if (run.outcome.err || !click.send_drag) break;
  }
}

} // namespace

GestureOutcome performGesture(Host &host, EffectInstance &effect, std::int64_t ticks, const EffectPanel &panel,
                              const PanelGesture &gesture) {
  const PanelRow *row = panel.rowOf(gesture.param);
  const std::string name = "parameter " + std::to_string(gesture.param);
  if (!row) throw HostError(name + " is not shown in the effect's controls");
  if (!row->custom) throw HostError(name + " has no custom control (the host's own control takes no such gestures)");
  if (row->control.bottom <= row->control.top)
    throw HostError(name + " is twirled closed (open it with --open)");
  if (!inside(row->control, gesture.at))
    throw HostError("point " + std::to_string(gesture.at.h) + "," + std::to_string(gesture.at.v) + " is outside " +
                    name + "'s control " + rectText(row->control));
  if (!takesEvents(effect, PF_Window_EFFECT)) throw HostError("the effect takes no events in the effect controls");

  GestureRun run(host, effect, ticks, *row, panel);
  PF_EventExtra &extra = run.extra();
  if (gesture.kind == PanelGesture::Kind::Hover) {
    resetSetCursor();
    extra.u.adjust_cursor.screen_point = gesture.at;
    extra.u.adjust_cursor.modifiers = gesture.modifiers;
    extra.u.adjust_cursor.set_cursor = PF_Cursor_NONE;
    run.send(PF_Event_ADJUST_CURSOR);
    run.outcome.cursor = extra.u.adjust_cursor.set_cursor;
    if (run.outcome.cursor == PF_Cursor_NONE) run.outcome.cursor = lastSetCursor();
    return run.finish();
  }

  PF_DoClickEventInfo &click = extra.u.do_click;
  click.screen_point = gesture.at;
  click.num_clicks = 1;
  click.modifiers = gesture.modifiers;
  run.send(PF_Event_DO_CLICK);
  run.outcome.dragStarted = click.send_drag != 0;
  if (click.send_drag && !run.outcome.err) dragAlong(run, click, gesture);
  // The panel is redrawn after the mouse is released.
  run.outcome.uiErr = host.updateParamsUi(effect, ticks);
  return run.finish();
}

} // namespace vlam::host
