#include "frame/effect_layer.h"

#include "frame/scoped_suite.h"

namespace vlam {

AEGP_LayerH GetEffectLayer(const PF_InData *in_data, A_Err *err) {
  ScopedSuite<AEGP_PFInterfaceSuite1> pf_interface(in_data->pica_basicP, kAEGPPFInterfaceSuite,
                                                   kAEGPPFInterfaceSuiteVersion1);
  AEGP_LayerH layer = nullptr;
  const A_Err result = pf_interface->AEGP_GetEffectLayer(in_data->effect_ref, &layer);
  if (err != nullptr) {
    *err = result;
  }
  return result == A_Err_NONE ? layer : nullptr;
}

}  // namespace vlam
