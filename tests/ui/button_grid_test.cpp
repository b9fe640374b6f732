// Button layout and hit testing shared by the custom controls.
#include <gtest/gtest.h>

#include "ui/button_grid.h"

namespace vlam_test {
namespace {

TEST(ButtonGrid, ThreeButtonsInARowWithInclusiveEdges) {
  const vlam::ButtonGrid grid(0.0f, 40.0f, {360.0f, 1, 5.0f, 19.0f}, 3);
  ASSERT_EQ(grid.buttons().size(), 3u);
  const float lefts[] = {5.5f, 123.5f, 241.5f};
  for (int k = 0; k < 3; ++k) {
    EXPECT_FLOAT_EQ(grid.buttons()[k].x, lefts[k]);
    EXPECT_FLOAT_EQ(grid.buttons()[k].y, 45.5f);
    EXPECT_FLOAT_EQ(grid.buttons()[k].width, 113.0f);
    EXPECT_FLOAT_EQ(grid.buttons()[k].height, 19.0f);
  }
  EXPECT_EQ(grid.HitTest(118, 64), 0);    // last pixels inside right and bottom
  EXPECT_EQ(grid.HitTest(5, 50), -1);     // left of the first button
  EXPECT_EQ(grid.HitTest(119, 50), -1);   // between buttons 0 and 1
  EXPECT_EQ(grid.HitTest(124, 50), 1);
  EXPECT_EQ(grid.HitTest(354, 50), 2);    // past the parameter's declared 320
  const PF_Rect r = grid.InvalidationRect(1);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.bottom, 64);
  EXPECT_EQ(grid.InvalidationRect(3).right, 0);  // no such button
  const vlam::ButtonGrid unset(0.0f, 40.0f, {360.0f, 0, 5.0f, 19.0f}, 3);  // no row count: one row
  EXPECT_FLOAT_EQ(unset.buttons()[2].x, 241.5f);
  EXPECT_FLOAT_EQ(unset.buttons()[2].y, 45.5f);
}

}  // namespace
}  // namespace vlam_test
