// Installed effects by match name: applying one to a layer, and telling
// whether an effect on a layer is of a given kind.
#pragma once
#include "AE_GeneralPlug.h"

namespace vlam {

// Walks the installed effects from the first and applies the first whose
// match name equals `match_name` (exact bytes) to the layer. A name that is
// not installed applies nothing and is no error. `applied` receives the new
// effect's reference (null when none); the caller disposes it.
A_Err ApplyInstalledEffect(const AEGP_EffectSuite3 &effects, AEGP_LayerH layer,
                           const char *match_name, AEGP_EffectRefH *applied);

// Whether the effect's installed match name equals `wanted` (false for a
// null `wanted`). Returns the first host error; *same is then false.
A_Err EffectHasMatchName(const AEGP_EffectSuite3 &effects, AEGP_EffectRefH effect,
                         const char *wanted, bool *same);

}  // namespace vlam
