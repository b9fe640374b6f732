// Where a curve editor's parts sit.
#include "flash/profile_layout.h"

#include <gtest/gtest.h>

namespace vlam_test {
namespace {

TEST(ProfileLayout, TheCurveAreaGrowsUpwardsWithTheDiameter) {
  const vlam::ProfileLayout full(20, 300, 1.0);
  EXPECT_EQ(full.curve.left, 30);
  EXPECT_EQ(full.curve.right, 316);
  EXPECT_EQ(full.curve.top, 313);
  EXPECT_EQ(full.curve.bottom, 375);
  const vlam::ProfileLayout half(20, 300, 0.5);  // sigma 0.642857
  EXPECT_EQ(half.curve.top, 336);
  EXPECT_EQ(half.curve.bottom, 374);
  EXPECT_EQ(half.presets.top, 379);
  EXPECT_EQ(half.handle_column.left, 326);
  EXPECT_EQ(half.handle_column.bottom, 342);
  EXPECT_EQ(vlam::ProfileLayout(20, 300, 0.1).curve.top, 345);  // sigma 0.5 below 0.3
}

}  // namespace
}  // namespace vlam_test
