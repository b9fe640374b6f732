// The layer that carries an effect instance.
#pragma once
#include "AE_GeneralPlug.h"

namespace vlam {

// AEGP_GetEffectLayer for this effect; null when the host reports an error,
// which is then stored in *err when given.
AEGP_LayerH GetEffectLayer(const PF_InData *in_data, A_Err *err = nullptr);

}  // namespace vlam
