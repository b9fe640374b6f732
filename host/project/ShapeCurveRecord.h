#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlam::host {

// The Flash Builder's profile curve values ("Flash Shape Profile", "Petal
// Shape Profile") as the host knows them: their flattened bytes are a
// documented file format, 532 bytes, little-endian, packed:
//   offset   0: 32 points, each two doubles x, y (16 bytes)
//   offset 512: u16 count (points in use), offset 514: u16 capacity
//   offset 516: double x signature, offset 524: double y signature
// where a signature is (the signed 32-bit value 1 << (count mod 32)) plus the
// sum of that coordinate over the points in use, and 0 for an empty curve.
// The host writes them in scene files in the text form
// "[x:0;y:0.75],[x:1;y:0.75]" (numbers in their shortest exact form).
namespace shape_curve_record {
inline constexpr std::size_t kSize = 532;
inline constexpr std::size_t kMaxPoints = 32;
inline constexpr std::size_t kCountOffset = 512;
inline constexpr std::size_t kCapacityOffset = 514;
inline constexpr std::size_t kXSignatureOffset = 516;
inline constexpr std::size_t kYSignatureOffset = 524;
} // namespace shape_curve_record

struct CurvePoint {
  double x = 0;
  double y = 0;
};

// What a record says, its count and capacity bounded by 32.
struct ShapeCurveView {
  std::uint16_t count = 0;    // as stored
  std::uint16_t capacity = 0; // as stored
  std::vector<CurvePoint> points; // the first min(count, 32) points
};

// Reads a record; nothing for bytes of another size.
std::optional<ShapeCurveView> readShapeCurve(const std::vector<std::uint8_t> &bytes);

// The text form of the points in use ("" for an empty curve).
std::string shapeCurveText(const ShapeCurveView &curve);

// A record from the text form: points clamped to [0, 1] (NaN reads as 0),
// those beyond the capacity (itself at most 32) dropped, unused points zero,
// signatures computed. Nothing, and `error` says why, for text that is not a
// list of "[x:<number>;y:<number>]" (spaces allowed, "x:"/"y:" in that order).
std::optional<std::vector<std::uint8_t>> shapeCurveFromText(std::string_view text, std::uint16_t capacity,
                                                            std::string &error);

} // namespace vlam::host

namespace vlam::host {
// True for the parameters whose values are such curves.
bool isShapeCurveParam(const std::string &matchName, const std::string &paramName);
} // namespace vlam::host
