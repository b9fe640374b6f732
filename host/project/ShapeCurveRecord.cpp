#include "host/project/ShapeCurveRecord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vlam::host {
namespace {

namespace rec = shape_curve_record;

template <class T> T load(const std::vector<std::uint8_t> &bytes, std::size_t offset) {
  T v;
  std::memcpy(&v, bytes.data() + offset, sizeof v);
  return v;
}

template <class T> void store(std::vector<std::uint8_t> &bytes, std::size_t offset, T v) {
  std::memcpy(bytes.data() + offset, &v, sizeof v);
}

double clampUnit(double v) {
  if (!(v > 0.0)) return 0.0;
  if (v > 1.0) return 1.0;
  return v + 0.0;
}

std::string number(double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

// A small cursor over the text form.
class TextCursor {
public:
  explicit TextCursor(std::string_view text) : text_(text) {}
  void skipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' ||
                                   text_[pos_] == '\r'))
      ++pos_;
  }
  bool atEnd() {
    skipSpace();
    return pos_ >= text_.size();
  }
  bool take(char c) {
    skipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool take(std::string_view word) {
    skipSpace();
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  bool number(double &v) {
    skipSpace();
    const char *begin = text_.data() + pos_;
    const char *end = text_.data() + text_.size();
    if (begin < end && *begin == '+') ++begin; // from_chars takes no plus sign
    const auto result = std::from_chars(begin, end, v);
    if (result.ec == std::errc::result_out_of_range) {
      // Too large or too small for a double: strtod gives the infinity or
      // zero it stands for, which clamping then brings to 1 or 0.
      v = std::strtod(std::string(begin, result.ptr).c_str(), nullptr);
    } else if (result.ec != std::errc()) {
      return false;
    }
    pos_ = static_cast<std::size_t>(result.ptr - text_.data());
    return true;
  }
  std::size_t position() const { return pos_; }

private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

} // namespace

std::optional<ShapeCurveView> readShapeCurve(const std::vector<std::uint8_t> &bytes) {
  if (bytes.size() != rec::kSize) return std::nullopt;
  ShapeCurveView view;
  view.count = load<std::uint16_t>(bytes, rec::kCountOffset);
  view.capacity = load<std::uint16_t>(bytes, rec::kCapacityOffset);
  const std::size_t n = std::min<std::size_t>(view.count, rec::kMaxPoints);
  for (std::size_t i = 0; i < n; ++i)
    view.points.push_back({load<double>(bytes, i * 16), load<double>(bytes, i * 16 + 8)});
  return view;
}

std::string shapeCurveText(const ShapeCurveView &curve) {
  std::string text;
  for (const CurvePoint &p : curve.points) {
    if (!text.empty()) text += ',';
    text += "[x:" + number(p.x) + ";y:" + number(p.y) + "]";
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> shapeCurveFromText(std::string_view text, std::uint16_t capacity,
                                                            std::string &error) {
  const std::size_t limit = std::min<std::size_t>(capacity, rec::kMaxPoints);
  std::vector<CurvePoint> points;
  TextCursor in(text);
  while (!in.atEnd()) {
    if (!points.empty() && !in.take(',')) {
      error = "expected \",\" between points at character " + std::to_string(in.position() + 1);
      return std::nullopt;
    }
    CurvePoint p;
    if (!in.take('[') || !in.take("x:") || !in.number(p.x) || !in.take(';') || !in.take("y:") || !in.number(p.y) ||
        !in.take(']')) {
      error = "expected a point \"[x:<number>;y:<number>]\" at character " + std::to_string(in.position() + 1);
      return std::nullopt;
    }
    points.push_back({clampUnit(p.x), clampUnit(p.y)});
  }
  if (points.size() > limit) points.resize(limit);

  std::vector<std::uint8_t> bytes(rec::kSize, 0);
  double sumX = 0, sumY = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    store(bytes, i * 16, points[i].x);
    store(bytes, i * 16 + 8, points[i].y);
    sumX += points[i].x;
    sumY += points[i].y;
  }
  const auto count = static_cast<std::uint16_t>(points.size());
  store(bytes, rec::kCountOffset, count);
  store(bytes, rec::kCapacityOffset, static_cast<std::uint16_t>(limit));
  if (count > 0) {
    const auto power = static_cast<std::int32_t>(std::uint32_t{1} << (count % 32));
    store(bytes, rec::kXSignatureOffset, static_cast<double>(power) + sumX);
    store(bytes, rec::kYSignatureOffset, static_cast<double>(power) + sumY);
  }
  return bytes;
}

} // namespace vlam::host

namespace vlam::host {
bool isShapeCurveParam(const std::string &matchName, const std::string &paramName) {
  return matchName == "zk_VlamFlash" && (paramName == "Flash Shape Profile" || paramName == "Petal Shape Profile");
}
} // namespace vlam::host
