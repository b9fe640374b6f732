// Feeds any bytes to the host's reader of the profile curve text form, as a
// scene file would. Text it takes must give a well-formed record, and the text
// written from that record must read back to the same bytes; text it refuses
// must come with a reason.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "host/project/ShapeCurveRecord.h"

using namespace vlam::host;
namespace rec = vlam::host::shape_curve_record;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

template <class T> T Load(const std::vector<std::uint8_t> &bytes, std::size_t offset) {
  T v;
  std::memcpy(&v, bytes.data() + offset, sizeof v);
  return v;
}

void CheckRecord(const std::vector<std::uint8_t> &bytes, std::uint16_t capacity) {
  Check(bytes.size() == rec::kSize);
  const auto view = readShapeCurve(bytes);
  Check(view.has_value());
  Check(view->capacity == (capacity < rec::kMaxPoints ? capacity : rec::kMaxPoints));
  Check(view->count <= view->capacity);
  Check(view->points.size() == view->count);
  for (const CurvePoint &p : view->points) Check(p.x >= 0.0 && p.x <= 1.0 && p.y >= 0.0 && p.y <= 1.0);
  // Points past the count are zero bytes.
  for (std::size_t i = view->count * 16; i < rec::kCountOffset; ++i) Check(bytes[i] == 0);
  if (view->count == 0) {
    Check(Load<double>(bytes, rec::kXSignatureOffset) == 0.0 && Load<double>(bytes, rec::kYSignatureOffset) == 0.0);
  } else {
    // The signatures are finite and at least the power-of-two term.
    const double x = Load<double>(bytes, rec::kXSignatureOffset), y = Load<double>(bytes, rec::kYSignatureOffset);
    const double power = static_cast<double>(static_cast<std::int32_t>(std::uint32_t{1} << (view->count % 32)));
    Check(x >= power && x <= power + view->count && y >= power && y <= power + view->count);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the capacity (0-255, so past the record's 32 too),
  // the rest is the text.
  const std::uint16_t capacity = data[0];
  const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

  std::string error;
  const auto bytes = shapeCurveFromText(text, capacity, error);
  if (!bytes) {
    Check(!error.empty());
    return 0;
  }
  CheckRecord(*bytes, capacity);

  const std::string written = shapeCurveText(*readShapeCurve(*bytes));
  std::string again_error;
  const auto again = shapeCurveFromText(written, capacity, again_error);
  Check(again.has_value());
  Check(*again == *bytes);
  return 0;
}
