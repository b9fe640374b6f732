#include "frame/about_text.h"
#include "frame/effect_entries.h"
#include "frame/effect_setup.h"
#include "frame/entry_guard.h"
#include "frame/event_type.h"
#include "frame/handle_records.h"
#include "frame/smart_render_io.h"
#include "instance/instance_commands.h"

namespace vlam {
namespace {

struct InstanceAboutTag {};

PF_Err DispatchInstance(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                        void *extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return About<InstanceAboutTag>(in_data, out_data, kInstanceIdentity.description);
    case PF_Cmd_GLOBAL_SETUP:
      AnnounceEffect(out_data, kInstanceIdentity);
      return PF_Err_NONE;
    case PF_Cmd_GLOBAL_SETDOWN:
      return DisposeGlobalRecord(in_data, out_data);
    case PF_Cmd_PARAMS_SETUP:
      return InstanceParamsSetup(in_data, out_data, params);
    case PF_Cmd_USER_CHANGED_PARAM:
      return InstanceUserChangedParam(in_data, out_data, params, extra);
    case PF_Cmd_UPDATE_PARAMS_UI:
      return InstanceUpdateParamsUI(in_data, out_data, params);
    case PF_Cmd_EVENT:
      if (EventTypeOf(extra) != PF_Event_DRAW) {
        return PF_Err_NONE;
      }
      return InstanceDrawOverlay(in_data, out_data, params, extra);
    case PF_Cmd_COMPLETELY_GENERAL:
      return InstanceCompletelyGeneral(in_data, out_data, params, extra);
    case PF_Cmd_SMART_PRE_RENDER:
    case PF_Cmd_SMART_RENDER:
      return PassThroughRenderCommand(cmd, in_data, extra);
    default:
      return PF_Err_NONE;
  }
}

}  // namespace
}  // namespace vlam

extern "C" DllExport PF_Err EntryPoint_VlamInstancer(PF_Cmd cmd, PF_InData *in_data,
                                                     PF_OutData *out_data, PF_ParamDef *params[],
                                                     PF_LayerDef * /*output*/, void *extra) {
  return vlam::RunEffectEntry(vlam::DispatchInstance, cmd, in_data, out_data, params, extra);
}
