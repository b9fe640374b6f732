// "AEGP PF Interface Suite": from an effect call to the project objects.
#include "host/effect/CallFrame.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_GeneralPlug.h>

namespace vlam::host {
namespace {

A_Err getEffectLayer(PF_ProgPtr ref, AEGP_LayerH *layer) {
  return hostCall("AEGP_GetEffectLayer", [&](Host &) -> A_Err {
    if (!layer) return A_Err_PARAMETER;
    *layer = nullptr;
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->instance) return A_Err_PARAMETER;
    *layer = reinterpret_cast<AEGP_LayerH>(&frame->instance->layer());
    return A_Err_NONE;
  });
}

A_Err getNewEffectForEffect(AEGP_PluginID, PF_ProgPtr ref, AEGP_EffectRefH *effect) {
  return hostCall("AEGP_GetNewEffectForEffect", [&](Host &host) -> A_Err {
    if (!effect) return A_Err_PARAMETER;
    *effect = nullptr;
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->instance) return A_Err_PARAMETER;
    *effect = reinterpret_cast<AEGP_EffectRefH>(host.effectRefs().make({frame->instance->id()}));
    return A_Err_NONE;
  });
}

A_Err convertEffectToCompTime(PF_ProgPtr ref, A_long time, A_u_long scale, A_Time *compTime) {
  return hostCall("AEGP_ConvertEffectToCompTime", [&](Host &) -> A_Err {
    if (!compTime || !frameFromRef(ref) || scale == 0) return A_Err_PARAMETER;
    *compTime = {time, scale}; // layers start at comp time 0 and are not stretched
    return A_Err_NONE;
  });
}

A_Err getEffectCamera(PF_ProgPtr ref, const A_Time *, AEGP_LayerH *camera) {
  return hostCall("AEGP_GetEffectCamera", [&](Host &) -> A_Err {
    if (!camera || !frameFromRef(ref)) return A_Err_PARAMETER;
    *camera = nullptr; // compositions have no camera layers yet
    return A_Err_NONE;
  });
}

// The composition's default camera (compositions have no camera layers
// yet): looking straight down +z at the layer's centre from the distance
// of the default lens (focal length 141.7325 on a film 102.0474 wide, as
// wide as the composition), position in the layer's pixels in row 3.
A_Err getEffectCameraMatrix(PF_ProgPtr ref, const A_Time *, A_Matrix4 *matrix, A_FpLong *distance,
                            A_short *planeWidth, A_short *planeHeight) {
  return hostCall("AEGP_GetEffectCameraMatrix", [&](Host &) -> A_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!matrix || !distance || !planeWidth || !planeHeight || !frame || !frame->instance) return A_Err_PARAMETER;
    const Layer &layer = frame->instance->layer();
    const Composition &comp = layer.comp();
    const double zoom = 141.7325 / 102.0474 * comp.width;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) matrix->mat[r][c] = r == c ? 1.0 : 0.0;
    matrix->mat[3][0] = layer.width * 0.5;
    matrix->mat[3][1] = layer.height * 0.5;
    matrix->mat[3][2] = -zoom;
    *distance = zoom;
    *planeWidth = static_cast<A_short>(comp.width > 32767 ? 32767 : comp.width);
    *planeHeight = static_cast<A_short>(comp.height > 32767 ? 32767 : comp.height);
    return A_Err_NONE;
  });
}

const AEGP_PFInterfaceSuite1 kPFInterfaceSuite{getEffectLayer, getNewEffectForEffect, convertEffectToCompTime,
                                               getEffectCamera, getEffectCameraMatrix};

} // namespace

void publishPFInterfaceSuite(SuiteRegistry &registry) {
  registry.add(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &kPFInterfaceSuite, "host");
}

} // namespace vlam::host
