// Button layout and hit testing shared by the custom controls.
#include <gtest/gtest.h>

#include "ui/button_grid.h"

namespace vlam_test {
namespace {

constexpr vlam::ButtonGridSpec kRow{360.0f, 1, 5.0f, 19.0f};

TEST(ButtonGrid, ThreeButtonsInARow) {
  const vlam::ButtonGrid grid(0.0f, 40.0f, kRow, 3);
  ASSERT_EQ(grid.buttons().size(), 3u);
  EXPECT_FLOAT_EQ(grid.button_width(), 340.0f / 3.0f);
  const float lefts[] = {5.5f, 123.5f, 241.5f};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(grid.buttons()[k].index, k);
    EXPECT_FLOAT_EQ(grid.buttons()[k].x, lefts[k]);
    EXPECT_FLOAT_EQ(grid.buttons()[k].y, 45.5f);
    EXPECT_FLOAT_EQ(grid.buttons()[k].width, 113.0f);
    EXPECT_FLOAT_EQ(grid.buttons()[k].height, 19.0f);
  }
  EXPECT_FLOAT_EQ(vlam::ButtonGrid(0.0f, 0.0f, kRow, 1).buttons()[0].width, 350.0f);
}

TEST(ButtonGrid, RowsWrapAfterTheirColumns) {
  // Eight buttons in two rows: four columns of (324 - 25) / 4 = 74.75.
  const vlam::ButtonGrid grid(10.0f, 200.0f, {324.0f, 2, 5.0f, 52.5f}, 8);
  ASSERT_EQ(grid.buttons().size(), 8u);
  EXPECT_FLOAT_EQ(grid.buttons()[3].x, 254.5f);  // floor(15 + 3 x 79.75) + 0.5
  EXPECT_FLOAT_EQ(grid.buttons()[4].x, 15.5f);
  EXPECT_FLOAT_EQ(grid.buttons()[4].y, 262.5f);  // floor(205 + 57.5) + 0.5
  EXPECT_FLOAT_EQ(grid.buttons()[4].width, 74.0f);
  EXPECT_FLOAT_EQ(grid.buttons()[4].height, 52.0f);
}

TEST(ButtonGrid, EdgesAreInsideAndGapsAreOutside) {
  const vlam::ButtonGrid grid(0.0f, 0.0f, kRow, 3);
  EXPECT_EQ(grid.HitTest(118, 24), 0);  // last pixels inside right and bottom
  EXPECT_EQ(grid.HitTest(6, 6), 0);
  EXPECT_EQ(grid.HitTest(5, 10), -1);   // left of the first button
  EXPECT_EQ(grid.HitTest(119, 10), -1);  // between buttons 0 and 1
  EXPECT_EQ(grid.HitTest(123, 10), -1);
  EXPECT_EQ(grid.HitTest(124, 10), 1);
  EXPECT_EQ(grid.HitTest(300, 25), -1);  // below
  EXPECT_EQ(grid.HitTest(354, 10), 2);   // past the parameter's declared 320
}

TEST(ButtonGrid, InvalidationRectsAreTruncated) {
  const vlam::ButtonGrid grid(0.0f, 100.0f, kRow, 3);
  const PF_Rect r = grid.InvalidationRect(1);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 105);
  EXPECT_EQ(r.right, 236);
  EXPECT_EQ(r.bottom, 124);
  const PF_Rect none = grid.InvalidationRect(3);
  EXPECT_EQ(none.right - none.left, 0);
  EXPECT_EQ(grid.InvalidationRect(-1).bottom, 0);
}

TEST(ButtonGrid, NoButtons) {
  const vlam::ButtonGrid grid(0.0f, 0.0f, kRow, 0);
  EXPECT_TRUE(grid.buttons().empty());
  EXPECT_EQ(grid.HitTest(10, 10), -1);
}

}  // namespace
}  // namespace vlam_test
