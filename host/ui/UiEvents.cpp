#include "host/ui/UiEvents.h"

#include "host/Host.h"
#include "host/effect/EffectRunner.h"
#include "host/project/Project.h"

namespace vlam::host {

bool takesEvents(const EffectInstance &effect, PF_WindowType window) {
  // Custom UI registered by an effect that did not set PF_OutFlag_CUSTOM_UI
  // at global setup gets no events.
  if (!(effect.installed().outFlags & PF_OutFlag_CUSTOM_UI)) return false;
  const auto &info = effect.installed().customUI;
  if (!info) return false;
  switch (window) {
  case PF_Window_EFFECT: return (info->events & PF_CustomEFlag_EFFECT) != 0;
  case PF_Window_COMP: return (info->events & PF_CustomEFlag_COMP) != 0;
  case PF_Window_LAYER: return (info->events & PF_CustomEFlag_LAYER) != 0;
  default: return false;
  }
}

UiEventResult sendUiEvent(Host &host, EffectInstance &effect, std::int64_t ticks, UiContext &context,
                          PF_EventExtra &extra) {
  UiEventResult result;
  if (!takesEvents(effect, context.window()) || !effect.active) return result;
  extra.contextH = context.handle();
  extra.cbs = eventCallbacks(context);
  extra.evt_out_flags = PF_EO_NONE;
  CallOptions options;
  options.ticks = ticks;
  options.extra = &extra;
  CallResult call = host.runner().call(effect.installed(), &effect, PF_Cmd_EVENT, options);
  result.sent = true;
  result.err = call.err;
  result.message = call.message;
  return result;
}

} // namespace vlam::host
