#include "frame/about_text.h"
#include "frame/effect_entries.h"
#include "frame/effect_setup.h"
#include "frame/entry_guard.h"
#include "relight/relighter_commands.h"

namespace vlam {
namespace {

struct RelighterAboutTag {};

PF_Err DispatchRelighter(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                         PF_ParamDef *params[], void *extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return About<RelighterAboutTag>(in_data, out_data, kRelighterIdentity.description);
    case PF_Cmd_GLOBAL_SETUP:
      AnnounceEffect(out_data, kRelighterIdentity);
      return PF_Err_NONE;
    case PF_Cmd_PARAMS_SETUP:
      return RelighterParamsSetup(in_data, out_data, params);
    case PF_Cmd_UPDATE_PARAMS_UI:
      return RelighterUpdateParamsUI(in_data, out_data, params);
    case PF_Cmd_SMART_PRE_RENDER:
      return RelighterPreRender(in_data, static_cast<PF_PreRenderExtra *>(extra));
    case PF_Cmd_SMART_RENDER:
      return RelightSmartRender(in_data, out_data, static_cast<PF_SmartRenderExtra *>(extra));
    default:
      return PF_Err_NONE;
  }
}

}  // namespace
}  // namespace vlam

extern "C" DllExport PF_Err EntryPoint_VlamRelighter(PF_Cmd cmd, PF_InData *in_data,
                                                     PF_OutData *out_data, PF_ParamDef *params[],
                                                     PF_LayerDef * /*output*/, void *extra) {
  return vlam::RunEffectEntry(vlam::DispatchRelighter, cmd, in_data, out_data, params, extra);
}
