#include "flash/shape_arb_handlers.h"

#include "AE_Effect.h"

#include <cstring>

#include "flash/default_curves.h"

namespace vlam {

ShapeCurveArbHandler::ShapeCurveArbHandler(PF_InData* in_data) : ArbitraryHandler(in_data) {
  SetValueSize(sizeof(ShapeCurve));
}

PF_Err ShapeCurveArbHandler::NewCurveValue(PF_ArbitraryH* valuePH, void (*makeDefault)(ShapeCurve&)) {
  if (!valuePH) return PF_Err_BAD_CALLBACK_PARAM;
  SetValueSize(sizeof(ShapeCurve));
  PF_ArbitraryH valueH = NewBlock();
  if (!valueH) return PF_Err_NONE;  // no handle, no error
  void* block = Handles()->host_lock_handle(valueH);
  if (!block) {
    Handles()->host_dispose_handle(valueH);
    return PF_Err_OUT_OF_MEMORY;
  }
  ShapeCurve curve;
  makeDefault(curve);
  std::memcpy(block, &curve, sizeof curve);
  *valuePH = valueH;
  Handles()->host_unlock_handle(valueH);
  return PF_Err_NONE;
}

void ShapeCurveArbHandler::MendValue(void* block) {
  ShapeCurve curve;
  std::memcpy(&curve, block, sizeof curve);
  if (MendShapeCurve(curve).Any()) std::memcpy(block, &curve, sizeof curve);
}

PF_Err MainShapeArbHandler::NewValue(PF_ArbitraryH* valuePH) {
  return NewCurveValue(valuePH, MakeDefaultMainCurve);
}

PF_Err PetalShapeArbHandler::NewValue(PF_ArbitraryH* valuePH) {
  return NewCurveValue(valuePH, MakeDefaultPetalCurve);
}

}  // namespace vlam
