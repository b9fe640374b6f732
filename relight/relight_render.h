// The Relighter's smart render: collects the layer's designs and instances,
// makes one light per firing instance, splats them through the composition
// camera into a reduced light buffer, scales that to the output and combines
// it with the input through the matte.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// The output is a copy of the input when there is no matte layer, no Render
// effect on the layer, or nothing fires while "View" is "Result". The first
// host error is the result; work buffers are disposed, parameters and layers
// checked in on every path. A refused suite throws A_Err_MISSING_SUITE.
PF_Err RelightSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra);

}  // namespace vlam
