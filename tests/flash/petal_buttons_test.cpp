// Which "Petal Configuration" a petal button selects.
#include "flash/petal_buttons.h"

#include <gtest/gtest.h>

namespace vlam_test {
namespace {

using vlam::PetalClickValue;

TEST(PetalButtons, TwoShapeButtonsFlipWhenClickedAgainAndRemember) {
  vlam::PetalVariants variants{};
  EXPECT_EQ(PetalClickValue(3, 1, variants), 4);  // Three Star
  EXPECT_EQ(PetalClickValue(3, 4, variants), 5);  // selected: Three T
  EXPECT_EQ(PetalClickValue(3, 5, variants), 4);  // and back
  EXPECT_EQ(PetalClickValue(3, 4, variants), 5);
  EXPECT_EQ(PetalClickValue(1, 5, variants), 2);  // One Up
  EXPECT_EQ(PetalClickValue(3, 2, variants), 5);  // Three T again, as last used
  EXPECT_EQ(PetalClickValue(4, 5, variants), 6);  // Four Star keeps its own
  EXPECT_EQ(PetalClickValue(4, 6, variants), 7);  // Four X-Wing
  EXPECT_EQ(variants.remembered[3], 1);
  EXPECT_EQ(variants.remembered[4], 1);
}

TEST(PetalButtons, OneShapeButtonsSelectTheirValue) {
  vlam::PetalVariants variants{};
  const A_long expected[] = {1, 2, 3, 4, 6, 8, 9, 10};
  for (int k = 0; k < vlam::kPetalButtonCount; ++k) {
    EXPECT_EQ(PetalClickValue(k, 1, variants), expected[k]) << k;
  }
  EXPECT_EQ(PetalClickValue(7, 10, variants), 10);  // clicking the selected one
  EXPECT_EQ(variants.remembered[7], 0);
  EXPECT_EQ(PetalClickValue(8, 1, variants), -1);
  EXPECT_EQ(PetalClickValue(-1, 1, variants), -1);
}

TEST(PetalButtons, ADamagedRecordStaysWithinThePopup) {
  vlam::PetalVariants variants{};
  variants.remembered[3] = 7;
  variants.remembered[5] = 1;  // a one-shape button has no variant to show
  EXPECT_EQ(PetalClickValue(3, 1, variants), 5);
  EXPECT_EQ(PetalClickValue(5, 1, variants), 8);
  EXPECT_EQ(vlam::PetalVariantShown(variants, 5), 0);
}

TEST(PetalButtons, ButtonOfEachValue) {
  const int expected[] = {0, 1, 2, 3, 3, 4, 4, 5, 6, 7};
  for (A_long v = 1; v <= 10; ++v) EXPECT_EQ(vlam::PetalButtonOf(v), expected[v - 1]);
  EXPECT_EQ(vlam::PetalButtonOf(0), -1);
  EXPECT_EQ(vlam::PetalButtonOf(11), -1);
}

}  // namespace
}  // namespace vlam_test
