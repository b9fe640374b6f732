#include "flash/default_curves.h"

#include <span>

namespace vlam {

namespace {

constexpr ShapePoint kMainPoints[] = {{0, 0.16},    {0.03, 0.65}, {0.1, 0.92},  {0.19, 0.97}, {0.34, 1},
                                      {0.53, 0.87}, {0.67, 0.74}, {0.84, 0.46}, {1, 0}};
constexpr ShapePoint kPetalPoints[] = {{0, 0.26},    {0.13, 0.75}, {0.23, 0.95}, {0.38, 1},
                                       {0.52, 0.93}, {0.62, 0.68}, {0.77, 0.3},  {1, 0}};

void Fill(ShapeCurve& curve, std::uint16_t capacity, std::span<const ShapePoint> points) {
  ResetShapeCurve(curve, capacity);
  for (const ShapePoint& p : points) AddShapePoint(curve, p.x, p.y);
}

}  // namespace

void MakeDefaultMainCurve(ShapeCurve& curve) { Fill(curve, kMainShapeCapacity, kMainPoints); }

void MakeDefaultPetalCurve(ShapeCurve& curve) { Fill(curve, kPetalShapeCapacity, kPetalPoints); }

}  // namespace vlam
