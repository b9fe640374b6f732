#include "flash/shape_curve.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vlam {

namespace {

// Maps NaN and values below 0 to 0 and values above 1 to 1; the + 0.0 turns a
// negative zero into a positive one so that the text form reads it back alike.
double ClampUnit(double v) {
  if (!(v > 0.0)) return 0.0;
  if (v > 1.0) return 1.0;
  return v + 0.0;
}

bool InUnit(double v) { return v >= 0.0 && v <= 1.0; }

std::uint16_t PointsInUse(const ShapeCurve& curve) {
  return std::min<std::uint16_t>(curve.count, kShapeCurveMaxPoints);
}

}  // namespace

void ResetShapeCurve(ShapeCurve& curve, std::uint16_t capacity) {
  std::memset(&curve, 0, sizeof curve);
  curve.capacity = std::min(capacity, kShapeCurveMaxPoints);
}

bool AddShapePoint(ShapeCurve& curve, double x, double y) {
  const std::uint16_t limit = std::min(curve.capacity, kShapeCurveMaxPoints);
  if (curve.count >= limit) return false;
  curve.points[curve.count] = ShapePoint{ClampUnit(x), ClampUnit(y)};
  ++curve.count;
  UpdateShapeSignatures(curve);
  return true;
}

void UpdateShapeSignatures(ShapeCurve& curve) {
  const std::uint16_t n = PointsInUse(curve);
  if (n == 0) {
    curve.xSignature = 0.0;
    curve.ySignature = 0.0;
    return;
  }
  // 2^count as the signed 32-bit value 1 << (count mod 32): count 31 gives
  // -2^31 and count 32 gives 1, exactly as the stored signatures expect.
  const auto power = static_cast<std::int32_t>(std::uint32_t{1} << (curve.count % 32));
  double sumX = 0.0;
  double sumY = 0.0;
  for (std::uint16_t i = 0; i < n; ++i) {
    sumX += curve.points[i].x;
    sumY += curve.points[i].y;
  }
  curve.xSignature = static_cast<double>(power) + sumX;
  curve.ySignature = static_cast<double>(power) + sumY;
}

double EvaluateShapeCurve(const ShapeCurve& curve, double t) {
  const std::uint16_t n = PointsInUse(curve);
  if (n == 0) return 0.0;
  for (std::uint16_t i = 0; i + 1 < n; ++i) {
    const ShapePoint a = curve.points[i];
    const ShapePoint b = curve.points[i + 1];
    if (a.x <= t && t <= b.x) {
      const double width = b.x - a.x;
      if (!(width > 0.0)) return a.y;
      return a.y + (t - a.x) / width * (b.y - a.y);
    }
  }
  const ShapePoint first = curve.points[0];
  const ShapePoint last = curve.points[n - 1];
  return std::fabs(t - first.x) <= std::fabs(t - last.x) ? first.y : last.y;
}

ShapeCurveMends MendShapeCurve(ShapeCurve& curve) {
  ShapeCurveMends mends;
  if (curve.capacity > kShapeCurveMaxPoints) {
    curve.capacity = kShapeCurveMaxPoints;
    mends.capacity = true;
  }
  if (curve.count > curve.capacity) {
    curve.count = curve.capacity;
    mends.count = true;
  }
  for (ShapePoint& p : curve.points) {
    if (!InUnit(p.x) || !InUnit(p.y)) {
      p = ShapePoint{ClampUnit(p.x), ClampUnit(p.y)};
      mends.coordinates = true;
    }
  }
  if (mends.Any()) UpdateShapeSignatures(curve);
  return mends;
}

}  // namespace vlam
