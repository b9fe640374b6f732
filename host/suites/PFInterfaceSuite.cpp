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

VLAM_NOT_OFFERED(getEffectCameraMatrix, PF_ProgPtr, const A_Time *, A_Matrix4 *, A_FpLong *, A_short *, A_short *)

const AEGP_PFInterfaceSuite1 kPFInterfaceSuite{getEffectLayer, getNewEffectForEffect, convertEffectToCompTime,
                                               getEffectCamera, getEffectCameraMatrix};

} // namespace

void publishPFInterfaceSuite(SuiteRegistry &registry) {
  registry.add(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &kPFInterfaceSuite, "host");
}

} // namespace vlam::host
