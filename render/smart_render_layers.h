// The host buffers the Render effect's smart render checks out: the input
// layer, the output and the "Grain Layer". Whatever was checked out is
// checked in again when the object ends, on every path.
#pragma once
#include "AE_Effect.h"

namespace vlam {

class SmartRenderLayers {
 public:
  SmartRenderLayers(const PF_InData *in_data, PF_SmartRenderExtra *extra);
  ~SmartRenderLayers();
  SmartRenderLayers(const SmartRenderLayers &) = delete;
  SmartRenderLayers &operator=(const SmartRenderLayers &) = delete;

  // Checks out the input and the output and copies the input into the
  // output; the first error is returned.
  PF_Err CheckoutAndCopyInput();
  // Checks out the "Grain Layer" pixels (null when no layer is chosen).
  PF_Err CheckoutGrain();
  // Checks in the grain layer, then the input; the first error is returned.
  PF_Err CheckIn();

  PF_EffectWorld *input() const { return input_; }
  PF_EffectWorld *output() const { return output_; }
  PF_EffectWorld *grain() const { return grain_; }

 private:
  const PF_InData *in_data_;
  PF_SmartRenderExtra *extra_;
  PF_EffectWorld *input_ = nullptr;
  PF_EffectWorld *output_ = nullptr;
  PF_EffectWorld *grain_ = nullptr;
  bool inputOut_ = false;
  bool grainOut_ = false;
};

}  // namespace vlam
