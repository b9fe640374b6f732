// Layer masks as plug-ins see them: "AEGP Layer Mask Suite" v6 (masks of a
// layer by index, their IDs and inversion), "PF Path Query Suite" v1 and
// "PF Path Data Suite" v1 (an effect checks out a mask's outline at a time
// and reads its vertices), "AEGP Mask Suite" v1 (PF_MaskWorldWithPath: the
// outline rasterised into a matte), and the mask streams behind
// AEGP_GetNewMaskStream.
#include "host/suites/SuiteIdentity.h"
#include "host/suites/NotOffered.h"
#include "host/effect/CallFrame.h"
#include "host/effect/EffectRunner.h"
#include "host/image/MaskRaster.h"
#include "host/image/PixelOps.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/MaskStreams.h"

#include <AE_EffectCB.h>
#include <AE_EffectSuites.h>
#include <PF_Masks.h>
#include <AE_GeneralPlug.h>

#include <cmath>

namespace vlam::host {

Layer *layerById(Host &host, std::uint32_t layerId) {
  for (const auto &comp : host.project().comps)
    if (Layer *layer = comp->findLayer(layerId)) return layer;
  return nullptr;
}

namespace {

// The mask a live mask reference stands for, and its layer.
LayerMask *maskOf(Host &host, AEGP_MaskRefH ref, Layer **layerOut = nullptr) {
  const MaskRef *r = host.maskRefs().find(ref);
  Layer *layer = r ? layerById(host, r->layerId) : nullptr;
  if (layerOut) *layerOut = layer;
  return layer ? layer->findMask(r->maskId) : nullptr;
}

A_Err layerNumMasks(AEGP_LayerH layerH, A_long *count) {
  return hostCall("AEGP_GetLayerNumMasks", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(layer->masks.size());
    return A_Err_NONE;
  });
}

A_Err layerMaskByIndex(AEGP_LayerH layerH, AEGP_MaskIndex index, AEGP_MaskRefH *mask) {
  return hostCall("AEGP_GetLayerMaskByIndex", [&](Host &host) -> A_Err {
    if (!mask) return A_Err_PARAMETER;
    *mask = nullptr;
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || index < 0 || static_cast<std::size_t>(index) >= layer->masks.size()) return A_Err_PARAMETER;
    *mask = reinterpret_cast<AEGP_MaskRefH>(
        host.maskRefs().make({layer->id(), layer->masks[static_cast<std::size_t>(index)].id}));
    return A_Err_NONE;
  });
}

A_Err disposeMask(AEGP_MaskRefH mask) {
  return hostCall("AEGP_DisposeMask",
                  [&](Host &host) -> A_Err { return host.maskRefs().dispose(mask) ? A_Err_NONE : A_Err_PARAMETER; });
}

A_Err maskInvert(AEGP_MaskRefH ref, A_Boolean *inverted) {
  return hostCall("AEGP_GetMaskInvert", [&](Host &host) -> A_Err {
    LayerMask *mask = maskOf(host, ref);
    if (!mask || !inverted) return A_Err_PARAMETER;
    *inverted = mask->inverted;
    return A_Err_NONE;
  });
}

A_Err setMaskInvert(AEGP_MaskRefH ref, A_Boolean inverted) {
  return hostCall("AEGP_SetMaskInvert", [&](Host &host) -> A_Err {
    LayerMask *mask = maskOf(host, ref);
    if (!mask) return A_Err_PARAMETER;
    mask->inverted = inverted != 0;
    return A_Err_NONE;
  });
}

A_Err maskId(AEGP_MaskRefH ref, AEGP_MaskIDVal *id) {
  return hostCall("AEGP_GetMaskID", [&](Host &host) -> A_Err {
    LayerMask *mask = maskOf(host, ref);
    if (!mask || !id) return A_Err_PARAMETER;
    *id = static_cast<AEGP_MaskIDVal>(mask->id);
    return A_Err_NONE;
  });
}

