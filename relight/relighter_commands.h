// The Relighter effect's commands behind its entry function.
#pragma once
#include "AE_Effect.h"
#include "relight/relight_render.h"
#include "relight/relighter_params.h"

namespace vlam {

// Checks out the input and then "Relight Matte" with the host's request and
// unites their result rectangles into the output's; the output is never solid.
PF_Err RelighterPreRender(PF_InData *in_data, PF_PreRenderExtra *extra);

}  // namespace vlam
