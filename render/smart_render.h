// The Render effect's smart render: copies the input to the output, collects
// the designs and instances of the layer, sets up the frame and draws every
// firing instance, handing each to the passes that finish it.
#pragma once
#include "AE_Effect.h"
#include "render/render_frame.h"

namespace vlam {

// The first host error is the result; buffers are released, the global
// record unlocked and the layers checked in on every path. A refused suite
// throws A_Err_MISSING_SUITE.
PF_Err RenderFlashes(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra,
                     FiringPasses &passes);

}  // namespace vlam