const AEGP_MaskSuite5 kLayerMaskSuite{
    .AEGP_GetLayerNumMasks = layerNumMasks,
    .AEGP_GetLayerMaskByIndex = layerMaskByIndex,
    .AEGP_DisposeMask = disposeMask,
    .AEGP_GetMaskInvert = maskInvert,
    .AEGP_SetMaskInvert = setMaskInvert,
    VLAM_UNOFFERED(AEGP_GetMaskMode),
    VLAM_UNOFFERED(AEGP_SetMaskMode),
    VLAM_UNOFFERED(AEGP_GetMaskMotionBlurState),
    VLAM_UNOFFERED(AEGP_SetMaskMotionBlurState),
    .AEGP_GetMaskID = maskId,
    VLAM_UNOFFERED(AEGP_CreateNewMask),
    VLAM_UNOFFERED(AEGP_DeleteMaskFromLayer),
    VLAM_UNOFFERED(AEGP_GetMaskColor),
    VLAM_UNOFFERED(AEGP_SetMaskColor),
    VLAM_UNOFFERED(AEGP_GetMaskLockState),
    VLAM_UNOFFERED(AEGP_SetMaskLockState),
    VLAM_UNOFFERED(AEGP_GetMaskIsRotoBezier),
    VLAM_UNOFFERED(AEGP_SetMaskIsRotoBezier),
    VLAM_UNOFFERED(AEGP_DuplicateMask),
};

// The layer of the effect behind a live call.
Layer *effectLayer(PF_ProgPtr ref, CallFrame **frameOut = nullptr) {
  CallFrame *frame = frameFromRef(ref);
  if (frameOut) *frameOut = frame;
  return frame && frame->instance ? &frame->instance->layer() : nullptr;
}

PF_Err numPaths(PF_ProgPtr ref, A_long *count) {
  return hostCall("PF_NumPaths", [&](Host &) -> PF_Err {
    Layer *layer = effectLayer(ref);
    if (!layer || !count) return PF_Err_BAD_CALLBACK_PARAM;
    *count = static_cast<A_long>(layer->masks.size());
    return PF_Err_NONE;
  });
}

PF_Err pathInfo(PF_ProgPtr ref, A_long index, PF_PathID *id) {
  return hostCall("PF_PathInfo", [&](Host &) -> PF_Err {
    Layer *layer = effectLayer(ref);
    if (!layer || !id || index < 0 || static_cast<std::size_t>(index) >= layer->masks.size())
      return PF_Err_BAD_CALLBACK_PARAM;
    *id = static_cast<PF_PathID>(layer->masks[static_cast<std::size_t>(index)].id);
    return PF_Err_NONE;
  });
}

// The outline of the effect's layer mask `id` at a time of the effect.
PF_Err checkoutPath(PF_ProgPtr ref, PF_PathID id, A_long time, A_long, A_u_long scale, PF_PathOutlinePtr *path) {
  return hostCall("PF_CheckoutPath", [&](Host &host) -> PF_Err {
    if (!path) return PF_Err_BAD_CALLBACK_PARAM;
    *path = nullptr;
    CallFrame *frame = nullptr;
    Layer *layer = effectLayer(ref, &frame);
    std::int64_t ticks = 0;
    if (!layer || !EffectRunner::toTicks(frame->instance, time, scale, ticks)) return PF_Err_BAD_CALLBACK_PARAM;
    const LayerMask *mask = id > 0 ? layer->findMask(static_cast<std::uint32_t>(id)) : nullptr;
    if (!mask) return PF_Err_BAD_CALLBACK_PARAM; // no mask with that ID on the effect's layer
    *path = reinterpret_cast<PF_PathOutlinePtr>(
        host.checkedOutPaths().make({mask->id, ref, mask->shape.valueAt(ticks)}));
    return PF_Err_NONE;
  });
}

