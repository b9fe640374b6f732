// The handlers of the builder's two profile parameters: their values are
// ShapeCurve records, copied and flattened byte for byte by the base class.
#pragma once
#include "flash/shape_curve.h"
#include "frame/arbitrary_handler.h"

namespace vlam {

class ShapeCurveArbHandler : public ArbitraryHandler {
 protected:
  explicit ShapeCurveArbHandler(PF_InData* in_data);
  // A new 532-byte value filled by makeDefault; no handle and no error when
  // the host cannot make one.
  PF_Err NewCurveValue(PF_ArbitraryH* valuePH, void (*makeDefault)(ShapeCurve&));
  // Curves from project files are clamped back within their invariants.
  void MendValue(void* block) override;
};

// "Flash Shape Profile": default main curve, capacity 16.
class MainShapeArbHandler final : public ShapeCurveArbHandler {
 public:
  explicit MainShapeArbHandler(PF_InData* in_data) : ShapeCurveArbHandler(in_data) {}
  PF_Err NewValue(PF_ArbitraryH* valuePH) override;
};

// "Petal Shape Profile": default petal curve, capacity 8.
class PetalShapeArbHandler final : public ShapeCurveArbHandler {
 public:
  explicit PetalShapeArbHandler(PF_InData* in_data) : ShapeCurveArbHandler(in_data) {}
  PF_Err NewValue(PF_ArbitraryH* valuePH) override;
};

static_assert(sizeof(MainShapeArbHandler) <= 32 && sizeof(PetalShapeArbHandler) <= 32,
              "handler objects live in 32-byte host handles");

}  // namespace vlam
