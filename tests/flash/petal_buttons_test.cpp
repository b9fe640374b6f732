// Which "Petal Configuration" a petal button selects.
#include "flash/petal_buttons.h"

#include <gtest/gtest.h>

namespace vlam_test {
namespace {

using vlam::PetalClickValue;

// Two-shape buttons flip when clicked again and remember; a damaged record
// stays within the popup.
TEST(PetalButtons, TwoShapeButtonsFlipWhenClickedAgainAndRemember) {
  vlam::PetalVariants variants{};
  EXPECT_EQ(PetalClickValue(3, 1, variants), 4);  // Three Star
  EXPECT_EQ(PetalClickValue(3, 4, variants), 5);  // selected: Three T
  EXPECT_EQ(PetalClickValue(3, 5, variants), 4);  // and back
  EXPECT_EQ(PetalClickValue(3, 4, variants), 5);
  EXPECT_EQ(PetalClickValue(1, 5, variants), 2);  // One Up
  EXPECT_EQ(PetalClickValue(3, 2, variants), 5);  // Three T again, as last used
  EXPECT_EQ(PetalClickValue(4, 5, variants), 6);  // Four Star keeps its own
  EXPECT_EQ(PetalClickValue(7, 10, variants), 10);
  EXPECT_EQ(PetalClickValue(8, 1, variants), -1);

  variants.remembered[3] = 7;
  variants.remembered[5] = 1;  // a one-shape button has no variant to show
  EXPECT_EQ(PetalClickValue(3, 1, variants), 5);
  EXPECT_EQ(PetalClickValue(5, 1, variants), 8);
}

}  // namespace
}  // namespace vlam_test
