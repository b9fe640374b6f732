// Point edits of the curve editor.
#include "flash/curve_editing.h"

#include <gtest/gtest.h>

#include <cstring>

#include "builder_host_support.h"

namespace vlam_test {
namespace {

ShapeCurve CurveOf(std::initializer_list<std::pair<double, double>> points) {
  ShapeCurve curve;
  vlam::ResetShapeCurve(curve, 16);
  for (const auto &[x, y] : points) vlam::AddShapePoint(curve, x, y);
  return curve;
}

TEST(CurveEditing, InsertKeepsOrderAndCapacity) {
  ShapeCurve curve = CurveOf({{0, 0.2}, {0.5, 0.9}, {1, 0}});
  EXPECT_EQ(vlam::InsertCurvePoint(curve, 0.7, 0.4), 2);
  EXPECT_EQ(curve.count, 4);
  EXPECT_DOUBLE_EQ(PointX(curve, 3), 1.0);  // moved up
  EXPECT_DOUBLE_EQ(double{curve.xSignature}, 16 + 0 + 0.5 + 0.7 + 1);

  for (int i = 4; i < 16; ++i) vlam::InsertCurvePoint(curve, 0.99, 0.5);
  ASSERT_EQ(curve.count, 16);
  const ShapeCurve full = curve;
  EXPECT_EQ(vlam::InsertCurvePoint(curve, 0.3, 0.3), -1);
  EXPECT_EQ(std::memcmp(&curve, &full, sizeof curve), 0);

  // Past the last point in use there is no segment to insert into, whatever
  // the unused slot after it holds.
  ShapeCurve shorter = CurveOf({{0, 0.2}, {0.4, 0.9}, {1, 0}});
  shorter.count = 2;
  EXPECT_EQ(vlam::InsertCurvePoint(shorter, 0.7, 0.4), -1);
  EXPECT_EQ(shorter.count, 2);
}

TEST(CurveEditing, OnlyMiddlePointsCanBeDeleted) {
  ShapeCurve curve = CurveOf({{0, 0.2}, {0.3, 0.5}, {0.6, 0.7}, {1, 0}});
  const ShapeCurve before = curve;
  for (int k : {0, 3, -1, 40}) EXPECT_FALSE(vlam::DeleteCurvePoint(curve, k)) << k;
  EXPECT_EQ(std::memcmp(&curve, &before, sizeof curve), 0);
  EXPECT_TRUE(vlam::DeleteCurvePoint(curve, 1));
  EXPECT_EQ(curve.count, 3);
  EXPECT_DOUBLE_EQ(PointX(curve, 1), 0.6);
}

TEST(CurveEditing, DraggedPointsKeepTheirOrder) {
  ShapeCurve curve = CurveOf({{0, 0.2}, {0.3, 0.5}, {0.6, 0.7}, {1, 0}});
  vlam::DragCurvePoint(curve, 1, 0.9, 0.4);  // past its right neighbour
  EXPECT_DOUBLE_EQ(PointX(curve, 1), 0.6 - 0.01);
  vlam::DragCurvePoint(curve, 2, 0.1, 1.7);  // past its left neighbour, above the top
  EXPECT_DOUBLE_EQ(PointX(curve, 2), 0.59 + 0.01);
  EXPECT_DOUBLE_EQ(PointY(curve, 2), 1.0);
  vlam::DragCurvePoint(curve, 0, 0.4, 0.1);  // the ends keep their x
  vlam::DragCurvePoint(curve, 3, 0.2, 0.3);
  EXPECT_DOUBLE_EQ(PointX(curve, 0), 0.0);
  EXPECT_DOUBLE_EQ(PointX(curve, 3), 1.0);
  EXPECT_DOUBLE_EQ(double{curve.ySignature}, 16 + 0.1 + 0.4 + 1 + 0.3);

  // Neighbours closer than the gap: the right neighbour's limit wins.
  ShapeCurve tight = CurveOf({{0, 0}, {0.5, 0.5}, {0.505, 0.5}, {0.51, 0.5}, {1, 0}});
  vlam::DragCurvePoint(tight, 2, 0.2, 0.5);
  EXPECT_DOUBLE_EQ(PointX(tight, 2), 0.51 - 0.01);
}

}  // namespace
}  // namespace vlam_test
