// Profile curve of a flash shape: the relative radius of the flame along its
// length, as up to 32 points in the unit square joined by straight segments.
// The record is the value of the builder's two profile parameters, so the host
// stores its bytes in project files: the layout below is a file format.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vlam {

inline constexpr std::uint16_t kShapeCurveMaxPoints = 32;
inline constexpr std::uint16_t kMainShapeCapacity = 16;
inline constexpr std::uint16_t kPetalShapeCapacity = 8;

#pragma pack(push, 4)
struct ShapePoint {
  double x;
  double y;
};

struct ShapeCurve {
  ShapePoint points[kShapeCurveMaxPoints];  // only the first `count` have meaning
  std::uint16_t count;                      // points in use
  std::uint16_t capacity;                   // largest count this curve accepts (<= 32)
  double xSignature;                        // 2^count + sum of x over the points in use
  double ySignature;                        // 2^count + sum of y over the points in use
};
#pragma pack(pop)

static_assert(sizeof(ShapePoint) == 16);
static_assert(sizeof(ShapeCurve) == 532);
static_assert(offsetof(ShapeCurve, points) == 0);
static_assert(offsetof(ShapeCurve, count) == 512);
static_assert(offsetof(ShapeCurve, capacity) == 514);
static_assert(offsetof(ShapeCurve, xSignature) == 516);
static_assert(offsetof(ShapeCurve, ySignature) == 524);

// Every point zeroed, count 0, signatures 0, the given capacity.
void ResetShapeCurve(ShapeCurve& curve, std::uint16_t capacity);

// Appends (x, y) clamped to [0, 1] (NaN reads as 0) and recomputes the
// signatures. Returns false, changing nothing, when the curve is full.
bool AddShapePoint(ShapeCurve& curve, double x, double y);

// Signatures from the points in use; both 0 for an empty curve.
void UpdateShapeSignatures(ShapeCurve& curve);

// Linear interpolation along the first segment whose x-range holds t. A t in
// no segment gives the y of the end point (first or last) nearest in x; an
// empty curve gives 0; a zero-width segment gives its left y.
double EvaluateShapeCurve(const ShapeCurve& curve, double t);

// What MendShapeCurve found wrong with a record of unknown origin.
struct ShapeCurveMends {
  bool capacity = false;     // capacity above 32
  bool count = false;        // count above capacity
  bool coordinates = false;  // a NaN or a coordinate outside [0, 1]
  bool Any() const { return capacity || count || coordinates; }
};

// Brings a curve read from untrusted bytes back within the invariants every
// other operation relies on: capacity <= 32, count <= capacity, every point
// within [0, 1]. Signatures are recomputed only when something was mended,
// so a sound record keeps every byte.
ShapeCurveMends MendShapeCurve(ShapeCurve& curve);

}  // namespace vlam
