// Point edits of the curve editor.
#include "flash/curve_editing.h"

#include <gtest/gtest.h>

#include <cstring>

#include "builder_ui_support.h"
#include "flash/default_curves.h"

namespace vlam_test {
namespace {

using vlam::DeleteCurvePoint;
using vlam::DragCurvePoint;
using vlam::InsertCurvePoint;
using vlam::PickCurvePoint;

ShapeCurve CurveOf(std::initializer_list<std::pair<double, double>> points, std::uint16_t capacity) {
  ShapeCurve curve;
  vlam::ResetShapeCurve(curve, capacity);
  for (const auto &[x, y] : points) vlam::AddShapePoint(curve, x, y);
  return curve;
}

ShapeCurve FullCurve() {
  ShapeCurve curve;
  vlam::ResetShapeCurve(curve, 16);
  for (int i = 0; i < 16; ++i) vlam::AddShapePoint(curve, i / 15.0, 0.5);
  return curve;
}

TEST(CurveEditing, InsertGoesIntoTheSegmentHoldingX) {
  ShapeCurve curve = CurveOf({{0, 0.2}, {0.5, 0.9}, {1, 0}}, 16);
  EXPECT_EQ(InsertCurvePoint(curve, 0.7, 0.4), 2);
  EXPECT_EQ(curve.count, 4);
  EXPECT_DOUBLE_EQ(PointX(curve, 2), 0.7);
  EXPECT_DOUBLE_EQ(PointY(curve, 2), 0.4);
  EXPECT_DOUBLE_EQ(PointX(curve, 3), 1.0);  // moved up
  EXPECT_DOUBLE_EQ(double{curve.xSignature}, 16 + 0 + 0.5 + 0.7 + 1);
  EXPECT_DOUBLE_EQ(double{curve.ySignature}, 16 + 0.2 + 0.9 + 0.4 + 0);
  // At a shared end point the left segment takes it.
  EXPECT_EQ(InsertCurvePoint(curve, 0.5, 0.1), 1);
}

TEST(CurveEditing, AFullCurveTakesNoPoint) {
  ShapeCurve curve = FullCurve();
  const ShapeCurve before = curve;
  EXPECT_EQ(InsertCurvePoint(curve, 0.51, 0.3), -1);
  EXPECT_EQ(std::memcmp(&curve, &before, sizeof curve), 0);

  ShapeCurve lonely = CurveOf({{0.5, 0.5}}, 16);  // no segment at all
  EXPECT_EQ(InsertCurvePoint(lonely, 0.5, 0.5), -1);
}

TEST(CurveEditing, FirstAndLastPointsCannotBeDeleted) {
  ShapeCurve curve;
  vlam::MakeDefaultMainCurve(curve);
  const ShapeCurve before = curve;
  EXPECT_FALSE(DeleteCurvePoint(curve, 0));
  EXPECT_FALSE(DeleteCurvePoint(curve, curve.count - 1));
  EXPECT_FALSE(DeleteCurvePoint(curve, -1));
  EXPECT_FALSE(DeleteCurvePoint(curve, 40));
  EXPECT_EQ(std::memcmp(&curve, &before, sizeof curve), 0);

  EXPECT_TRUE(DeleteCurvePoint(curve, 1));
  EXPECT_EQ(curve.count, before.count - 1);
  EXPECT_DOUBLE_EQ(PointX(curve, 1), PointX(before, 2));
  EXPECT_DOUBLE_EQ(double{curve.xSignature}, double{before.xSignature} - 256 - PointX(before, 1));
}

TEST(CurveEditing, DraggedPointsKeepTheirOrder) {
  ShapeCurve curve = CurveOf({{0, 0.2}, {0.3, 0.5}, {0.6, 0.7}, {1, 0}}, 16);
  DragCurvePoint(curve, 1, 0.9, 0.4);  // past its right neighbour
  EXPECT_DOUBLE_EQ(PointX(curve, 1), 0.6 - 0.01);
  EXPECT_DOUBLE_EQ(PointY(curve, 1), 0.4);
  DragCurvePoint(curve, 2, 0.1, 1.7);  // past its left neighbour, above the top
  EXPECT_DOUBLE_EQ(PointX(curve, 2), 0.59 + 0.01);
  EXPECT_DOUBLE_EQ(PointY(curve, 2), 1.0);
  DragCurvePoint(curve, 0, 0.4, -2);  // the ends keep their x
  DragCurvePoint(curve, 3, 0.2, 0.3);
  EXPECT_DOUBLE_EQ(PointX(curve, 0), 0.0);
  EXPECT_DOUBLE_EQ(PointY(curve, 0), 0.0);
  EXPECT_DOUBLE_EQ(PointX(curve, 3), 1.0);
  EXPECT_DOUBLE_EQ(PointY(curve, 3), 0.3);
  EXPECT_DOUBLE_EQ(double{curve.ySignature}, 16 + 0 + 0.4 + 1 + 0.3);

  const ShapeCurve before = curve;
  DragCurvePoint(curve, 4, 0.5, 0.5);
  DragCurvePoint(curve, -1, 0.5, 0.5);
  EXPECT_EQ(std::memcmp(&curve, &before, sizeof curve), 0);
}

TEST(CurveEditing, NeighboursCloserThanTheGapLeaveTheRightLimit) {
  ShapeCurve curve = CurveOf({{0, 0}, {0.5, 0.5}, {0.505, 0.5}, {0.51, 0.5}, {1, 0}}, 16);
  DragCurvePoint(curve, 2, 0.2, 0.5);
  EXPECT_DOUBLE_EQ(PointX(curve, 2), 0.51 - 0.01);
}

TEST(CurveEditing, PickingTakesTheFirstPointWithinReach) {
  const ShapeCurve curve = CurveOf({{0, 0.2}, {0.04, 0.3}, {1, 0}}, 16);
  EXPECT_EQ(PickCurvePoint(curve, 0.03, 0.25), 0);  // both in reach: the first wins
  EXPECT_EQ(PickCurvePoint(curve, 0.09, 0.3), 1);   // only the second
  EXPECT_EQ(PickCurvePoint(curve, 0.5, 0.5), -1);
  EXPECT_EQ(PickCurvePoint(curve, 0.96, 0.14), 2);
  EXPECT_EQ(PickCurvePoint(curve, 0.94, 0.0), -1);
  EXPECT_EQ(PickCurvePoint(curve, 1.0, 0.16), -1);
}

}  // namespace
}  // namespace vlam_test
