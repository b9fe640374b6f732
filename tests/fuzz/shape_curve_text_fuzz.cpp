// Feeds any bytes to the curve text reader. The reader must stay inside the
// record and keep its invariants, and writing what it read and reading that
// again must give the same text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "flash/shape_curve.h"
#include "flash/shape_curve_text.h"

using namespace vlam;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckInvariants(const ShapeCurve& c) {
  Check(c.capacity <= kShapeCurveMaxPoints);
  Check(c.count <= c.capacity);
  for (int i = 0; i < c.count; ++i) {
    Check(c.points[i].x >= 0.0 && c.points[i].x <= 1.0);
    Check(c.points[i].y >= 0.0 && c.points[i].y <= 1.0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the capacity (0-32), the rest is the text.
  const auto capacity = static_cast<std::uint16_t>(data[0] % (kShapeCurveMaxPoints + 1));
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  ShapeCurve curve;
  ResetShapeCurve(curve, capacity);
  ParseShapeCurveText(text, curve);
  CheckInvariants(curve);
  (void)EvaluateShapeCurve(curve, 0.5);

  const std::string written = WriteShapeCurveText(curve);
  ShapeCurve again;
  ResetShapeCurve(again, capacity);
  ParseShapeCurveText(written, again);
  CheckInvariants(again);
  Check(again.count == curve.count);
  Check(WriteShapeCurveText(again) == written);
  return 0;
}
