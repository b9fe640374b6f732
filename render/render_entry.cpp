#include "frame/about_text.h"
#include "frame/effect_entries.h"
#include "frame/effect_setup.h"
#include "frame/entry_guard.h"
#include "frame/smart_render_io.h"
#include "render/render_commands.h"

namespace vlam {
namespace {

struct RenderAboutTag {};

PF_Err DispatchRender(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                      void *extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return About<RenderAboutTag>(in_data, out_data, kRenderIdentity.description);
    case PF_Cmd_GLOBAL_SETUP:
      AnnounceEffect(out_data, kRenderIdentity);
      return CreateRenderGlobals(in_data, out_data);
    case PF_Cmd_GLOBAL_SETDOWN:
      return ReleaseRenderGlobals(in_data, out_data);
    case PF_Cmd_PARAMS_SETUP:
      return RenderParamsSetup(in_data, out_data, params);
    case PF_Cmd_SEQUENCE_SETUP:
      return RequestModuleStackForLayer(in_data, out_data);
    case PF_Cmd_UPDATE_PARAMS_UI:
      return RenderUpdateParamsUI(in_data, out_data, params);
    case PF_Cmd_COMPLETELY_GENERAL:
      return AnswerRenderQuery(extra);
    case PF_Cmd_SMART_PRE_RENDER:
      return PreRenderInputAndLayer(in_data, static_cast<PF_PreRenderExtra *>(extra),
                                    kRenderGrainLayerParam);
    case PF_Cmd_SMART_RENDER:
      return RenderSmartRender(in_data, out_data, static_cast<PF_SmartRenderExtra *>(extra));
    default:
      return PF_Err_NONE;
  }
}

}  // namespace
}  // namespace vlam

extern "C" DllExport PF_Err EntryPoint_VlamRender(PF_Cmd cmd, PF_InData *in_data,
                                                  PF_OutData *out_data, PF_ParamDef *params[],
                                                  PF_LayerDef * /*output*/, void *extra) {
  return vlam::RunEffectEntry(vlam::DispatchRender, cmd, in_data, out_data, params, extra);
}
