#include "flash/petal_controls.h"

#include "flash/builder_params.h"
#include "flash/petal_layout.h"
#include "frame/param_ui.h"

namespace vlam {

PF_Err UpdatePetalControls(PF_InData* in_data, PF_ParamDef* params[]) {
  if (!params || !params[kBuilderPetalConfiguration] || !params[kBuilderPetalProfile]) return PF_Err_BAD_CALLBACK_PARAM;
  const A_long configuration = params[kBuilderPetalConfiguration]->u.pd.value;
  const bool on = configuration > kPetalConfigurationNone && configuration <= kPetalConfigurationCount;

  if (PF_Err err = SetParamEnabled(in_data, params, kBuilderRandomisePetals, on)) return err;
  if (PF_Err err = SetParamEnabled(in_data, params, kBuilderPetalLength, on)) return err;
  if (PF_Err err = SetParamStreamEnabled(in_data, kBuilderPetalProfile, on)) return err;
  if (on) params[kBuilderPetalProfile]->flags &= ~PF_ParamFlag_COLLAPSE_TWIRLY;
  for (PF_ParamIndex index : {kBuilderHorizontalOffset, kBuilderBarrelRadius, kBuilderPetalAngle,
                              kBuilderRelativeBrightness}) {
    if (PF_Err err = SetParamEnabled(in_data, params, index, on)) return err;
  }
  return PF_Err_NONE;
}

}  // namespace vlam
