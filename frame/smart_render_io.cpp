#include "frame/smart_render_io.h"

#include "AE_EffectCB.h"
#include "frame/rect_union.h"

namespace vlam {

PF_Err CheckoutLayer(const PF_InData *in_data, PF_PreRenderExtra *extra, PF_ParamIndex index,
                     A_long checkout_id, PF_CheckoutResult *result) {
  // The host may keep the request; hand it a copy of our own.
  PF_RenderRequest request = extra->input->output_request;
  *result = PF_CheckoutResult{};
  return extra->cb->checkout_layer(in_data->effect_ref, index, checkout_id, &request,
                                   in_data->current_time, in_data->time_step, in_data->time_scale,
                                   result);
}

void UniteOutputRects(const PF_CheckoutResult &checkout, PF_PreRenderOutput *output) {
  UnionLRect(checkout.result_rect, &output->result_rect);
  UnionLRect(checkout.max_result_rect, &output->max_result_rect);
}

namespace {

bool IsUsable(const PF_PreRenderExtra *extra) {
  return extra != nullptr && extra->input != nullptr && extra->output != nullptr &&
         extra->cb != nullptr && extra->cb->checkout_layer != nullptr;
}

bool IsUsable(const PF_InData *in_data, const PF_SmartRenderExtra *extra) {
  return extra != nullptr && extra->cb != nullptr && in_data->utils != nullptr &&
         in_data->utils->copy != nullptr;
}

}  // namespace

PF_Err PreRenderInputAndLayer(const PF_InData *in_data, PF_PreRenderExtra *extra,
                              PF_ParamIndex second_layer) {
  if (!IsUsable(extra)) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  PF_CheckoutResult input{};
  PF_Err err = CheckoutLayer(in_data, extra, 0, 0, &input);
  if (err != PF_Err_NONE) {
    return err;
  }
  PF_CheckoutResult second{};
  err = CheckoutLayer(in_data, extra, second_layer, second_layer, &second);
  UniteOutputRects(input, extra->output);
  return err;
}

PF_Err PassThroughPreRender(const PF_InData *in_data, PF_PreRenderExtra *extra) {
  if (!IsUsable(extra)) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  PF_CheckoutResult input{};
  const PF_Err err = CheckoutLayer(in_data, extra, 0, 0, &input);
  if (err == PF_Err_NONE) {
    UniteOutputRects(input, extra->output);
  }
  return err;
}

PF_Err PassThroughSmartRender(const PF_InData *in_data, PF_SmartRenderExtra *extra) {
  if (!IsUsable(in_data, extra)) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  PF_EffectWorld *input = nullptr;
  PF_Err err = extra->cb->checkout_layer_pixels(in_data->effect_ref, 0, &input);
  if (err != PF_Err_NONE) {
    return err;
  }
  PF_EffectWorld *output = nullptr;
  err = extra->cb->checkout_output(in_data->effect_ref, &output);
  if (err == PF_Err_NONE && (input == nullptr || output == nullptr)) {
    err = PF_Err_BAD_CALLBACK_PARAM;
  }
  if (err == PF_Err_NONE) {
    err = in_data->utils->copy(in_data->effect_ref, input, output, nullptr, nullptr);
  }
  const PF_Err checkin_err = extra->cb->checkin_layer_pixels(in_data->effect_ref, 0);
  return err != PF_Err_NONE ? err : checkin_err;
}

PF_Err PassThroughRenderCommand(PF_Cmd cmd, const PF_InData *in_data, void *extra) {
  if (cmd == PF_Cmd_SMART_PRE_RENDER) {
    return PassThroughPreRender(in_data, static_cast<PF_PreRenderExtra *>(extra));
  }
  return PassThroughSmartRender(in_data, static_cast<PF_SmartRenderExtra *>(extra));
}

}  // namespace vlam
