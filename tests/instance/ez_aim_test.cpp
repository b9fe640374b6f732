#include "instance/ez_aim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vlam {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEps = 1e-12;

TEST(EzAim, AimStraightAboveGivesHalfTurnSweepAndSaturatedTilt) {
  const AimAngles near = EzAimAngles(100.0, 100.0, 100.0, 0.0, false);
  EXPECT_DOUBLE_EQ(near.sweep, kPi / 2);
  // 100 pixels up with weight 1: half way between level and a quarter turn.
  EXPECT_NEAR(near.tilt, kPi / 4, kEps);

  for (double up : {200.0, 201.0, 5000.0}) {
    const AimAngles far = EzAimAngles(100.0, 300.0, 100.0, 300.0 - up, false);
    EXPECT_DOUBLE_EQ(far.sweep, kPi / 2);
    EXPECT_NEAR(far.tilt, kPi / 2, kEps) << up;
  }
  // The same distance straight below tilts the other way.
  EXPECT_NEAR(EzAimAngles(0.0, 0.0, 0.0, 250.0, false).tilt, -kPi / 2, kEps);
  // Level aim: no tilt.
  EXPECT_NEAR(EzAimAngles(0.0, 0.0, 50.0, 0.0, false).tilt, 0.0, kEps);
}

TEST(EzAim, FullDeflectionAtThreeHundredPixelsEitherSide) {
  EXPECT_EQ(EzAimAngles(500.0, 0.0, 800.0, 0.0, false).sweep, kPi);
  EXPECT_EQ(EzAimAngles(500.0, 0.0, 1500.0, 0.0, false).sweep, kPi);
  EXPECT_EQ(EzAimAngles(500.0, 0.0, 200.0, 0.0, false).sweep, 0.0);
  EXPECT_EQ(EzAimAngles(500.0, 0.0, -900.0, 0.0, false).sweep, 0.0);

  // Fully sideways, a vertical offset counts 0.375 times: 100 pixels up act
  // like 37.5, and 200 no longer saturate the tilt.
  const double expected = (37.5 + 200.0) * (kPi / 400.0) - kPi / 2;
  EXPECT_NEAR(EzAimAngles(0.0, 100.0, 300.0, 0.0, false).tilt, expected, kEps);
  EXPECT_NEAR(EzAimAngles(0.0, 100.0, -300.0, 0.0, false).tilt, expected, kEps);
  EXPECT_LT(EzAimAngles(0.0, 200.0, 400.0, 0.0, false).tilt, kPi / 2 - 0.5);
}

TEST(EzAim, PartialDeflectionFollowsTheSineCurveAndWeight) {
  // 150 pixels right: t = 0.5.
  const AimAngles a = EzAimAngles(0.0, 40.0, 150.0, 0.0, false);
  EXPECT_NEAR(a.sweep, (std::sin(kPi / 4) + 1.0) * kPi / 2, kEps);
  const double s = 2 * 0.5 - 0.25;
  const double w = 1.0 - s + 0.375 * s;
  EXPECT_NEAR(a.tilt, (40.0 * w + 200.0) * kPi / 400.0 - kPi / 2, kEps);
}

TEST(EzAim, PointAwayReflectsTheSweepByWhichSideTheAimIsOn) {
  // Aim to the left (muzzle x - aim x >= 0): negated.
  const AimAngles left = EzAimAngles(300.0, 0.0, 150.0, 0.0, true);
  const AimAngles left_plain = EzAimAngles(300.0, 0.0, 150.0, 0.0, false);
  EXPECT_DOUBLE_EQ(left.sweep, -left_plain.sweep);
  EXPECT_DOUBLE_EQ(left.tilt, left_plain.tilt);
  // Straight above counts as left.
  EXPECT_DOUBLE_EQ(EzAimAngles(10.0, 10.0, 10.0, 0.0, true).sweep, -kPi / 2);
  // Aim to the right: 2 pi - A.
  const AimAngles right = EzAimAngles(0.0, 0.0, 150.0, 0.0, true);
  const AimAngles right_plain = EzAimAngles(0.0, 0.0, 150.0, 0.0, false);
  EXPECT_DOUBLE_EQ(right.sweep, 2 * kPi - right_plain.sweep);
}

