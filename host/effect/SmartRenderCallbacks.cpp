// The callbacks of smart pre-render (checkout_layer) and smart render
// (checkout_layer_pixels, checkin_layer_pixels, checkout_output).
#include "host/effect/EffectRunner.h"
#include "host/project/Project.h"
#include "host/suites/HostCall.h"

#include <algorithm>

namespace vlam::host {
namespace {

PF_LRect intersect(const PF_LRect &a, const PF_LRect &b) {
  PF_LRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return {0, 0, 0, 0};
  return r;
}

PF_Err checkoutLayer(PF_ProgPtr ref, PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest *request,
                     A_long time, A_long step, A_u_long scale, PF_CheckoutResult *result) {
  (void)step;
  return hostCall("checkout_layer", [&](Host &) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->smart || !frame->instance || !request || !result) return PF_Err_BAD_CALLBACK_PARAM;
    if (frame->cmd != PF_Cmd_SMART_PRE_RENDER) return PF_Err_BAD_CALLBACK_PARAM;
    EffectInstance &instance = *frame->instance;
    if (index < 0 || static_cast<std::size_t>(index) >= instance.paramCount()) return PF_Err_INVALID_INDEX;
    if (instance.param(static_cast<std::size_t>(index)).type() != PF_Param_LAYER) return PF_Err_BAD_CALLBACK_PARAM;
    if (frame->smart->checkouts.count(checkoutId)) return PF_Err_BAD_CALLBACK_PARAM; // ids are unique per render
    std::int64_t ticks = 0;
    if (!EffectRunner::toTicks(&instance, time, scale, ticks)) return PF_Err_BAD_CALLBACK_PARAM;

    LayerCheckout checkout;
    checkout.index = index;
    checkout.ticks = ticks;
    const LayerTarget target = layerParamTarget(instance, static_cast<std::size_t>(index), ticks);
    checkout.layer = target.layer;
    checkout.effectCount = index == 0 ? frame->smart->effectIndex : target.effectCount;
    *result = PF_CheckoutResult{};
    if (checkout.layer) {
      const RenderSettings &s = frame->settings;
      const PF_LRect bounds{0, 0, s.scaled(checkout.layer->width), s.scaled(checkout.layer->height)};
      result->result_rect = intersect(request->rect, bounds);
      result->max_result_rect = bounds;
      result->par = {checkout.layer->pixelAspect.num, checkout.layer->pixelAspect.den};
      result->ref_width = bounds.right;
      result->ref_height = bounds.bottom;
    }
    checkout.result = *result;
    frame->smart->checkouts.emplace(checkoutId, std::move(checkout));
    return PF_Err_NONE;
  });
}

PF_Err guidMixIn(PF_ProgPtr ref, A_u_long, const void *) {
  return hostCall("GuidMixInPtr", [&](Host &) -> PF_Err {
    return frameFromRef(ref) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
  });
}

PF_Err checkoutLayerPixels(PF_ProgPtr ref, A_long checkoutId, PF_EffectWorld **pixels) {
  return hostCall("checkout_layer_pixels", [&](Host &host) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->smart || !pixels || frame->cmd != PF_Cmd_SMART_RENDER) return PF_Err_BAD_CALLBACK_PARAM;
    *pixels = nullptr;
    auto it = frame->smart->checkouts.find(checkoutId);
    if (it == frame->smart->checkouts.end()) return PF_Err_BAD_CALLBACK_PARAM; // not checked out at pre-render
    LayerCheckout &checkout = it->second;
    if (!checkout.layer) return PF_Err_NONE; // an empty layer parameter has no pixels
    if (!checkout.pixels) {
      // At the depth the effect renders at, which may be below the frame's.
      checkout.pixels = atDepth(
          frame->smart->source->layerPixels(*checkout.layer, checkout.effectCount, checkout.ticks),
          frame->settings.depth);
      if (!checkout.pixels) return PF_Err_INTERNAL_STRUCT_DAMAGED;
      checkout.world = std::make_unique<PF_EffectWorld>();
      host.worlds().describe(checkout.pixels, *checkout.world,
                             {checkout.layer->pixelAspect.num, checkout.layer->pixelAspect.den}, false);
    }
    checkout.checkedIn = false;
    *pixels = checkout.world.get();
    return PF_Err_NONE;
  });
}

PF_Err checkinLayerPixels(PF_ProgPtr ref, A_long checkoutId) {
  return hostCall("checkin_layer_pixels", [&](Host &) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->smart) return PF_Err_BAD_CALLBACK_PARAM;
    auto it = frame->smart->checkouts.find(checkoutId);
    if (it == frame->smart->checkouts.end()) return PF_Err_BAD_CALLBACK_PARAM;
    it->second.checkedIn = true;
    return PF_Err_NONE;
  });
}

PF_Err checkoutOutput(PF_ProgPtr ref, PF_EffectWorld **output) {
  return hostCall("checkout_output", [&](Host &) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !frame->smart || !output || frame->cmd != PF_Cmd_SMART_RENDER || !frame->smart->output)
      return PF_Err_BAD_CALLBACK_PARAM;
    *output = &frame->smart->outputWorld;
    return PF_Err_NONE;
  });
}

} // namespace

PF_PreRenderCallbacks *preRenderCallbacks() {
  static PF_PreRenderCallbacks callbacks{checkoutLayer, guidMixIn};
  return &callbacks;
}

PF_SmartRenderCallbacks *smartRenderCallbacks() {
  static PF_SmartRenderCallbacks callbacks{checkoutLayerPixels, checkinLayerPixels, checkoutOutput};
  return &callbacks;
}

} // namespace vlam::host
