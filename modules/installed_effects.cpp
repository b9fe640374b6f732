#include "modules/installed_effects.h"

#include <cstring>

namespace vlam {
namespace {

using MatchName = A_char[AEGP_MAX_EFFECT_MATCH_NAME_SIZE + 1];

bool SameMatchName(MatchName &name, const char *wanted) {
  // The host's text is trusted only up to its buffer.
  name[AEGP_MAX_EFFECT_MATCH_NAME_SIZE] = '\0';
  return wanted != nullptr && std::strcmp(name, wanted) == 0;
}

}  // namespace

A_Err ApplyInstalledEffect(const AEGP_EffectSuite3 &effects, AEGP_LayerH layer,
                           const char *match_name, AEGP_EffectRefH *applied) {
  *applied = nullptr;
  A_long installed = 0;
  A_Err err = effects.AEGP_GetNumInstalledEffects(&installed);
  AEGP_InstalledEffectKey key = AEGP_InstalledEffectKey_NONE;
  for (A_long i = 0; err == A_Err_NONE && i < installed; ++i) {
    err = effects.AEGP_GetNextInstalledEffect(key, &key);
    MatchName name{};
    if (err == A_Err_NONE) {
      err = effects.AEGP_GetEffectMatchName(key, name);
    }
    if (err == A_Err_NONE && SameMatchName(name, match_name)) {
      err = effects.AEGP_ApplyEffect(0, layer, key, applied);
      break;
    }
  }
  return err;
}

A_Err EffectHasMatchName(const AEGP_EffectSuite3 &effects, AEGP_EffectRefH effect,
                         const char *wanted, bool *same) {
  *same = false;
  AEGP_InstalledEffectKey key = AEGP_InstalledEffectKey_NONE;
  MatchName name{};
  A_Err err = effects.AEGP_GetInstalledKeyFromLayerEffect(effect, &key);
  if (err == A_Err_NONE) {
    err = effects.AEGP_GetEffectMatchName(key, name);
  }
  if (err == A_Err_NONE) {
    *same = SameMatchName(name, wanted);
  }
  return err;
}

}  // namespace vlam
