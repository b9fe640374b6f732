#include "frame/effect_layer.h"
#include "frame/scoped_suite.h"
#include "modules/vlam_utils_suite.h"
#include "render/render_commands.h"

namespace vlam {

PF_Err RequestModuleStackForLayer(PF_InData *in_data, PF_OutData *out_data) {
  ScopedSuite<VlamUtilsSuite1> utils(in_data, out_data, kVlamUtilsSuite, kVlamUtilsSuiteVersion1,
                                     "Couldn't load Vlam Utils Suite");
  A_Err err = A_Err_NONE;
  AEGP_LayerH layer = GetEffectLayer(in_data, &err);
  // Without its layer there is nothing the utility plug-in could apply to.
  if (err != A_Err_NONE || layer == nullptr) {
    return err;
  }
  utils->RequestModuleStack(layer);
  return PF_Err_NONE;
}

PF_Err AnswerRenderQuery(void *extra) {
  if (extra != nullptr) {
    *static_cast<A_u_char *>(extra) = 1;
  }
  return PF_Err_NONE;
}

}  // namespace vlam
