#include "instance/ez_aim.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlam {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2.0;
constexpr double kPerSweepPixel = 0.0033333333333333335;  // 1 / 300
constexpr double kTiltPerPixel = 0.007853981633974485;    // pi / 400
constexpr double kPixelsPerTilt = 127.32395447351624;     // 400 / pi
constexpr double kTiltRange = 200.0;
constexpr double kSideWeight = 0.375;

}  // namespace

AimAngles EzAimAngles(double muzzleX, double muzzleY, double aimX, double aimY, bool pointAway) {
  const double t = std::clamp((aimX - muzzleX) * kPerSweepPixel, -1.0, 1.0);
  double sweep = (std::sin(t * kHalfPi) + 1.0) * kHalfPi;

  // The further the barrel swings sideways, the less a vertical offset counts.
  const double s = 2.0 * std::fabs(t) - t * t;
  const double weight = 1.0 - s + kSideWeight * s;
  const double v = (muzzleY - aimY) * weight;

  double tilt;
  if (v < -kTiltRange) {
    tilt = -kHalfPi;
  } else if (v > kTiltRange) {
    tilt = kHalfPi;
  } else {
    tilt = (v + kTiltRange) * kTiltPerPixel - kHalfPi;
  }

  if (pointAway) {
    sweep = (muzzleX - aimX >= 0.0) ? -sweep : 2.0 * kPi - sweep;
  }
  return {sweep, tilt};
}

AimPoint AimPointFromAngles(double sweepDegrees, double tiltRadians, double muzzleX,
                            double muzzleY) {
  bool away = sweepDegrees < 0.0;
  double a = std::fmod(std::fabs(sweepDegrees), 360.0);
  if (a > 180.0) {
    a = 180.0 - (a - 180.0);
    away = true;
  }
  // Inverse of the sweep curve: a = (sin(t * pi/2) + 1) * 90.
  const double t = std::asin(a * 0.011111111111111112 - 1.0) * 0.6366197723675814;

  double y;
  if (tiltRadians < -kHalfPi) {
    y = kTiltRange;
  } else if (tiltRadians > kHalfPi) {
    y = -kTiltRange;
  } else {
    y = kTiltRange - (tiltRadians + kHalfPi) * kPixelsPerTilt;
  }

  // This weight uses t squared rather than the forward mapping's 2|t| - t^2;
  // the written aim point is what users of this effect have always seen.
  const double t2 = t * t;
  const double weight = (std::fabs(t) > 1.0) ? kSideWeight : 1.0 - t2 + kSideWeight * t2;
  return {t * 300.0 + muzzleX, y / weight + muzzleY, away};
}

}  // namespace vlam
