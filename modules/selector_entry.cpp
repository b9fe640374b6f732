#include "frame/about_text.h"
#include "frame/effect_entries.h"
#include "frame/effect_setup.h"
#include "frame/entry_guard.h"
#include "frame/event_type.h"
#include "frame/smart_render_io.h"
#include "modules/selector_commands.h"

namespace vlam {
namespace {

struct SelectorAboutTag {};

bool IsSelectorEvent(PF_EventType type) {
  return type == PF_Event_DO_CLICK || type == PF_Event_DRAW || type == PF_Event_ADJUST_CURSOR;
}

PF_Err DispatchSelector(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                        void *extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return About<SelectorAboutTag>(in_data, out_data, kSelectorIdentity.description);
    case PF_Cmd_GLOBAL_SETUP:
      AnnounceEffect(out_data, kSelectorIdentity);
      return PF_Err_NONE;
    case PF_Cmd_PARAMS_SETUP:
      return SelectorParamsSetup(in_data, out_data, params);
    case PF_Cmd_SEQUENCE_SETUP:
    case PF_Cmd_SEQUENCE_RESETUP:
      return CreateSelectorSequence(in_data, out_data);
    case PF_Cmd_EVENT:
      if (!IsSelectorEvent(EventTypeOf(extra))) {
        return PF_Err_NONE;
      }
      return SelectorEvent(in_data, out_data, params, extra);
    case PF_Cmd_SMART_PRE_RENDER:
    case PF_Cmd_SMART_RENDER:
      return PassThroughRenderCommand(cmd, in_data, extra);
    default:
      return PF_Err_NONE;
  }
}

}  // namespace
}  // namespace vlam

extern "C" DllExport PF_Err EntryPoint_VlamMod(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                               PF_ParamDef *params[], PF_LayerDef * /*output*/,
                                               void *extra) {
  return vlam::RunEffectEntry(vlam::DispatchSelector, cmd, in_data, out_data, params, extra);
}