PF_Err checkinPath(PF_ProgPtr ref, PF_PathID id, PF_Boolean, PF_PathOutlinePtr path) {
  return hostCall("PF_CheckinPath", [&](Host &host) -> PF_Err {
    const PathOutline *outline = host.checkedOutPaths().find(path);
    if (!frameFromRef(ref) || !outline || outline->maskId != static_cast<std::uint32_t>(id))
      return PF_Err_BAD_CALLBACK_PARAM;
    // Effects read outlines only: a "changed" outline is not written back.
    host.checkedOutPaths().dispose(path);
    return PF_Err_NONE;
  });
}

const PF_PathQuerySuite1 kPathQuerySuite{
    .PF_NumPaths = numPaths,
    .PF_PathInfo = pathInfo,
    .PF_CheckoutPath = checkoutPath,
    .PF_CheckinPath = checkinPath,
};

const PathOutline *outlineOf(Host &host, PF_ProgPtr ref, PF_PathOutlinePtr path) {
  return frameFromRef(ref) ? host.checkedOutPaths().find(path) : nullptr;
}

PF_Err pathIsOpen(PF_ProgPtr ref, PF_PathOutlinePtr path, PF_Boolean *open) {
  return hostCall("PF_PathIsOpen", [&](Host &host) -> PF_Err {
    const PathOutline *outline = outlineOf(host, ref, path);
    if (!outline || !open) return PF_Err_BAD_CALLBACK_PARAM;
    *open = outline->shape.closed ? 0 : 1;
    return PF_Err_NONE;
  });
}

PF_Err pathNumSegments(PF_ProgPtr ref, PF_PathOutlinePtr path, A_long *count) {
  return hostCall("PF_PathNumSegments", [&](Host &host) -> PF_Err {
    const PathOutline *outline = outlineOf(host, ref, path);
    if (!outline || !count) return PF_Err_BAD_CALLBACK_PARAM;
    const auto n = static_cast<A_long>(outline->shape.vertices.size());
    *count = outline->shape.closed ? n : std::max<A_long>(0, n - 1);
    return PF_Err_NONE;
  });
}

PF_Err pathVertexInfo(PF_ProgPtr ref, PF_PathOutlinePtr path, A_long index, PF_PathVertex *vertex) {
  return hostCall("PF_PathVertexInfo", [&](Host &host) -> PF_Err {
    const PathOutline *outline = outlineOf(host, ref, path);
    if (!outline || !vertex || index < 0 || static_cast<std::size_t>(index) >= outline->shape.vertices.size())
      return PF_Err_BAD_CALLBACK_PARAM;
    const MaskVertex &v = outline->shape.vertices[static_cast<std::size_t>(index)];
    *vertex = {v.x, v.y, v.inX, v.inY, v.outX, v.outY};
    return PF_Err_NONE;
  });
}

const PF_PathDataSuite1 kPathDataSuite{
    .PF_PathIsOpen = pathIsOpen,
    .PF_PathNumSegments = pathNumSegments,
    .PF_PathVertexInfo = pathVertexInfo,
    VLAM_UNOFFERED(PF_PathPrepareSegLength),
    VLAM_UNOFFERED(PF_PathGetSegLength),
    VLAM_UNOFFERED(PF_PathEvalSegLength),
    VLAM_UNOFFERED(PF_PathEvalSegLengthDeriv1),
    VLAM_UNOFFERED(PF_PathCleanupSegLength),
    VLAM_UNOFFERED(PF_PathIsInverted),
    VLAM_UNOFFERED(PF_PathGetMaskMode),
    VLAM_UNOFFERED(PF_PathGetName),
};

