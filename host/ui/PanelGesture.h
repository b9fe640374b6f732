#pragma once
#include "host/ui/EffectPanel.h"

#include <AE_EffectUI.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

class Host;
class EffectInstance;

// A user's mouse gesture on one parameter's control in the effect-controls
// panel, in panel coordinates.
struct PanelGesture {
  enum class Kind { Click, Drag, Hover } kind = Kind::Click;
  std::size_t param = 0;
  PF_Point at{};   // the click, the drag's start, the cursor
  PF_Point to{};   // the drag's end
  PF_Modifiers modifiers = PF_Mod_NONE;
  int dragSteps = 8; // mouse moves from `at` to `to`, the last one the release
};

struct GestureOutcome {
  PF_Err err = PF_Err_NONE;    // the first error an event returned
  std::string message;         // the effect's message with it
  int events = 0;              // events sent
  int dragEvents = 0;          // of them drag events
  bool handled = false;        // the effect reported every event handled
  bool dragStarted = false;    // the click asked for drag events
  PF_CursorType cursor = PF_Cursor_NONE; // hover: the cursor the effect chose
  PF_Err uiErr = PF_Err_NONE;  // click, drag: the controls' update that follows (if sent)
  std::vector<PF_Rect> invalidated;
};

// Sends the gesture's events the way the host does: a click is
// PF_Event_DO_CLICK; while the effect asks for them (send_drag), drag events
// follow with its continue reference kept, the last one flagged last_time at
// the release. A click releases where it pressed; after a click or a drag
// the host brings the effect's controls up to date (Host::updateParamsUi).
// A hover is PF_Event_ADJUST_CURSOR. Throws HostError when the point is not
// on the parameter's control as the panel shows it.
GestureOutcome performGesture(Host &host, EffectInstance &effect, std::int64_t ticks, const EffectPanel &panel,
                              const PanelGesture &gesture);

} // namespace vlam::host
