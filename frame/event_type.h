// Reading the event type of a PF_Cmd_EVENT call.
#pragma once
#include "AE_EffectUI.h"

namespace vlam {

// PF_Event_NUM_EVENTS when the host passed no event record.
inline PF_EventType EventTypeOf(const void *extra) {
  return extra != nullptr ? static_cast<const PF_EventExtra *>(extra)->e_type
                          : PF_EventType{PF_Event_NUM_EVENTS};
}

}  // namespace vlam
