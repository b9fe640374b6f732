#include "instance/ez_aim.h"

#include <gtest/gtest.h>

#include <numbers>

namespace vlam {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(EzAim, SweepTiltAndPointAwayFromTheAimPoint) {
  EXPECT_EQ(EzAimAngles(100, 100, 100, 0, false).sweep, kPi / 2);
  EXPECT_NEAR(EzAimAngles(100, 100, 100, 0, false).tilt, kPi / 4, 1e-12);  // 100 of 200 px
  for (const double up : {200.0, 5000.0}) {
    EXPECT_NEAR(EzAimAngles(100, 300, 100, 300 - up, false).tilt, kPi / 2, 1e-12) << up;
  }
  EXPECT_NEAR(EzAimAngles(0, 0, 0, 250, false).tilt, -kPi / 2, 1e-12);
  EXPECT_EQ(EzAimAngles(500, 0, 800, 0, false).sweep, kPi);
  EXPECT_EQ(EzAimAngles(500, 0, 1500, 0, false).sweep, kPi);
  EXPECT_EQ(EzAimAngles(500, 0, 200, 0, false).sweep, 0.0);
  EXPECT_EQ(EzAimAngles(500, 0, -900, 0, false).sweep, 0.0);
  // Fully sideways 100 pixels up count as 37.5.
  const double tilt = (37.5 + 200.0) * (kPi / 400.0) - kPi / 2;
  EXPECT_NEAR(EzAimAngles(0, 100, 300, 0, false).tilt, tilt, 1e-12);
  EXPECT_NEAR(EzAimAngles(0, 100, -300, 0, false).tilt, tilt, 1e-12);
  // Half way (t = 0.5) the weight is 1 - s + 0.375 s with s = 2|t| - t^2.
  const double w = 1.0 - 0.75 + 0.375 * 0.75;
  EXPECT_NEAR(EzAimAngles(0, 40, 150, 0, false).tilt, (40 * w + 200) * kPi / 400 - kPi / 2, 1e-12);
  const double plain = EzAimAngles(300, 0, 150, 0, false).sweep;
  EXPECT_DOUBLE_EQ(EzAimAngles(300, 0, 150, 0, true).sweep, -plain);   // aim on the left
  EXPECT_DOUBLE_EQ(EzAimAngles(10, 10, 10, 0, true).sweep, -kPi / 2);  // straight above: left
  const double right = EzAimAngles(0, 0, 150, 0, false).sweep;
  EXPECT_DOUBLE_EQ(EzAimAngles(0, 0, 150, 0, true).sweep, 2 * kPi - right);
}

TEST(AimFromAngles, AimPointFromSweepAndTilt) {
  const AimPoint minus90 = AimPointFromAngles(-90, 0, 640, 360);
  EXPECT_TRUE(minus90.pointAway);
  EXPECT_NEAR(minus90.x, 640, 1e-9);
  EXPECT_NEAR(minus90.y, 360, 1e-9);
  for (const double sweep : {270.0, 630.0}) {  // 630 wraps to 270, reflected to 90
    const AimPoint p = AimPointFromAngles(sweep, 0, 100, 50);
    EXPECT_TRUE(p.pointAway) << sweep;
    EXPECT_NEAR(p.x, 100, 1e-9) << sweep;
  }
  // Exactly 180 is not reflected: full deflection to the right.
  EXPECT_FALSE(AimPointFromAngles(180, 0, 100, 0).pointAway);
  EXPECT_NEAR(AimPointFromAngles(180, 0, 100, 0).x, 400, 1e-9);
  EXPECT_TRUE(AimPointFromAngles(-180, 0, 100, 0).pointAway);
  EXPECT_NEAR(AimPointFromAngles(0, 0, 100, 0).x, -200, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90, kPi / 2, 0, 500).y, 300, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90, 3.0, 0, 500).y, 300, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90, -3.0, 0, 500).y, 700, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(180, 3.0, 0, 0).y, -200 / 0.375, 1e-6);
  EXPECT_NEAR(AimPointFromAngles(0, -3.0, 0, 0).y, 200 / 0.375, 1e-6);
  for (const double x : {-250.0, 0.0, 45.0, 299.0}) {
    const AimAngles a = EzAimAngles(0, 0, x, -120, false);
    EXPECT_NEAR(AimPointFromAngles(a.sweep * 180 / kPi, a.tilt, 0, 0).x, x, 1e-6) << x;
  }
  const AimAngles level = EzAimAngles(0, 0, 0, -120, false);  // t = 0: both weights are 1
  EXPECT_NEAR(AimPointFromAngles(90, level.tilt, 0, 0).y, -120, 1e-9);
  const AimAngles away = EzAimAngles(0, 0, 150, 0, true);
  const AimPoint back = AimPointFromAngles(away.sweep * 180 / kPi, away.tilt, 0, 0);
  EXPECT_TRUE(back.pointAway);
  EXPECT_NEAR(back.x, 150, 1e-6);
}

}  // namespace
}  // namespace vlam
