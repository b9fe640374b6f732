// "AEGP PF Interface Suite": from an effect call to the project objects.
#include "host/effect/CallFrame.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_GeneralPlug.h>

#include <algorithm>

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

// Without camera layers every composition is seen through its default
// camera: unrotated, centred on the frame and as far in front of it as its
// zoom (a 50 mm lens: 25/18 of the frame's width in square pixels), so that
// the plane z = 0 shows at one comp pixel per pixel. The matrix holds the
// camera's position in row 3.
A_Err getEffectCameraMatrix(PF_ProgPtr ref, const A_Time *, A_Matrix4 *matrix, A_FpLong *distance,
                            A_short *planeWidth, A_short *planeHeight) {
  return hostCall("AEGP_GetEffectCameraMatrix", [&](Host &) -> A_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!matrix || !frame || !frame->instance) return A_Err_PARAMETER;
    const Composition &comp = frame->instance->layer().comp();
    const double aspect = comp.pixelAspect.den != 0
                              ? static_cast<double>(comp.pixelAspect.num) / comp.pixelAspect.den
                              : 1.0;
    const double zoom = comp.width * aspect * 25.0 / 18.0;
    *matrix = A_Matrix4{};
    for (int i = 0; i < 4; ++i) matrix->mat[i][i] = 1.0;
    matrix->mat[3][0] = comp.width * 0.5;
    matrix->mat[3][1] = comp.height * 0.5;
    matrix->mat[3][2] = -zoom;
    if (distance) *distance = zoom;
    if (planeWidth) *planeWidth = static_cast<A_short>(std::min(comp.width, 32767));
    if (planeHeight) *planeHeight = static_cast<A_short>(std::min(comp.height, 32767));
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
