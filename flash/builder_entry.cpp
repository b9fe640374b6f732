#include "flash/builder_commands.h"
#include "frame/about_text.h"
#include "frame/effect_entries.h"
#include "frame/effect_setup.h"
#include "frame/entry_guard.h"
#include "frame/handle_records.h"
#include "frame/smart_render_io.h"

namespace vlam {
namespace {

struct BuilderAboutTag {};

PF_Err DispatchBuilder(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                       void *extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return About<BuilderAboutTag>(in_data, out_data, kBuilderIdentity.description);
    case PF_Cmd_GLOBAL_SETUP:
      AnnounceEffect(out_data, kBuilderIdentity);
      return CreateBuilderGlobals(in_data, out_data);
    case PF_Cmd_GLOBAL_SETDOWN:
      return ReleaseBuilderGlobals(in_data, out_data);
    case PF_Cmd_PARAMS_SETUP:
      return BuilderParamsSetup(in_data, out_data, params);
    case PF_Cmd_SEQUENCE_SETUP:
      return CreateBuilderSequence(in_data, out_data);
    case PF_Cmd_SEQUENCE_SETDOWN:
      return DisposeSequenceRecord(in_data, out_data);
    case PF_Cmd_UPDATE_PARAMS_UI:
      return BuilderUpdateParamsUI(in_data, out_data, params);
    case PF_Cmd_EVENT:
      return BuilderEvent(in_data, out_data, params, extra);
    case PF_Cmd_COMPLETELY_GENERAL:
      return BuilderCompletelyGeneral(in_data, out_data, params, extra);
    case PF_Cmd_ARBITRARY_CALLBACK:
      return BuilderArbitraryCallback(in_data, out_data, extra);
    case PF_Cmd_SMART_PRE_RENDER:
    case PF_Cmd_SMART_RENDER:
      return PassThroughRenderCommand(cmd, in_data, extra);
    default:
      return PF_Err_NONE;
  }
}

}  // namespace
}  // namespace vlam

extern "C" DllExport PF_Err EntryPoint_VlamFlash(PF_Cmd cmd, PF_InData *in_data,
                                                 PF_OutData *out_data, PF_ParamDef *params[],
                                                 PF_LayerDef * /*output*/, void *extra) {
  return vlam::RunEffectEntry(vlam::DispatchBuilder, cmd, in_data, out_data, params, extra);
}
