#include "frame/param_ui.h"

#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "frame/host_error.h"
#include "frame/scoped_suite.h"

namespace vlam {

PF_Err SetParamEnabled(const PF_InData *in_data, PF_ParamDef *params[], PF_ParamIndex index,
                       bool enabled) {
  if (params == nullptr || index < 0 || params[index] == nullptr) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  PF_ParamDef *def = params[index];
  def->ui_flags = enabled ? 0 : PF_PUI_DISABLED;
  ScopedSuite<PF_ParamUtilsSuite3> utils(in_data->pica_basicP, kPFParamUtilsSuite,
                                         kPFParamUtilsSuiteVersion3);
  return utils->PF_UpdateParamUI(in_data->effect_ref, index, def);
}

A_Err SetParamVisible(const PF_InData *in_data, PF_ParamIndex index, bool visible) {
  return SetParamStreamFlag(in_data, index, AEGP_DynStreamFlag_HIDDEN, !visible);
}

A_Err SetParamStreamEnabled(const PF_InData *in_data, PF_ParamIndex index, bool enabled) {
  return SetParamStreamFlag(in_data, index, AEGP_DynStreamFlag_DISABLED, !enabled);
}

A_Err SetParamStreamFlag(const PF_InData *in_data, PF_ParamIndex index, AEGP_DynStreamFlags flag,
                         bool set) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  ScopedSuite<AEGP_PFInterfaceSuite1> pf_interface(basic, kAEGPPFInterfaceSuite,
                                                   kAEGPPFInterfaceSuiteVersion1);
  ScopedSuite<AEGP_StreamSuite3> streams(basic, kAEGPStreamSuite, kAEGPStreamSuiteVersion3);
  ScopedSuite<AEGP_DynamicStreamSuite3> dynamic(basic, kAEGPDynamicStreamSuite,
                                                kAEGPDynamicStreamSuiteVersion3);
  ScopedSuite<AEGP_EffectSuite3> effects(basic, kAEGPEffectSuite, kAEGPEffectSuiteVersion3);

  AEGP_EffectRefH effect = nullptr;
  A_Err err = pf_interface->AEGP_GetNewEffectForEffect(0, in_data->effect_ref, &effect);
  if (effect == nullptr) {
    return err;
  }
  AEGP_StreamRefH stream = nullptr;
  if (err == A_Err_NONE) {
    err = streams->AEGP_GetNewEffectStreamByIndex(0, effect, index, &stream);
  }
  if (err == A_Err_NONE && stream != nullptr) {
    err = dynamic->AEGP_SetDynamicStreamFlag(stream, flag, false, set);
  }
  if (stream != nullptr) {
    KeepFirstError(err, streams->AEGP_DisposeStream(stream));
  }
  KeepFirstError(err, effects->AEGP_DisposeEffect(effect));
  return err;
}

}  // namespace vlam
