// The Render effect's global record, parameters and smart render as far as
// the frame provides them: the record is allocated at its full size and
// zero-filled, the effect has only its input, and the smart render passes
// the input through until the rendering pipeline takes it over.
#include "render/render_commands.h"

#include "frame/effect_setup.h"
#include "frame/handle_records.h"
#include "frame/smart_render_io.h"

namespace vlam {

PF_Err CreateRenderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  const GlobalRecordSpec spec{kRenderGlobalsSize, "Could not initialise global data (1)",
                              PF_Err_OUT_OF_MEMORY, "Could not initialise global data (2)",
                              PF_Err_OUT_OF_MEMORY};
  return CreateGlobalRecord(in_data, out_data, spec, nullptr, nullptr);
}

PF_Err ReleaseRenderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  return DisposeGlobalRecord(in_data, out_data);
}

PF_Err RenderParamsSetup(PF_InData * /*in_data*/, PF_OutData *out_data,
                         PF_ParamDef * /*params*/[]) {
  return SetupInputOnly(out_data);
}

PF_Err RenderUpdateParamsUI(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                            PF_ParamDef * /*params*/[]) {
  return PF_Err_NONE;
}

PF_Err RenderSmartRender(PF_InData *in_data, PF_OutData * /*out_data*/,
                         PF_SmartRenderExtra *extra) {
  return PassThroughSmartRender(in_data, extra);
}

}  // namespace vlam
