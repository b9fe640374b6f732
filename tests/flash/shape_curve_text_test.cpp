#include "flash/shape_curve_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "flash/default_curves.h"

namespace vlam {
namespace {

// Packed record fields are compared as values (+field): gtest takes its
// arguments by reference, which a packed field's alignment does not allow.

ShapeCurve Parse(std::string_view text, std::uint16_t capacity = kMainShapeCapacity) {
  ShapeCurve c;
  ResetShapeCurve(c, capacity);
  ParseShapeCurveText(text, c);
  return c;
}

TEST(ShapeCurveText, CompactFormRoundTrips) {
  const std::string text = "[x:0;y:0.75],[x:1;y:0.75]";
  const ShapeCurve c = Parse(text);
  ASSERT_EQ(c.count, 2);
  EXPECT_EQ(+c.points[0].x, 0.0);
  EXPECT_EQ(+c.points[0].y, 0.75);
  EXPECT_EQ(+c.points[1].x, 1.0);
  EXPECT_EQ(+c.points[1].y, 0.75);
  EXPECT_EQ(WriteShapeCurveText(c), text);
}

TEST(ShapeCurveText, WriteThenReadReproducesCurveExactly) {
  ShapeCurve original;
  MakeDefaultMainCurve(original);
  AddShapePoint(original, 0.123456, 0.00001);
  AddShapePoint(original, 0.000125, 0.999999);
  const std::string text = WriteShapeCurveText(original);
  EXPECT_NE(text.find("[x:0.123456;y:1e-05]"), std::string::npos) << text;
  EXPECT_NE(text.find("[x:0.000125;y:0.999999]"), std::string::npos) << text;

  ShapeCurve back;
  ResetShapeCurve(back, kMainShapeCapacity);
  ParseShapeCurveText(text, back);
  EXPECT_EQ(std::memcmp(&back, &original, sizeof back), 0);
}

TEST(ShapeCurveText, NumberFormat) {
  ShapeCurve c;
  ResetShapeCurve(c, kMainShapeCapacity);
  AddShapePoint(c, 0.5, 1);
  AddShapePoint(c, 0.125, 0.1234567);
  AddShapePoint(c, 1e-4, 0.00001234);
  EXPECT_EQ(WriteShapeCurveText(c), "[x:0.5;y:1],[x:0.125;y:0.123457],[x:0.0001;y:1.234e-05]");

  ResetShapeCurve(c, kMainShapeCapacity);
  EXPECT_EQ(WriteShapeCurveText(c), "");
}

TEST(ShapeCurveText, SpacesAndSeparatorsAreHarmless) {
  const ShapeCurve c = Parse("junk before [x:0; y:0.16], [x:0.03; y:0.65]");
  ASSERT_EQ(c.count, 2);
  EXPECT_EQ(+c.points[0].x, 0.0);
  EXPECT_EQ(+c.points[0].y, 0.16);
  EXPECT_EQ(+c.points[1].x, 0.03);
  EXPECT_EQ(+c.points[1].y, 0.65);
}

TEST(ShapeCurveText, MissingKeysSignsAndRange) {
  const ShapeCurve onlyY = Parse("[y:0.4]");
  ASSERT_EQ(onlyY.count, 1);
  EXPECT_EQ(+onlyY.points[0].x, 0.0);
  EXPECT_EQ(+onlyY.points[0].y, 0.4);

  const ShapeCurve signs = Parse("[x:2;y:-3]");
  ASSERT_EQ(signs.count, 1);
  EXPECT_EQ(+signs.points[0].x, 1.0);
  EXPECT_EQ(+signs.points[0].y, 1.0);

  const ShapeCurve negative = Parse("[x:-0.5;y:0.25e1]");
  EXPECT_EQ(+negative.points[0].x, 0.5);
  EXPECT_EQ(+negative.points[0].y, 1.0);

  // No number after a key reads 0; nothing between brackets still adds a point.
  const ShapeCurve empty = Parse("[x:;y:abc][]");
  ASSERT_EQ(empty.count, 2);
  EXPECT_EQ(+empty.points[0].y, 0.0);
  EXPECT_EQ(+empty.points[1].x, 0.0);
}

TEST(ShapeCurveText, NumberEndsAtFirstCharacterThatCannotContinueIt) {
  const ShapeCurve c = Parse("[x:.5;y:0.75)][x:0.2.3;y:7e;]");
  ASSERT_EQ(c.count, 2);
  EXPECT_EQ(+c.points[0].x, 0.5);
  EXPECT_EQ(+c.points[0].y, 0.75);
  EXPECT_EQ(+c.points[1].x, 0.2);
  EXPECT_EQ(+c.points[1].y, 1.0);  // "7" then a dangling exponent mark, clamped
}

TEST(ShapeCurveText, HugeAndTinyExponents) {
  const ShapeCurve c = Parse("[x:1e999;y:1e-999]");
  ASSERT_EQ(c.count, 1);
  EXPECT_EQ(+c.points[0].x, 1.0);
  EXPECT_EQ(+c.points[0].y, 0.0);
}

TEST(ShapeCurveText, NoClosingBracketGivesEmptyCurve) {
  ShapeCurve c;
  MakeDefaultMainCurve(c);
  ParseShapeCurveText("[x:0.5;y:0.5", c);
  EXPECT_EQ(c.count, 0);
  EXPECT_EQ(c.capacity, 16);
  EXPECT_EQ(+c.xSignature, 0.0);
  EXPECT_EQ(+c.ySignature, 0.0);
}

TEST(ShapeCurveText, PointsBeyondCapacityAreDropped) {
  std::string text;
  for (int i = 0; i < 9; ++i) text += "[x:0." + std::to_string(i) + ";y:0.5],";
  const ShapeCurve petal = Parse(text, kPetalShapeCapacity);
  EXPECT_EQ(petal.count, 8);
  EXPECT_EQ(+petal.points[7].x, 0.7);
}

}  // namespace
}  // namespace vlam
