// Feeds any bytes to the profile parameter's unflatten callback, as a project
// file would. Whatever the bytes, the value made must keep the curve
// invariants, and evaluating, writing and flattening it must stay inside the
// record (the sanitizers catch any stray access).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flash/shape_arb_handlers.h"
#include "flash/shape_curve_text.h"
#include "frame/fake_handle_host_support.h"

using namespace vlam;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FakeHandleHost host;
  MainShapeArbHandler main(host.InData());
  PetalShapeArbHandler petal(host.InData());
  ArbitraryHandler& handler = (size > 0 && (data[0] & 1)) ? static_cast<ArbitraryHandler&>(petal) : main;

  // Inputs of exactly the record's size reach the copy; other sizes must give
  // the default curve.
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  PF_ArbitraryH value = nullptr;
  extra.which_function = PF_Arbitrary_UNFLATTEN_FUNC;
  extra.u.unflatten_func_params.refconPV = &handler;
  extra.u.unflatten_func_params.buf_sizeLu = static_cast<A_u_long>(size);
  extra.u.unflatten_func_params.flat_dataPV = data;
  extra.u.unflatten_func_params.arbPH = &value;
  Check(RouteArbitraryCallback(&extra) == PF_Err_NONE);
  Check(value != nullptr);

  ShapeCurve curve;
  std::memcpy(&curve, *value, sizeof curve);
  Check(curve.capacity <= kShapeCurveMaxPoints && curve.count <= curve.capacity);
  for (int i = 0; i < kShapeCurveMaxPoints; ++i) {
    Check(curve.points[i].x >= 0.0 && curve.points[i].x <= 1.0);
    Check(curve.points[i].y >= 0.0 && curve.points[i].y <= 1.0);
  }
  for (double t : {0.0, 0.25, 0.5, 1.0}) {
    const double y = EvaluateShapeCurve(curve, t);
    Check(y >= 0.0 && y <= 1.0);
  }
  (void)WriteShapeCurveText(curve);
  AddShapePoint(curve, 0.5, 0.5);

  // A second unflatten of the flattened value gives the same bytes.
  unsigned char flat[sizeof(ShapeCurve)];
  Check(handler.Flatten(value, sizeof flat, flat) == PF_Err_NONE);
  PF_ArbitraryH again = nullptr;
  Check(handler.Unflatten(sizeof flat, flat, &again) == PF_Err_NONE && again);
  Check(std::memcmp(*again, *value, sizeof flat) == 0);
  return 0;
}
