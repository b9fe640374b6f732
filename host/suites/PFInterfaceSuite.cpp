// "AEGP PF Interface Suite": from an effect call to the project objects.
#include "host/effect/CallFrame.h"
#include "host/effect/EffectRunner.h"
#include "host/suites/SuiteIdentity.h"
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

// The camera the effect's composition is seen through at a time: its
// topmost enabled camera layer, or none (the host's default camera).
A_Err getEffectCamera(PF_ProgPtr ref, const A_Time *, AEGP_LayerH *camera) {
  return hostCall("AEGP_GetEffectCamera", [&](Host &) -> A_Err {
    if (!camera) return A_Err_PARAMETER;
    *camera = nullptr;
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->instance) return A_Err_PARAMETER;
    *camera = reinterpret_cast<AEGP_LayerH>(frame->instance->layer().comp().activeCamera());
    return A_Err_NONE;
  });
}

A_short shortSide(int pixels) { return static_cast<A_short>(pixels > 32767 ? 32767 : pixels); }

// The camera's matrix in the effect layer's pixel space (rows 0-2 its axes,
// row 3 its position), the distance to the plane shown at 100 % and that
// plane's size (the composition's).
A_Err getEffectCameraMatrix(PF_ProgPtr ref, const A_Time *compTime, A_Matrix4 *matrix, A_FpLong *distance,
                            A_short *planeWidth, A_short *planeHeight) {
  return hostCall("AEGP_GetEffectCameraMatrix", [&](Host &) -> A_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->instance || !matrix || !compTime || compTime->scale == 0) return A_Err_PARAMETER;
    const Layer &layer = frame->instance->layer();
    const Composition &comp = layer.comp();
    std::int64_t ticks = 0;
    if (!EffectRunner::toTicks(frame->instance, compTime->value, compTime->scale, ticks)) return A_Err_PARAMETER;
    // Layers sit centred in the composition, as the renderer places them.
    const double left = (comp.width - layer.width) / 2, top = (comp.height - layer.height) / 2;
    const Layer *camera = comp.activeCamera();
    const CameraView view =
        camera ? cameraView(*camera->camera, ticks, left, top) : defaultCameraView(comp, left, top);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) matrix->mat[r][c] = view.matrix[r][c];
    if (distance) *distance = view.zoom;
    if (planeWidth) *planeWidth = shortSide(comp.width);
    if (planeHeight) *planeHeight = shortSide(comp.height);
    return A_Err_NONE;
  });
}

const AEGP_PFInterfaceSuite1 kPFInterfaceSuite{
    .AEGP_GetEffectLayer = getEffectLayer,
    .AEGP_GetNewEffectForEffect = getNewEffectForEffect,
    .AEGP_ConvertEffectToCompTime = convertEffectToCompTime,
    .AEGP_GetEffectCamera = getEffectCamera,
    .AEGP_GetEffectCameraMatrix = getEffectCameraMatrix,
};

} // namespace

void publishPFInterfaceSuite(SuiteRegistry &registry) {
  publishTable(registry, kPFInterfaceSuite);
}

} // namespace vlam::host
