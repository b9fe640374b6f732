// "AEGP Stream Suite" (v8, v9) and "AEGP Dynamic Stream Suite" (v3, v5):
// effect parameter streams.
#include "host/effect/EffectRunner.h"
#include "host/project/ParamCodec.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/CameraStreams.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/MaskStreams.h"
#include "host/suites/NotOffered.h"
#include "host/suites/StreamTarget.h"

#include <AE_GeneralPlug.h>

#include <cmath>

namespace vlam::host {
namespace {

std::optional<StreamTarget> targetOf(Host &host, AEGP_StreamRefH ref) { return streamTargetOf(host, ref); }

bool ticksOf(const StreamTarget &t, const A_Time *time, std::int64_t &ticks) { return streamTicksOf(t, time, ticks); }

A_Err canVaryOverTime(AEGP_StreamRefH ref, A_Boolean *canVary) {
  return hostCall("AEGP_CanVaryOverTime", [&](Host &host) -> A_Err {
    auto t = targetOf(host, ref);
    if (!t || !canVary) return A_Err_PARAMETER;
    *canVary = t->index > 0 && t->param().animatable();
    return A_Err_NONE;
  });
}

A_Err effectNumParamStreams(AEGP_EffectRefH ref, A_long *count) {
  return hostCall("AEGP_GetEffectNumParamStreams", [&](Host &host) -> A_Err {
    const EffectRef *r = host.effectRefs().find(ref);
    EffectInstance *effect = r ? host.project().findEffect(r->effectId) : nullptr;
    if (!effect || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(effect->paramCount());
    return A_Err_NONE;
  });
}

A_Err newEffectStreamByIndex(AEGP_PluginID, AEGP_EffectRefH ref, PF_ParamIndex index, AEGP_StreamRefH *stream) {
  return hostCall("AEGP_GetNewEffectStreamByIndex", [&](Host &host) -> A_Err {
    if (!stream) return A_Err_PARAMETER;
    *stream = nullptr;
    const EffectRef *r = host.effectRefs().find(ref);
    EffectInstance *effect = r ? host.project().findEffect(r->effectId) : nullptr;
    if (!effect || index < 0 || static_cast<std::size_t>(index) >= effect->paramCount()) return A_Err_PARAMETER;
    *stream = reinterpret_cast<AEGP_StreamRefH>(host.streamRefs().make(StreamRef{effect->id(), index, 0, 0, 0}));
    return A_Err_NONE;
  });
}

A_Err disposeStream(AEGP_StreamRefH ref) {
  return hostCall("AEGP_DisposeStream",
                  [&](Host &host) -> A_Err { return host.streamRefs().dispose(ref) ? A_Err_NONE : A_Err_PARAMETER; });
}

A_Err streamType(AEGP_StreamRefH ref, AEGP_StreamType *type) {
  return hostCall("AEGP_GetStreamType", [&](Host &host) -> A_Err {
    if (const StreamRef *s = host.streamRefs().find(ref); s && s->maskStream != 0 && type) {
      *type = maskStreamType(*s);
      return A_Err_NONE;
    }
    auto t = targetOf(host, ref);
    if (!t || !type) return A_Err_PARAMETER;
    *type = streamTypeOf(t->param().type());
    return A_Err_NONE;
  });
}

A_Err newStreamValue(AEGP_PluginID, AEGP_StreamRefH ref, AEGP_LTimeMode, const A_Time *time, A_Boolean,
                     AEGP_StreamValue2 *value) {
  return hostCall("AEGP_GetNewStreamValue", [&](Host &host) -> A_Err {
    if (const StreamRef *s = host.streamRefs().find(ref); s && s->maskStream != 0)
      return maskStreamValue(host, *s, ref, time, value);
    auto t = targetOf(host, ref);
    std::int64_t ticks = 0;
    if (!t || !value || !ticksOf(*t, time, ticks)) return A_Err_PARAMETER;
    const AEGP_StreamType type = streamTypeOf(t->param().type());
    if (type == AEGP_StreamType_NO_DATA || type == AEGP_StreamType_ARB) return A_Err_PARAMETER;
    const ParamValue v = t->stream().valueAt(ticks, t->param().blendable());
    *value = AEGP_StreamValue2{};
    value->streamH = ref;
    value->val = streamValOf(type, v);
    return A_Err_NONE;
  });
}

A_Err disposeStreamValue(AEGP_StreamValue2 *value) {
  return hostCall("AEGP_DisposeStreamValue", [&](Host &) -> A_Err { return value ? A_Err_NONE : A_Err_PARAMETER; });
}

A_Err setStreamValue(AEGP_PluginID, AEGP_StreamRefH ref, AEGP_StreamValue2 *value) {
  return hostCall("AEGP_SetStreamValue", [&](Host &host) -> A_Err {
    auto t = targetOf(host, ref);
    if (!t || !value || t->index == 0) return A_Err_PARAMETER;
    const AEGP_StreamType type = streamTypeOf(t->param().type());
    ParamValue v;
    if (!paramValueOf(type, value->val, v)) return A_Err_PARAMETER;
    // Kept inside the parameter's valid range, as every other way in is.
    clampToValidRange(t->param(), v);
    t->stream().setValueAt(host.currentTicks, v);
    return A_Err_NONE;
  });
}

A_Err duplicateStreamRef(AEGP_PluginID, AEGP_StreamRefH ref, AEGP_StreamRefH *copy) {
  return hostCall("AEGP_DuplicateStreamRef", [&](Host &host) -> A_Err {
    const StreamRef *s = host.streamRefs().find(ref);
    if (!s || !copy) return A_Err_PARAMETER;
    *copy = reinterpret_cast<AEGP_StreamRefH>(host.streamRefs().make(*s));
    return A_Err_NONE;
  });
}

A_Err isStreamLegal(AEGP_LayerH layerH, AEGP_LayerStream which, A_Boolean *legal) {
  return hostCall("AEGP_IsStreamLegal", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !legal) return A_Err_PARAMETER;
    *legal = isCameraStream(*layer, which); // other layer transform streams are not modelled
    return A_Err_NONE;
  });
}

A_Err layerStreamValue(AEGP_LayerH layer, AEGP_LayerStream which, AEGP_LTimeMode, const A_Time *time, A_Boolean,
                       AEGP_StreamVal2 *value, AEGP_StreamType *type) {
  return hostCall("AEGP_GetLayerStreamValue",
                  [&](Host &host) { return cameraStreamValue(host, layer, which, time, value, type); });
}

A_Err newMaskStream(AEGP_PluginID, AEGP_MaskRefH mask, AEGP_MaskStream which, AEGP_StreamRefH *stream) {
  return newMaskStreamRef(mask, which, stream);
}

// Versions 8 and 9 of the suite list the same functions; only the type of
// AEGP_GetStreamName (which this host does not offer) differs.
template <class Suite> constexpr Suite streamSuite() {
  return Suite{
      .AEGP_IsStreamLegal = isStreamLegal,
    .AEGP_CanVaryOverTime = canVaryOverTime,
    VLAM_UNOFFERED(AEGP_GetValidInterpolations),
    VLAM_UNOFFERED(AEGP_GetNewLayerStream),
    .AEGP_GetEffectNumParamStreams = effectNumParamStreams,
    .AEGP_GetNewEffectStreamByIndex = newEffectStreamByIndex,
    .AEGP_GetNewMaskStream = newMaskStream,
    .AEGP_DisposeStream = disposeStream,
    VLAM_UNOFFERED(AEGP_GetStreamName),
    VLAM_UNOFFERED(AEGP_GetStreamUnitsText),
    VLAM_UNOFFERED(AEGP_GetStreamProperties),
    VLAM_UNOFFERED(AEGP_IsStreamTimevarying),
    .AEGP_GetStreamType = streamType,
    .AEGP_GetNewStreamValue = newStreamValue,
    .AEGP_DisposeStreamValue = disposeStreamValue,
    .AEGP_SetStreamValue = setStreamValue,
    .AEGP_GetLayerStreamValue = layerStreamValue,
    VLAM_UNOFFERED(AEGP_GetExpressionState),
    VLAM_UNOFFERED(AEGP_SetExpressionState),
    VLAM_UNOFFERED(AEGP_GetExpression),
    VLAM_UNOFFERED(AEGP_SetExpression),
    .AEGP_DuplicateStreamRef = duplicateStreamRef,
  };
}
const AEGP_StreamSuite3 kStreamSuite3 = streamSuite<AEGP_StreamSuite3>();
const AEGP_StreamSuite4 kStreamSuite4 = streamSuite<AEGP_StreamSuite4>();

// Dynamic streams: only the flags of effect parameter streams.
A_Err dynamicStreamFlags(AEGP_StreamRefH ref, AEGP_DynStreamFlags *flags) {
  return hostCall("AEGP_GetDynamicStreamFlags", [&](Host &host) -> A_Err {
    auto t = targetOf(host, ref);
    if (!t || !flags) return A_Err_PARAMETER;
    *flags = t->effect->ui[t->index].streamFlags;
    return A_Err_NONE;
  });
}

A_Err setDynamicStreamFlag(AEGP_StreamRefH ref, AEGP_DynStreamFlags flag, A_Boolean, A_Boolean set) {
  return hostCall("AEGP_SetDynamicStreamFlag", [&](Host &host) -> A_Err {
    auto t = targetOf(host, ref);
    if (!t) return A_Err_PARAMETER;
    // Only one flag at a time, and only those a plug-in may change.
    const AEGP_DynStreamFlags settable = AEGP_DynStreamFlag_HIDDEN | AEGP_DynStreamFlag_DISABLED |
                                         AEGP_DynStreamFlag_ACTIVE_EYEBALL |
                                         AEGP_DynStreamFlag_SKIP_REVEAL_WHEN_UNHIDDEN;
    if (flag == 0 || (flag & (flag - 1)) != 0 || !(flag & settable)) return A_Err_PARAMETER;
    A_u_long &flags = t->effect->ui[t->index].streamFlags;
    flags = set ? (flags | flag) : (flags & ~flag);
    return A_Err_NONE;
  });
}

A_Err streamDepth(AEGP_StreamRefH ref, A_long *depth) {
  return hostCall("AEGP_GetStreamDepth", [&](Host &host) -> A_Err {
    if (!targetOf(host, ref) || !depth) return A_Err_PARAMETER;
    *depth = 2; // layer > effect > parameter
    return A_Err_NONE;
  });
}

A_Err streamGroupingType(AEGP_StreamRefH ref, AEGP_StreamGroupingType *type) {
  return hostCall("AEGP_GetStreamGroupingType", [&](Host &host) -> A_Err {
    if (!targetOf(host, ref) || !type) return A_Err_PARAMETER;
    *type = AEGP_StreamGroupingType_LEAF;
    return A_Err_NONE;
  });
}

// The parent of an effect parameter's stream is the effect's own stream
// group (a reference with parameter index kEffectGroupStream); the parent of
// that group, the layer's effect parade, is not offered.
constexpr int kEffectGroupStream = -1;

A_Err parentStreamRef(AEGP_PluginID, AEGP_StreamRefH ref, AEGP_StreamRefH *parent) {
  return hostCall("AEGP_GetNewParentStreamRef", [&](Host &host) -> A_Err {
    if (!parent) return A_Err_PARAMETER;
    *parent = nullptr;
    auto t = targetOf(host, ref);
    if (!t) return A_Err_PARAMETER;
    *parent = reinterpret_cast<AEGP_StreamRefH>(host.streamRefs().make({t->effect->id(), kEffectGroupStream}));
    return A_Err_NONE;
  });
}
// An effect's group: its position in the layer's stack; a parameter's
// stream: its position among the effect's parameter streams (the input
// layer has none).
A_Err streamIndexInParent(AEGP_StreamRefH ref, A_long *index) {
  return hostCall("AEGP_GetStreamIndexInParent", [&](Host &host) -> A_Err {
    if (!index) return A_Err_PARAMETER;
    *index = 0;
    const StreamRef *s = host.streamRefs().find(ref);
    if (!s) return A_Err_PARAMETER;
    EffectInstance *effect = host.project().findEffect(s->effectId);
    if (!effect) return A_Err_PARAMETER;
    if (s->paramIndex == kEffectGroupStream) {
      const int position = effect->layer().indexOf(*effect);
      if (position < 0) return A_Err_PARAMETER;
      *index = position;
      return A_Err_NONE;
    }
    auto t = targetOf(host, ref);
    if (!t || t->index == 0) return A_Err_PARAMETER;
    *index = static_cast<A_long>(t->index - 1);
    return A_Err_NONE;
  });
}

const AEGP_DynamicStreamSuite3 kDynamicStreamSuite3{
    VLAM_UNOFFERED(AEGP_GetNewStreamRefForLayer),
    .AEGP_GetStreamDepth = streamDepth,
    .AEGP_GetStreamGroupingType = streamGroupingType,
    VLAM_UNOFFERED(AEGP_GetNumStreamsInGroup),
    .AEGP_GetDynamicStreamFlags = dynamicStreamFlags,
    .AEGP_SetDynamicStreamFlag = setDynamicStreamFlag,
    VLAM_UNOFFERED(AEGP_GetNewStreamRefByIndex),
    VLAM_UNOFFERED(AEGP_GetNewStreamRefByMatchname),
    VLAM_UNOFFERED(AEGP_DeleteStream),
    VLAM_UNOFFERED(AEGP_ReorderStream),
    VLAM_UNOFFERED(AEGP_DuplicateStream),
    VLAM_UNOFFERED(AEGP_SetStreamName),
    VLAM_UNOFFERED(AEGP_CanAddStream),
    VLAM_UNOFFERED(AEGP_AddStream),
    VLAM_UNOFFERED(AEGP_GetMatchName),
    .AEGP_GetNewParentStreamRef = parentStreamRef,
    VLAM_UNOFFERED(AEGP_GetStreamIsModified),
    .AEGP_GetStreamIndexInParent = streamIndexInParent,
};

const AEGP_DynamicStreamSuite4 kDynamicStreamSuite4{
    VLAM_UNOFFERED(AEGP_GetNewStreamRefForLayer),
    VLAM_UNOFFERED(AEGP_GetNewStreamRefForMask),
    .AEGP_GetStreamDepth = streamDepth,
    .AEGP_GetStreamGroupingType = streamGroupingType,
    VLAM_UNOFFERED(AEGP_GetNumStreamsInGroup),
    .AEGP_GetDynamicStreamFlags = dynamicStreamFlags,
    .AEGP_SetDynamicStreamFlag = setDynamicStreamFlag,
    VLAM_UNOFFERED(AEGP_GetNewStreamRefByIndex),
    VLAM_UNOFFERED(AEGP_GetNewStreamRefByMatchname),
    VLAM_UNOFFERED(AEGP_DeleteStream),
    VLAM_UNOFFERED(AEGP_ReorderStream),
    VLAM_UNOFFERED(AEGP_DuplicateStream),
    VLAM_UNOFFERED(AEGP_SetStreamName),
    VLAM_UNOFFERED(AEGP_CanAddStream),
    VLAM_UNOFFERED(AEGP_AddStream),
    VLAM_UNOFFERED(AEGP_GetMatchName),
    .AEGP_GetNewParentStreamRef = parentStreamRef,
    VLAM_UNOFFERED(AEGP_GetStreamIsModified),
    .AEGP_GetStreamIndexInParent = streamIndexInParent,
    VLAM_UNOFFERED(AEGP_IsSeparationLeader),
    VLAM_UNOFFERED(AEGP_AreDimensionsSeparated),
    VLAM_UNOFFERED(AEGP_SetDimensionsSeparated),
    VLAM_UNOFFERED(AEGP_GetSeparationFollower),
    VLAM_UNOFFERED(AEGP_IsSeparationFollower),
    VLAM_UNOFFERED(AEGP_GetSeparationLeader),
    VLAM_UNOFFERED(AEGP_GetSeparationDimension),
};

} // namespace

void publishStreamSuites(SuiteRegistry &registry) {
  publishTable(registry, kStreamSuite3);
  publishTable(registry, kStreamSuite4);
  publishTable(registry, kDynamicStreamSuite3);
  publishTable(registry, kDynamicStreamSuite4);
}

} // namespace vlam::host
