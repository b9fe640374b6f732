// The Render effect's commands behind its entry function.
#pragma once
#include "AE_Effect.h"
#include "render/render_globals.h"
#include "render/render_param_ids.h"
#include "render/render_params.h"

namespace vlam {

// PF_Cmd_SMART_RENDER: draws every firing flash of the layer.
PF_Err RenderSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra);

// Sequence setup: asks the utility plug-in to put the module effects on this
// effect's layer.
PF_Err RequestModuleStackForLayer(PF_InData *in_data, PF_OutData *out_data);

// PF_Cmd_COMPLETELY_GENERAL: marks the caller's record as coming from a
// layer that carries a Render effect.
PF_Err AnswerRenderQuery(void *extra);

}  // namespace vlam
