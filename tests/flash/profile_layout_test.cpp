// Where a curve editor's parts sit.
#include "flash/profile_layout.h"

#include <gtest/gtest.h>

namespace vlam_test {
namespace {

TEST(ProfileLayout, TheCurveAreaGrowsUpwardsWithTheDiameter) {
  const vlam::ProfileLayout full(20, 300, 1.0);
  EXPECT_DOUBLE_EQ(full.sigma, 1.0);
  EXPECT_EQ(full.curve.left, 30);
  EXPECT_EQ(full.curve.right, 316);
  EXPECT_EQ(full.curve.top, 313);
  EXPECT_EQ(full.curve.bottom, 375);

  const vlam::ProfileLayout half(20, 300, 0.5);  // sigma 0.642857
  EXPECT_NEAR(half.sigma, 0.6428571, 1e-7);
  EXPECT_EQ(half.curve.top, 336);     // 300 + 13 + 23.21
  EXPECT_EQ(half.curve.bottom, 374);  // 336 + 41.79 - 3
  EXPECT_DOUBLE_EQ(vlam::ProfileLayout(20, 300, 0.1).sigma, 0.5);
  EXPECT_DOUBLE_EQ(vlam::ProfileLayout(20, 300, 1.5).sigma, 1.0);

  EXPECT_EQ(half.presets.left, 20);
  EXPECT_EQ(half.presets.right, 346);
  EXPECT_EQ(half.presets.top, 379);
  EXPECT_EQ(half.presets.bottom, 419);
  EXPECT_EQ(half.handle_column.left, 326);
  EXPECT_EQ(half.handle_column.right, 346);
  EXPECT_EQ(half.handle_column.top, 310);
  EXPECT_EQ(half.handle_column.bottom, 342);
}

TEST(ProfileLayout, PanelAndCurveUnits) {
  const vlam::ProfileLayout layout(0, 0, 1.0);  // curve 10-296 x 13-75
  EXPECT_FLOAT_EQ(layout.PanelX(0.5), 153.5f);
  EXPECT_FLOAT_EQ(layout.PanelY(1.0), 13.5f);
  EXPECT_DOUBLE_EQ(layout.CurveX(153), 0.5);
  EXPECT_DOUBLE_EQ(layout.CurveX(5), 0.0);
  EXPECT_DOUBLE_EQ(layout.CurveY(0), 1.0);
  EXPECT_DOUBLE_EQ(layout.CurveY(44), 31.0 / 62.0);
}

TEST(ProfileLayout, HandleFollowsTheCurveAreasTop) {
  for (double d : {0.3, 0.5, 0.8, 1.0}) {
    const vlam::ProfileLayout layout(0, 0, d);
    EXPECT_NEAR(layout.HandleCentreY(), layout.curve.top - 3.0, 1.0) << d;
  }
  EXPECT_DOUBLE_EQ(vlam::HandleFromDiameter(0.3), 0.0);
  EXPECT_DOUBLE_EQ(vlam::HandleFromDiameter(1.2), 1.0);
  EXPECT_NEAR(vlam::DiameterFromHandle(vlam::HandleFromDiameter(0.65)), 0.65, 1e-12);
  const vlam::ProfileLayout layout(0, 0, 0.5);
  EXPECT_DOUBLE_EQ(layout.HandleFraction(10), 1.0);
  EXPECT_DOUBLE_EQ(layout.HandleFraction(42), 0.0);
  EXPECT_DOUBLE_EQ(layout.HandleFraction(100), 0.0);
}

TEST(ProfileLayout, PetalButtonsAreTwoRowsOfFour) {
  const vlam::ButtonGrid drawn = vlam::PetalButtons(0, 0, false);
  const vlam::ButtonGrid clicked = vlam::PetalButtons(0, 0, true);
  ASSERT_EQ(drawn.buttons().size(), 8u);
  EXPECT_FLOAT_EQ(drawn.buttons()[0].width, 74.0f);
  EXPECT_FLOAT_EQ(clicked.buttons()[0].width, 75.0f);
  EXPECT_FLOAT_EQ(drawn.buttons()[5].y, 62.5f);
  EXPECT_EQ(clicked.HitTest(320, 100), 7);
  EXPECT_EQ(drawn.HitTest(320, 100), -1);
}

}  // namespace
}  // namespace vlam_test
