// "PF Param Utils Suite" v3: parameter UI updates and keyframe queries on
// the calling effect's own parameters.
#include "host/effect/EffectRunner.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

#include <AE_EffectSuites.h>

#include <algorithm>
#include <cstring>

namespace vlam::host {
namespace {

// The calling effect's instance and a valid parameter index, or nullptr.
EffectInstance *instanceFor(PF_ProgPtr ref, PF_ParamIndex index) {
  CallFrame *frame = frameFromRef(ref);
  if (!frame || !frame->instance) return nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= frame->instance->paramCount()) return nullptr;
  return frame->instance;
}

PF_Err updateParamUI(PF_ProgPtr ref, PF_ParamIndex index, const PF_ParamDef *def) {
  return hostCall("PF_UpdateParamUI", [&](Host &) -> PF_Err {
    EffectInstance *instance = instanceFor(ref, index);
    if (!instance || !def || index == 0) return PF_Err_BAD_CALLBACK_PARAM;
    instance->ui[static_cast<std::size_t>(index)].uiFlags = def->ui_flags;
    return PF_Err_NONE;
  });
}

PF_Err getCurrentState(PF_ProgPtr, PF_ParamIndex, const A_Time *, const A_Time *, PF_State *) {
  return PF_Err_INVALID_CALLBACK;
}
PF_Err areStatesIdentical(PF_ProgPtr, const PF_State *, const PF_State *, A_Boolean *) {
  return PF_Err_INVALID_CALLBACK;
}

PF_Err isIdenticalCheckout(PF_ProgPtr ref, PF_ParamIndex index, A_long t1, A_long, A_u_long s1, A_long t2, A_long,
                           A_u_long s2, PF_Boolean *identical) {
  return hostCall("PF_IsIdenticalCheckout", [&](Host &) -> PF_Err {
    EffectInstance *instance = instanceFor(ref, index);
    std::int64_t a = 0, b = 0;
    if (!instance || !identical || !EffectRunner::toTicks(instance, t1, s1, a) ||
        !EffectRunner::toTicks(instance, t2, s2, b))
      return PF_Err_BAD_CALLBACK_PARAM;
    const auto &param = instance->param(static_cast<std::size_t>(index));
    const auto &stream = instance->streams[static_cast<std::size_t>(index)];
    *identical = stream.valueAt(a, param.blendable()) == stream.valueAt(b, param.blendable());
    return PF_Err_NONE;
  });
}

PF_Err findKeyframeTime(PF_ProgPtr ref, PF_ParamIndex index, A_long time, A_u_long scale, PF_TimeDir dir,
                        PF_Boolean *found, PF_KeyIndex *keyIndex, A_long *keyTime, A_u_long *keyScale) {
  return hostCall("PF_FindKeyframeTime", [&](Host &) -> PF_Err {
    EffectInstance *instance = instanceFor(ref, index);
    std::int64_t t = 0;
    if (!instance || !found || !EffectRunner::toTicks(instance, time, scale, t)) return PF_Err_BAD_CALLBACK_PARAM;
    *found = false;
    const auto &keys = instance->streams[static_cast<std::size_t>(index)].keys();
    const bool less = (dir & PF_TimeDir_LESS_THAN) != 0, orEqual = (dir & 0x1000) != 0;
    int pick = -1;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const std::int64_t k = keys[i].ticks;
      const bool ok = less ? (k < t || (orEqual && k == t)) : (k > t || (orEqual && k == t));
      if (!ok) continue;
      if (less) pick = static_cast<int>(i);                       // the last one before
      else if (pick < 0) pick = static_cast<int>(i);               // the first one after
    }
    if (pick < 0) return PF_Err_NONE;
    *found = true;
    const Composition &comp = instance->layer().comp();
    if (keyIndex) *keyIndex = pick;
    if (keyTime) *keyTime = static_cast<A_long>(keys[static_cast<std::size_t>(pick)].ticks);
    if (keyScale) *keyScale = static_cast<A_u_long>(comp.frameRate.perSecond);
    return PF_Err_NONE;
  });
}

PF_Err keyframeCount(PF_ProgPtr ref, PF_ParamIndex index, PF_KeyIndex *count) {
  return hostCall("PF_GetKeyframeCount", [&](Host &) -> PF_Err {
    EffectInstance *instance = instanceFor(ref, index);
    if (!instance || !count) return PF_Err_BAD_CALLBACK_PARAM;
    *count = static_cast<PF_KeyIndex>(instance->streams[static_cast<std::size_t>(index)].keys().size());
    return PF_Err_NONE;
  });
}

PF_Err checkoutKeyframe(PF_ProgPtr ref, PF_ParamIndex index, PF_KeyIndex key, A_long *keyTime, A_u_long *keyScale,
                        PF_ParamDef *param) {
  return hostCall("PF_CheckoutKeyframe", [&](Host &host) -> PF_Err {
    EffectInstance *instance = instanceFor(ref, index);
    if (!instance) return PF_Err_BAD_CALLBACK_PARAM;
    const auto &keys = instance->streams[static_cast<std::size_t>(index)].keys();
    if (key < 0 || static_cast<std::size_t>(key) >= keys.size()) return PF_Err_INVALID_INDEX;
    const std::int64_t ticks = keys[static_cast<std::size_t>(key)].ticks;
    if (keyTime) *keyTime = static_cast<A_long>(ticks);
    if (keyScale) *keyScale = static_cast<A_u_long>(instance->layer().comp().frameRate.perSecond);
    if (param) *param = host.runner().paramAt(*instance, static_cast<std::size_t>(index), ticks);
    return PF_Err_NONE;
  });
}

PF_Err checkinKeyframe(PF_ProgPtr ref, PF_ParamDef *) {
  return hostCall("PF_CheckinKeyframe",
                  [&](Host &) -> PF_Err { return frameFromRef(ref) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM; });
}

PF_Err keyIndexToTime(PF_ProgPtr ref, PF_ParamIndex index, PF_KeyIndex key, A_long *keyTime, A_u_long *keyScale) {
  return checkoutKeyframe(ref, index, key, keyTime, keyScale, nullptr);
}

const PF_ParamUtilsSuite3 kParamUtilsSuite{
    .PF_UpdateParamUI = updateParamUI,
    .PF_GetCurrentState = getCurrentState,
    .PF_AreStatesIdentical = areStatesIdentical,
    .PF_IsIdenticalCheckout = isIdenticalCheckout,
    .PF_FindKeyframeTime = findKeyframeTime,
    .PF_GetKeyframeCount = keyframeCount,
    .PF_CheckoutKeyframe = checkoutKeyframe,
    .PF_CheckinKeyframe = checkinKeyframe,
    .PF_KeyIndexToTime = keyIndexToTime,
};

} // namespace

void publishParamUtilsSuite(SuiteRegistry &registry) {
  publishTable(registry, kParamUtilsSuite);
}

} // namespace vlam::host
