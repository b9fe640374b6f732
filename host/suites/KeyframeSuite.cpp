// "AEGP Keyframe Suite" v4: keys of effect parameter streams. Layers start
// at comp time 0 and are not stretched, so layer and comp time agree. Keys of
// parameters that cannot blend (checkboxes, popups, layers) always hold.
#include "host/project/ParamCodec.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"
#include "host/suites/StreamTarget.h"

#include <AE_GeneralPlug.h>

#include <cstdint>

namespace vlam::host {
namespace {

// A stream that may hold keys: a parameter with a number value that is
// allowed to vary over time.
std::optional<StreamTarget> keyedTarget(Host &host, AEGP_StreamRefH ref) {
  auto t = streamTargetOf(host, ref);
  if (!t || t->index == 0 || !t->param().animatable()) return std::nullopt;
  const AEGP_StreamType type = streamTypeOf(t->param().type());
  if (type == AEGP_StreamType_NO_DATA || type == AEGP_StreamType_ARB) return std::nullopt;
  return t;
}

bool validIndex(const StreamTarget &t, AEGP_KeyframeIndex index) {
  return index >= 0 && static_cast<std::size_t>(index) < t.stream().keys().size();
}

A_Err numKeys(AEGP_StreamRefH ref, A_long *count) {
  return hostCall("AEGP_GetStreamNumKFs", [&](Host &host) -> A_Err {
    auto t = streamTargetOf(host, ref);
    if (!t || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(t->stream().keys().size());
    return A_Err_NONE;
  });
}

A_Err keyTime(AEGP_StreamRefH ref, AEGP_KeyframeIndex index, AEGP_LTimeMode, A_Time *time) {
  return hostCall("AEGP_GetKeyframeTime", [&](Host &host) -> A_Err {
    auto t = streamTargetOf(host, ref);
    if (!t || !time || !validIndex(*t, index)) return A_Err_PARAMETER;
    const std::int64_t ticks = t->stream().keys()[static_cast<std::size_t>(index)].ticks;
    if (ticks < INT32_MIN || ticks > INT32_MAX) return A_Err_PARAMETER;
    *time = {static_cast<A_long>(ticks), static_cast<A_u_long>(t->effect->layer().comp().frameRate.perSecond)};
    return A_Err_NONE;
  });
}

// A new key takes the stream's value at its time; a key already at that time
// is kept as it is and its index returned.
A_Err insertKey(AEGP_StreamRefH ref, AEGP_LTimeMode, const A_Time *time, AEGP_KeyframeIndex *index) {
  return hostCall("AEGP_InsertKeyframe", [&](Host &host) -> A_Err {
    auto t = keyedTarget(host, ref);
    std::int64_t ticks = 0;
    if (!t || !index || !streamTicksOf(*t, time, ticks)) return A_Err_PARAMETER;
    ParamStream &stream = t->stream();
    const auto &keys = stream.keys();
    for (std::size_t i = 0; i < keys.size(); ++i)
      if (keys[i].ticks == ticks) {
        *index = static_cast<AEGP_KeyframeIndex>(i);
        return A_Err_NONE;
      }
    const bool blendable = t->param().blendable();
    Keyframe key{ticks, stream.valueAt(ticks, blendable), blendable ? Interpolation::Linear : Interpolation::Hold};
    *index = static_cast<AEGP_KeyframeIndex>(stream.setKey(std::move(key)));
    return A_Err_NONE;
  });
}

// Removing the last key leaves the stream at that key's value.
A_Err deleteKey(AEGP_StreamRefH ref, AEGP_KeyframeIndex index) {
  return hostCall("AEGP_DeleteKeyframe", [&](Host &host) -> A_Err {
    auto t = streamTargetOf(host, ref);
    if (!t || !validIndex(*t, index)) return A_Err_PARAMETER;
    ParamStream &stream = t->stream();
    const ParamValue value = stream.keys()[static_cast<std::size_t>(index)].value;
    stream.removeKey(static_cast<std::size_t>(index));
    if (!stream.animated()) stream.setStaticValue(value);
    return A_Err_NONE;
  });
}

A_Err newKeyValue(AEGP_PluginID, AEGP_StreamRefH ref, AEGP_KeyframeIndex index, AEGP_StreamValue2 *value) {
  return hostCall("AEGP_GetNewKeyframeValue", [&](Host &host) -> A_Err {
    auto t = keyedTarget(host, ref);
    if (!t || !value || !validIndex(*t, index)) return A_Err_PARAMETER;
    *value = AEGP_StreamValue2{};
    value->streamH = ref;
    value->val = streamValOf(streamTypeOf(t->param().type()), t->stream().keys()[static_cast<std::size_t>(index)].value);
    return A_Err_NONE;
  });
}

A_Err setKeyValue(AEGP_StreamRefH ref, AEGP_KeyframeIndex index, const AEGP_StreamValue2 *value) {
  return hostCall("AEGP_SetKeyframeValue", [&](Host &host) -> A_Err {
    auto t = keyedTarget(host, ref);
    ParamValue v;
    if (!t || !value || !validIndex(*t, index) || !paramValueOf(streamTypeOf(t->param().type()), value->val, v))
      return A_Err_PARAMETER;
    clampToValidRange(t->param(), v);
    Keyframe key = t->stream().keys()[static_cast<std::size_t>(index)];
    key.value = std::move(v);
    t->stream().setKey(std::move(key));
    return A_Err_NONE;
  });
}

A_short dimensionsOf(AEGP_StreamType type) {
  switch (type) {
  case AEGP_StreamType_OneD:
  case AEGP_StreamType_LAYER_ID: return 1;
  case AEGP_StreamType_TwoD_SPATIAL: return 2;
  case AEGP_StreamType_ThreeD_SPATIAL: return 3;
  case AEGP_StreamType_COLOR: return 4;
  default: return 0;
  }
}

A_Err valueDimensions(AEGP_StreamRefH ref, A_short *dims) {
  return hostCall("AEGP_GetStreamValueDimensionality", [&](Host &host) -> A_Err {
    auto t = streamTargetOf(host, ref);
    if (!t || !dims) return A_Err_PARAMETER;
    *dims = dimensionsOf(streamTypeOf(t->param().type()));
    return A_Err_NONE;
  });
}

// Spatial streams move along a path: one temporal dimension.
A_Err temporalDimensions(AEGP_StreamRefH ref, A_short *dims) {
  return hostCall("AEGP_GetStreamTemporalDimensionality", [&](Host &host) -> A_Err {
    auto t = streamTargetOf(host, ref);
    if (!t || !dims) return A_Err_PARAMETER;
    const AEGP_StreamType type = streamTypeOf(t->param().type());
    const bool spatial = type == AEGP_StreamType_TwoD_SPATIAL || type == AEGP_StreamType_ThreeD_SPATIAL;
    *dims = spatial ? 1 : dimensionsOf(type);
    return A_Err_NONE;
  });
}

// The outgoing interpolation decides the stretch after a key; keys of
// streams that cannot blend stay hold whatever is asked.
A_Err setInterpolation(AEGP_StreamRefH ref, AEGP_KeyframeIndex index, AEGP_KeyframeInterpolationType in,
                       AEGP_KeyframeInterpolationType out) {
  return hostCall("AEGP_SetKeyframeInterpolation", [&](Host &host) -> A_Err {
    auto t = keyedTarget(host, ref);
    auto known = [](AEGP_KeyframeInterpolationType i) {
      return i == AEGP_KeyInterp_LINEAR || i == AEGP_KeyInterp_BEZIER || i == AEGP_KeyInterp_HOLD;
    };
    if (!t || !validIndex(*t, index) || !known(in) || !known(out)) return A_Err_PARAMETER;
    Keyframe key = t->stream().keys()[static_cast<std::size_t>(index)];
    key.interpolation =
        (out == AEGP_KeyInterp_HOLD || !t->param().blendable()) ? Interpolation::Hold : Interpolation::Linear;
    t->stream().setKey(std::move(key));
    return A_Err_NONE;
  });
}

VLAM_NOT_OFFERED(spatialTangents, AEGP_PluginID, AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_StreamValue2 *,
                 AEGP_StreamValue2 *)

const AEGP_KeyframeSuite4 kKeyframeSuite{
    .AEGP_GetStreamNumKFs = numKeys,
    .AEGP_GetKeyframeTime = keyTime,
    .AEGP_InsertKeyframe = insertKey,
    .AEGP_DeleteKeyframe = deleteKey,
    .AEGP_GetNewKeyframeValue = newKeyValue,
    .AEGP_SetKeyframeValue = setKeyValue,
    .AEGP_GetStreamValueDimensionality = valueDimensions,
    .AEGP_GetStreamTemporalDimensionality = temporalDimensions,
    .AEGP_GetNewKeyframeSpatialTangents = spatialTangents,
    VLAM_UNOFFERED(AEGP_SetKeyframeSpatialTangents),
    VLAM_UNOFFERED(AEGP_GetKeyframeTemporalEase),
    VLAM_UNOFFERED(AEGP_SetKeyframeTemporalEase),
    VLAM_UNOFFERED(AEGP_GetKeyframeFlags),
    VLAM_UNOFFERED(AEGP_SetKeyframeFlag),
    VLAM_UNOFFERED(AEGP_GetKeyframeInterpolation),
    .AEGP_SetKeyframeInterpolation = setInterpolation,
    VLAM_UNOFFERED(AEGP_StartAddKeyframes),
    VLAM_UNOFFERED(AEGP_AddKeyframes),
    VLAM_UNOFFERED(AEGP_SetAddKeyframe),
    VLAM_UNOFFERED(AEGP_EndAddKeyframes),
};

} // namespace

void publishKeyframeSuite(SuiteRegistry &registry) {
  publishTable(registry, kKeyframeSuite);
}

} // namespace vlam::host
