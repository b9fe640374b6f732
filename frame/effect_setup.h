// What every effect does at global setup, and the parameter setup of an
// effect that has no parameters of its own (yet).
#pragma once
#include "AE_Effect.h"
#include "frame/effect_identity.h"

namespace vlam {

// Version 1.0.3 release build 1 and the effect's out-flag words.
inline void AnnounceEffect(PF_OutData *out_data, const EffectIdentity &identity) {
  out_data->my_version = kEffectVersion;
  out_data->out_flags = identity.out_flags;
  out_data->out_flags2 = identity.out_flags2;
}

// Only the input layer.
inline PF_Err SetupInputOnly(PF_OutData *out_data) {
  out_data->num_params = 1;
  return PF_Err_NONE;
}

}  // namespace vlam
