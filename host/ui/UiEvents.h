#pragma once
#include "host/ui/UiContext.h"

#include <AE_EffectUI.h>

#include <cstdint>
#include <string>

namespace vlam::host {

class Host;
class EffectInstance;

// What one PF_Cmd_EVENT call gave back.
struct UiEventResult {
  bool sent = false; // false: the effect does not take events in that window
  PF_Err err = PF_Err_NONE;
  std::string message; // the effect's error message, if it showed one
};

// True when the effect set PF_OutFlag_CUSTOM_UI at global setup and
// registered custom UI for events of that window.
bool takesEvents(const EffectInstance &effect, PF_WindowType window);

// Sends one event to an effect at a time (comp ticks), filling in the parts
// of the event extra the host owns: the context handle and the callbacks.
// The caller fills the type, the event union, the effect-window record and
// the in-flags; out-flags are cleared before the call.
UiEventResult sendUiEvent(Host &host, EffectInstance &effect, std::int64_t ticks, UiContext &context,
                          PF_EventExtra &extra);

} // namespace vlam::host