TEST(AimFromAngles, NegativeSweepMeansPointAway) {
  const AimPoint p = AimPointFromAngles(-90.0, 0.0, 640.0, 360.0);
  EXPECT_TRUE(p.pointAway);
  EXPECT_NEAR(p.x, 640.0, 1e-9);
  EXPECT_NEAR(p.y, 360.0, 1e-9);  // level tilt: no vertical offset
}

TEST(AimFromAngles, SweepBeyondHalfTurnIsReflectedAndPointsAway) {
  const AimPoint p = AimPointFromAngles(270.0, 0.0, 100.0, 50.0);
  EXPECT_TRUE(p.pointAway);
  EXPECT_NEAR(p.x, 100.0, 1e-9);
  // 630 degrees wraps to 270 and is reflected the same way.
  const AimPoint wrapped = AimPointFromAngles(630.0, 0.0, 100.0, 50.0);
  EXPECT_TRUE(wrapped.pointAway);
  EXPECT_NEAR(wrapped.x, 100.0, 1e-9);
  // 200 degrees reflects to 160.
  const AimPoint reflected = AimPointFromAngles(200.0, 0.0, 0.0, 0.0);
  const AimPoint direct = AimPointFromAngles(160.0, 0.0, 0.0, 0.0);
  EXPECT_TRUE(reflected.pointAway);
  EXPECT_FALSE(direct.pointAway);
  EXPECT_NEAR(reflected.x, direct.x, 1e-9);
}

TEST(AimFromAngles, ExactlyHalfTurnIsNotReflected) {
  const AimPoint p = AimPointFromAngles(180.0, 0.0, 100.0, 0.0);
  EXPECT_FALSE(p.pointAway);
  EXPECT_NEAR(p.x, 400.0, 1e-9);
  const AimPoint negative = AimPointFromAngles(-180.0, 0.0, 100.0, 0.0);
  EXPECT_TRUE(negative.pointAway);
  EXPECT_NEAR(negative.x, 400.0, 1e-9);
  // Zero sweep is full deflection the other way.
  EXPECT_NEAR(AimPointFromAngles(0.0, 0.0, 100.0, 0.0).x, -200.0, 1e-9);
}

TEST(AimFromAngles, TiltSaturatesBeyondAQuarterTurn) {
  // Straight ahead (t = 0, weight 1): 200 pixels.
  EXPECT_NEAR(AimPointFromAngles(90.0, kPi / 2, 0.0, 500.0).y, 300.0, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90.0, 3.0, 0.0, 500.0).y, 300.0, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90.0, -3.0, 0.0, 500.0).y, 700.0, 1e-9);
  // Fully sideways the weight is 0.375: 200 / 0.375 pixels.
  EXPECT_NEAR(AimPointFromAngles(180.0, 3.0, 0.0, 0.0).y, -200.0 / 0.375, 1e-6);
  EXPECT_NEAR(AimPointFromAngles(0.0, -3.0, 0.0, 0.0).y, 200.0 / 0.375, 1e-6);
}

TEST(AimFromAngles, RoundTripsTheSweepAndTheStraightAheadTilt) {
  for (double x : {-250.0, -90.0, 0.0, 45.0, 299.0}) {
    const AimAngles a = EzAimAngles(0.0, 0.0, x, -120.0, false);
    const AimPoint back = AimPointFromAngles(a.sweep * 180.0 / kPi, a.tilt, 0.0, 0.0);
    EXPECT_NEAR(back.x, x, 1e-6) << x;
    EXPECT_FALSE(back.pointAway);
  }
  // With t = 0 both weights are 1, so the vertical offset comes back too.
  const AimAngles level = EzAimAngles(0.0, 0.0, 0.0, -120.0, false);
  EXPECT_NEAR(AimPointFromAngles(90.0, level.tilt, 0.0, 0.0).y, -120.0, 1e-9);
  // Pointing away on the right comes back as pointing away.
  const AimAngles away = EzAimAngles(0.0, 0.0, 150.0, 0.0, true);
  const AimPoint back = AimPointFromAngles(away.sweep * 180.0 / kPi, away.tilt, 0.0, 0.0);
  EXPECT_TRUE(back.pointAway);
  EXPECT_NEAR(back.x, 150.0, 1e-6);
}

}  // namespace
}  // namespace vlam
