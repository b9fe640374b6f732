#include "flash/curve_editing.h"

#include <algorithm>
#include <cmath>

namespace vlam {
namespace {

// Points in use, never more than the record holds.
int PointsInUse(const ShapeCurve &curve) {
  return std::min<int>(curve.count, kShapeCurveMaxPoints);
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

}  // namespace

int PickCurvePoint(const ShapeCurve &curve, double fx, double fy) {
  const int count = PointsInUse(curve);
  for (int i = 0; i < count; ++i) {
    if (std::fabs(fx - curve.points[i].x) <= kPickToleranceX &&
        std::fabs(fy - curve.points[i].y) <= kPickToleranceY) {
      return i;
    }
  }
  return -1;
}

int InsertCurvePoint(ShapeCurve &curve, double fx, double fy) {
  const int count = PointsInUse(curve);
  if (count >= std::min<int>(curve.capacity, kShapeCurveMaxPoints)) {
    return -1;
  }
  for (int i = 0; i + 1 < count; ++i) {
    if (curve.points[i].x <= fx && fx <= curve.points[i + 1].x) {
      std::copy_backward(curve.points + i + 1, curve.points + count, curve.points + count + 1);
      curve.points[i + 1] = ShapePoint{Clamp01(fx), Clamp01(fy)};
      curve.count = static_cast<std::uint16_t>(count + 1);
      UpdateShapeSignatures(curve);
      return i + 1;
    }
  }
  return -1;
}

bool DeleteCurvePoint(ShapeCurve &curve, int k) {
  const int count = PointsInUse(curve);
  if (k <= 0 || k >= count - 1) {
    return false;
  }
  std::copy(curve.points + k + 1, curve.points + count, curve.points + k);
  curve.count = static_cast<std::uint16_t>(count - 1);
  UpdateShapeSignatures(curve);
  return true;
}

void DragCurvePoint(ShapeCurve &curve, int k, double fx, double fy) {
  const int count = PointsInUse(curve);
  if (k < 0 || k >= count) {
    return;
  }
  double x = Clamp01(fx);
  if (k == 0) {
    x = 0.0;
  } else if (k == count - 1) {
    x = 1.0;
  } else {
    x = std::max(x, curve.points[k - 1].x + kNeighbourGap);
    x = std::min(x, curve.points[k + 1].x - kNeighbourGap);
  }
  curve.points[k] = ShapePoint{x, Clamp01(fy)};
  UpdateShapeSignatures(curve);
}

bool SameCurveSignatures(const ShapeCurve &a, const ShapeCurve &b) {
  return a.xSignature == b.xSignature && a.ySignature == b.ySignature;
}

}  // namespace vlam