// Rasterises a checked-out outline (passed by address) into a world of the
// render's resolution: layer pixels and the feather are scaled by the call's
// downsample factors.
A_Err maskWorldWithPath(PF_ProgPtr ref, PF_PathOutlinePtr *pathP, PF_FpLong featherX, PF_FpLong featherY,
                         PF_Boolean invert, PF_FpLong opacity, PF_Quality quality, PF_EffectWorld *world,
                         PF_Rect *bbox) {
  return hostCall("PF_MaskWorldWithPath", [&](Host &host) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    const PathOutline *outline = frame && pathP ? host.checkedOutPaths().find(*pathP) : nullptr;
    auto view = host.worlds().view(world);
    if (!outline || !view) return PF_Err_BAD_CALLBACK_PARAM;
    auto area = clipRect(*view, bbox);
    if (!area) return PF_Err_BAD_CALLBACK_PARAM;
    auto factor = [](const PF_RationalScale &s) {
      return s.num > 0 && s.den > 0 ? static_cast<double>(s.num) / static_cast<double>(s.den) : 1.0;
    };
    const double sx = factor(frame->in.downsample_x), sy = factor(frame->in.downsample_y);
    MaskShape shape = outline->shape;
    for (MaskVertex &v : shape.vertices) v = {v.x * sx, v.y * sy, v.inX * sx, v.inY * sy, v.outX * sx, v.outY * sy};
    MatteLook look;
    look.featherX = featherX * sx;
    look.featherY = featherY * sy;
    look.invert = invert != 0;
    look.opacity = static_cast<float>(opacity);
    look.highQuality = quality == PF_Quality_HI;
    rasterMatte(shape, look, *view, *area, host.threads());
    return PF_Err_NONE;
  });
}

const PF_MaskSuite1 kMaskSuite{
    .PF_MaskWorldWithPath = maskWorldWithPath,
};

} // namespace

A_Err newMaskStreamRef(AEGP_MaskRefH maskH, AEGP_MaskStream which, AEGP_StreamRefH *stream) {
  return hostCall("AEGP_GetNewMaskStream", [&](Host &host) -> A_Err {
    if (!stream) return A_Err_PARAMETER;
    *stream = nullptr;
    Layer *layer = nullptr;
    LayerMask *mask = maskOf(host, maskH, &layer);
    if (!mask || (which != AEGP_MaskStream_OPACITY && which != AEGP_MaskStream_FEATHER)) {
      if (mask) host.monitor().note("not offered: mask stream " + std::to_string(which));
      return A_Err_PARAMETER;
    }
    *stream = reinterpret_cast<AEGP_StreamRefH>(host.streamRefs().make(StreamRef{0, 0, layer->id(), mask->id, which}));
    return A_Err_NONE;
  });
}

A_Err maskStreamValue(Host &host, const StreamRef &ref, AEGP_StreamRefH handle, const A_Time *time,
                      AEGP_StreamValue2 *value) {
  Layer *layer = layerById(host, ref.maskLayerId);
  const LayerMask *mask = layer ? layer->findMask(ref.maskId) : nullptr;
  if (!mask || !value || !time || time->scale == 0) return A_Err_PARAMETER;
  const std::int64_t ticks = static_cast<std::int64_t>(
      std::llround(static_cast<double>(time->value) * layer->comp().frameRate.perSecond / time->scale));
  *value = AEGP_StreamValue2{};
  value->streamH = handle;
  if (ref.maskStream == AEGP_MaskStream_FEATHER) {
    const ParamValue v = mask->feather.valueAt(ticks, true);
    value->val.two_d = {v.number[0], v.number[1]};
  } else {
    value->val.one_d = mask->opacity.valueAt(ticks, true).number[0];
  }
  return A_Err_NONE;
}

AEGP_StreamType maskStreamType(const StreamRef &ref) {
  return ref.maskStream == AEGP_MaskStream_FEATHER ? AEGP_StreamType_TwoD : AEGP_StreamType_OneD;
}

void publishMaskSuites(SuiteRegistry &registry) {
  publishTable(registry, kLayerMaskSuite);
  publishTable(registry, kPathQuerySuite);
  publishTable(registry, kPathDataSuite);
  publishTable(registry, kMaskSuite);
}

} // namespace vlam::host
