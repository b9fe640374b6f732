// The module's six property lists: the utility plug-in's and one per effect.
#pragma once
#include <vector>

#include "PF_ModuleResources.h"
#include "frame/effect_identity.h"

namespace vlam {

std::vector<A_u_char> BuildEffectPipl(const EffectIdentity &identity);
std::vector<A_u_char> BuildUtilityPipl();

// All six, ids 16000 to 16005 in order; built once, alive while the module
// is loaded.
const std::vector<PF_ModuleResource> &ModuleResources();

}  // namespace vlam
