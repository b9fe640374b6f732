#include "flash/shape_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "flash/default_curves.h"

namespace vlam {
namespace {

// Packed record fields are compared as values (+field): gtest takes its
// arguments by reference, which a packed field's alignment does not allow.

ShapeCurve EmptyCurve(std::uint16_t capacity) {
  ShapeCurve c;
  ResetShapeCurve(c, capacity);
  return c;
}

// Points are clamped and kept in the order added; a full curve refuses more.
TEST(ShapeCurve, AddPointClampsKeepsOrderAndStopsWhenFull) {
  ShapeCurve c = EmptyCurve(kMainShapeCapacity);
  EXPECT_TRUE(AddShapePoint(c, 0.7, 0.2));
  EXPECT_TRUE(AddShapePoint(c, -0.5, 1.1));  // just above the top
  EXPECT_TRUE(AddShapePoint(c, std::numeric_limits<double>::quiet_NaN(), -0.0));
  ASSERT_EQ(c.count, 3);
  EXPECT_EQ(+c.points[0].x, 0.7);  // no sorting
  EXPECT_EQ(+c.points[1].x, 0.0);
  EXPECT_EQ(+c.points[1].y, 1.0);
  EXPECT_EQ(+c.points[2].x, 0.0);
  EXPECT_FALSE(std::signbit(+c.points[2].y));
  ShapeCurve petal = EmptyCurve(kPetalShapeCapacity);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(AddShapePoint(petal, i / 8.0, 0.5), i < 8) << i;
  EXPECT_EQ(+petal.points[8].x, 0.0);  // the ninth was not stored
}

TEST(ShapeCurve, SignaturesAndEvaluation) {
  ShapeCurve one = EmptyCurve(kMainShapeCapacity);
  AddShapePoint(one, 0.5, 0.5);
  EXPECT_EQ(std::pair(+one.xSignature, +one.ySignature), std::pair(2.5, 2.5));

  ShapeCurve main;
  MakeDefaultMainCurve(main);
  EXPECT_NEAR(main.xSignature, 515.70, 1e-9);
  EXPECT_NEAR(main.ySignature, 512 + 5.77, 1e-9);

  // Past 30 points the power of two wraps as a signed 32-bit shift does.
  ShapeCurve full = EmptyCurve(kShapeCurveMaxPoints);
  for (int i = 0; i < 31; ++i) AddShapePoint(full, 0, 0);
  EXPECT_EQ(+full.xSignature, -2147483648.0);
  AddShapePoint(full, 0, 0);
  EXPECT_EQ(+full.xSignature, 1.0);

  // Evaluation interpolates the first matching segment, and outside the
  // segments gives the nearest end, always finite.
  EXPECT_NEAR(EvaluateShapeCurve(main, 0.5), 1 + (0.16 / 0.19) * (0.87 - 1), 1e-12);
  EXPECT_EQ(EvaluateShapeCurve(main, 0.34), 1.0);  // shared end point: left segment
  EXPECT_EQ(EvaluateShapeCurve(main, 0.0), 0.16);
  EXPECT_EQ(EvaluateShapeCurve(main, 1.0), 0.0);

  ShapeCurve c = EmptyCurve(kMainShapeCapacity);
  EXPECT_EQ(EvaluateShapeCurve(c, 0.5), 0.0);
  AddShapePoint(c, 0.2, 0.3);
  EXPECT_EQ(EvaluateShapeCurve(c, 0.9), 0.3);
  AddShapePoint(c, 0.2, 0.8);  // zero-width segment
  EXPECT_EQ(EvaluateShapeCurve(c, 0.2), 0.3);
  AddShapePoint(c, 0.6, 0.5);
  EXPECT_EQ(EvaluateShapeCurve(c, 0.0), 0.3);  // nearest end: the first point
  EXPECT_EQ(EvaluateShapeCurve(c, 1.0), 0.5);  // nearest end: the last point
  EXPECT_TRUE(std::isfinite(EvaluateShapeCurve(c, std::numeric_limits<double>::quiet_NaN())));
}

// Mending leaves a sound record untouched and clamps a damaged one.
TEST(ShapeCurve, MendLeavesSoundRecordsAndClampsDamagedOnes) {
  ShapeCurve main;
  MakeDefaultMainCurve(main);
  ShapeCurve copy = main;
  EXPECT_FALSE(MendShapeCurve(copy).Any());
  EXPECT_EQ(std::memcmp(&copy, &main, sizeof main), 0);

  ShapeCurve c;
  std::memset(&c, 0xFF, sizeof c);  // NaN coordinates, count and capacity 65535
  const ShapeCurveMends m = MendShapeCurve(c);
  EXPECT_TRUE(m.capacity && m.count && m.coordinates);
  EXPECT_EQ(std::pair(+c.capacity, +c.count), std::pair(32, 32));
  for (const ShapePoint& p : c.points) EXPECT_TRUE(p.x == 0.0 && p.y == 0.0);
  EXPECT_EQ(+c.xSignature, 1.0);  // 1 << (32 mod 32) plus nothing

  ShapeCurve over = EmptyCurve(kPetalShapeCapacity);
  over.count = 20;
  over.points[3] = ShapePoint{4.0, -1.0};
  const ShapeCurveMends m2 = MendShapeCurve(over);
  EXPECT_TRUE(!m2.capacity && m2.count);
  EXPECT_EQ(over.count, 8);
  EXPECT_EQ(std::pair(+over.points[3].x, +over.points[3].y), std::pair(1.0, 0.0));
  EXPECT_EQ(+over.xSignature, 256.0 + 1.0);
}

}  // namespace
}  // namespace vlam
