#include "flash/shape_curve_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

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

TEST(ShapeCurveText, WriteThenReadReproducesCurvesAndReadingIsLenient) {
  ShapeCurve original;
  MakeDefaultMainCurve(original);
  AddShapePoint(original, 0.123456, 0.00001);
  AddShapePoint(original, 0.000125, 0.999999);
  const std::string text = WriteShapeCurveText(original);
  EXPECT_NE(text.find("[x:0.123456;y:1e-05]"), std::string::npos) << text;
  EXPECT_NE(text.find("[x:0.000125;y:0.999999]"), std::string::npos) << text;

  const ShapeCurve back = Parse(text);
  EXPECT_EQ(std::memcmp(&back, &original, sizeof back), 0);

  // Six significant digits, the shortest form.
  ShapeCurve c;
  ResetShapeCurve(c, kMainShapeCapacity);
  AddShapePoint(c, 0.5, 1);
  AddShapePoint(c, 0.125, 0.1234567);
  AddShapePoint(c, 1e-4, 0.00001234);
  EXPECT_EQ(WriteShapeCurveText(c), "[x:0.5;y:1],[x:0.125;y:0.123457],[x:0.0001;y:1.234e-05]");
  // The compact form reads back to the same text.
  const std::string compact = "[x:0;y:0.75],[x:1;y:0.75]";
  EXPECT_EQ(WriteShapeCurveText(Parse(compact)), compact);

  ResetShapeCurve(c, kMainShapeCapacity);
  EXPECT_EQ(WriteShapeCurveText(c), "");

  const std::pair<const char *, std::vector<std::pair<double, double>>> cases[] = {
      // Spaces and anything outside the brackets are harmless.
      {"junk before [x:0; y:0.16], [x:0.03; y:0.65]", {{0, 0.16}, {0.03, 0.65}}},
      {"[y:0.4]", {{0, 0.4}}},                 // a missing key reads 0
      {"[x:2;y:-3]", {{1, 1}}},                // signs are dropped, values clamped
      {"[x:-0.5;y:0.25e1]", {{0.5, 1}}},
      {"[x:;y:abc][]", {{0, 0}, {0, 0}}},      // no number reads 0; [] still adds a point
      // A number ends at the first character that cannot continue it; "7e"
      // is 7 with a dangling exponent mark, clamped.
      {"[x:.5;y:0.75)][x:0.2.3;y:7e;]", {{0.5, 0.75}, {0.2, 1}}},
      {"[x:1e999;y:1e-999]", {{1, 0}}},
  };
  for (const auto &[input, points] : cases) {
    SCOPED_TRACE(input);
    const ShapeCurve read = Parse(input);
    ASSERT_EQ(read.count, points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(+read.points[i].x, points[i].first);
      EXPECT_EQ(+read.points[i].y, points[i].second);
    }
  }

  // Without a closing bracket the curve is empty; points beyond the capacity
  // are dropped.
  MakeDefaultMainCurve(c);
  ParseShapeCurveText("[x:0.5;y:0.5", c);
  EXPECT_EQ(std::pair(+c.count, +c.capacity), std::pair(0, 16));
  EXPECT_EQ(std::pair(+c.xSignature, +c.ySignature), std::pair(0.0, 0.0));

  std::string nine;
  for (int i = 0; i < 9; ++i) nine += "[x:0." + std::to_string(i) + ";y:0.5],";
  const ShapeCurve petal = Parse(nine, kPetalShapeCapacity);
  EXPECT_EQ(std::pair(+petal.count, +petal.points[7].x), std::pair(8, 0.7));
}

}  // namespace
}  // namespace vlam
