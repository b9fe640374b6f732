#include "flash/shape_curve_text.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace vlam {

namespace {

bool IsNumberStart(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// The longest leading part of [first, last) that forms a decimal number
// (digits, one point, an optional exponent); 0 when none does. Parsing is
// independent of the process locale, which a host may have changed.
double LeadingNumber(const char* first, const char* last) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc()) return value;
  if (error != std::errc::result_out_of_range) return 0.0;
  // Too large or too small for a double: decide by the exponent's sign.
  for (const char* c = first; c + 1 < end; ++c) {
    if (*c == 'e' || *c == 'E') return c[1] == '-' ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return std::numeric_limits<double>::infinity();
}

// Value of one key ("x:" or "y:") inside one bracketed token.
double KeyValue(std::string_view token, std::string_view key, char terminator) {
  const std::size_t keyAt = token.find(key);
  if (keyAt == std::string_view::npos) return 0.0;
  const auto startIt = std::find_if(token.begin() + keyAt, token.end(), IsNumberStart);
  if (startIt == token.end()) return 0.0;
  const std::size_t start = static_cast<std::size_t>(startIt - token.begin());
  std::size_t stop = token.find(terminator, start);
  if (stop == std::string_view::npos) stop = token.size();
  return LeadingNumber(token.data() + start, token.data() + stop);
}

// Fixed notation for decimal exponents -4..5, scientific otherwise, six
// significant digits, trailing zeros dropped: what "%g" prints in the C locale.
void AppendNumber(std::string& out, double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
  out.append(buffer, result.ptr);
}

}  // namespace

void ParseShapeCurveText(std::string_view text, ShapeCurve& curve) {
  curve.count = 0;
  UpdateShapeSignatures(curve);
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t close = text.find(']', p);
    if (close == std::string_view::npos) break;
    const std::string_view token = text.substr(p, close - p + 1);
    const double x = KeyValue(token, "x:", ';');
    const double y = KeyValue(token, "y:", ')');
    AddShapePoint(curve, x, y);
    p = close + 2;  // past the bracket and the one separator after it
  }
}

std::string WriteShapeCurveText(const ShapeCurve& curve) {
  std::string out;
  const std::uint16_t n = std::min<std::uint16_t>(curve.count, kShapeCurveMaxPoints);
  for (std::uint16_t i = 0; i < n; ++i) {
    if (i > 0) out += ',';
    out += "[x:";
    AppendNumber(out, curve.points[i].x);
    out += ";y:";
    AppendNumber(out, curve.points[i].y);
    out += ']';
  }
  return out;
}

}  // namespace vlam
