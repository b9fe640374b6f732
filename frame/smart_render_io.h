// Smart pre-render checkouts and the pass-through render shared by the
// effects.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// Checks out layer parameter `index` under checkout id `checkout_id` with the
// render request as given, at in_data's current time, time step and scale.
PF_Err CheckoutLayer(const PF_InData *in_data, PF_PreRenderExtra *extra, PF_ParamIndex index,
                     A_long checkout_id, PF_CheckoutResult *result);

// Grows the output's result rect and max result rect by a checkout's rects.
void UniteOutputRects(const PF_CheckoutResult &checkout, PF_PreRenderOutput *output);

// Pre-render of an effect that reads its input and, when that succeeded, one
// further layer parameter (the same index serves as its checkout id). The
// output rects are united with the input's; the first error is returned.
PF_Err PreRenderInputAndLayer(const PF_InData *in_data, PF_PreRenderExtra *extra,
                              PF_ParamIndex second_layer);

// Pass-through pre-render: the input layer only.
PF_Err PassThroughPreRender(const PF_InData *in_data, PF_PreRenderExtra *extra);

// Pass-through smart render: copies the input to the output with the host's
// copy callback. The copy's error wins over the check-in's.
PF_Err PassThroughSmartRender(const PF_InData *in_data, PF_SmartRenderExtra *extra);

// PF_Cmd_SMART_PRE_RENDER or PF_Cmd_SMART_RENDER of an effect that never
// changes the image.
PF_Err PassThroughRenderCommand(PF_Cmd cmd, const PF_InData *in_data, void *extra);

}  // namespace vlam
