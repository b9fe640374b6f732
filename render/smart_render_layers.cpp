#include "render/smart_render_layers.h"

#include "AE_EffectCB.h"
#include "frame/host_error.h"
#include "render/render_param_ids.h"

namespace vlam {

namespace {
constexpr A_long kInputCheckout = 0;
}

SmartRenderLayers::SmartRenderLayers(const PF_InData *in_data, PF_SmartRenderExtra *extra)
    : in_data_(in_data), extra_(extra) {}

SmartRenderLayers::~SmartRenderLayers() { CheckIn(); }

PF_Err SmartRenderLayers::CheckoutAndCopyInput() {
  PF_Err err =
      extra_->cb->checkout_layer_pixels(in_data_->effect_ref, kInputCheckout, &input_);
  inputOut_ = err == PF_Err_NONE;
  if (err == PF_Err_NONE) err = extra_->cb->checkout_output(in_data_->effect_ref, &output_);
  if (err == PF_Err_NONE && (input_ == nullptr || output_ == nullptr)) {
    err = PF_Err_BAD_CALLBACK_PARAM;
  }
  if (err == PF_Err_NONE) {
    err = in_data_->utils->copy(in_data_->effect_ref, input_, output_, nullptr, nullptr);
  }
  return err;
}

PF_Err SmartRenderLayers::CheckoutGrain() {
  const PF_Err err =
      extra_->cb->checkout_layer_pixels(in_data_->effect_ref, kRenderGrainLayerParam, &grain_);
  grainOut_ = err == PF_Err_NONE;
  if (!grainOut_) grain_ = nullptr;
  return err;
}

PF_Err SmartRenderLayers::CheckIn() {
  PF_Err err = PF_Err_NONE;
  if (grainOut_) {
    grainOut_ = false;
    grain_ = nullptr;
    err = extra_->cb->checkin_layer_pixels(in_data_->effect_ref, kRenderGrainLayerParam);
  }
  if (inputOut_) {
    inputOut_ = false;
    KeepFirstError(err, extra_->cb->checkin_layer_pixels(in_data_->effect_ref, kInputCheckout));
  }
  return err;
}

}  // namespace vlam
