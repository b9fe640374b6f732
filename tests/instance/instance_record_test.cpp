#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

#include "instance/instance_param_ids.h"
#include "instance/instance_settings.h"

namespace vlam {
namespace {

constexpr double kPi = std::numbers::pi;

InstanceSettings DefaultSettings() {
  InstanceSettings s;
  s.flashIdentifier = 1;
  s.trigger = true;
  s.aimSystem = kAimSystemEzAim;
  s.position[0] = 960.0;
  s.position[1] = 540.0;
  s.aim[0] = 576.0;
  s.aim[1] = 540.0;
  s.postScale = 100.0;
  s.randomSeed = 1024.0;
  s.randomness = 100.0;
  s.brightness = 100.0;
  return s;
}

TEST(InstanceRecord, FieldsScaledFromTheParameters) {
  InstanceSettings s = DefaultSettings();
  s.flashIdentifier = 3;
  s.randomSeed = 12.9;
  s.postScale = 250.0;
  s.brightness = 150.0;
  s.defocus = 7.5;
  s.maskId = 42;
  s.position[2] = -80.0;
  s.pointAway = true;
  const InstanceRecord r = MakeInstanceRecord(s);
  EXPECT_EQ(r.designIndex, 2u);
  EXPECT_EQ(r.randomSeed, 12);
  EXPECT_DOUBLE_EQ(r.randomness, 1.0);
  EXPECT_DOUBLE_EQ(r.postScale, 2.5);
  EXPECT_DOUBLE_EQ(r.brightness, 1.5);
  EXPECT_DOUBLE_EQ(r.defocus, 7.5);
  EXPECT_EQ(r.maskId, 42u);
  EXPECT_EQ(r.position[0], 960.0);
  EXPECT_EQ(r.position[1], 540.0);
  EXPECT_EQ(r.position[2], -80.0);
  EXPECT_EQ(r.pointAway, 1);
  EXPECT_EQ(r.ezAim, 1);
}

TEST(InstanceRecord, SeedTruncatesTowardZero) {
  InstanceSettings s = DefaultSettings();
  s.randomSeed = 2046.999;
  EXPECT_EQ(MakeInstanceRecord(s).randomSeed, 2046);
  s.randomSeed = -0.7;
  EXPECT_EQ(MakeInstanceRecord(s).randomSeed, 0);
  s.randomSeed = 1e30;  // out of range from a damaged project: saturates
  EXPECT_EQ(MakeInstanceRecord(s).randomSeed, 2147483647);
}

TEST(InstanceRecord, RollCarriesHalfATurnAndThirteenDegrees) {
  InstanceSettings s = DefaultSettings();
  EXPECT_EQ(MakeInstanceRecord(s).roll, kPi + 0.22689280275926285);
  s.roll = kPi / 2;
  EXPECT_NEAR(MakeInstanceRecord(s).roll, 1.5 * kPi + 13.0 * kPi / 180.0, 1e-12);
}

TEST(InstanceRecord, TriggerLevelIsPointFourWhenOnAndZeroWhenOff) {
  InstanceSettings s = DefaultSettings();
  EXPECT_EQ(MakeInstanceRecord(s).triggerLevel, 0.4);
  s.trigger = false;
  EXPECT_EQ(MakeInstanceRecord(s).triggerLevel, 0.0);
}

TEST(InstanceRecord, AimAnglesFromTheChosenAimSystem) {
  InstanceSettings s = DefaultSettings();
  s.sweep = 0.25;
  s.tilt = -0.5;
  // EZ-Aim: the default aim 384 pixels to the left gives full deflection.
  InstanceRecord r = MakeInstanceRecord(s);
  EXPECT_EQ(r.aimA, 0.0);
  EXPECT_NEAR(r.aimB, 0.0, 1e-12);

  s.aimSystem = kAimSystemYzxRotation;
  r = MakeInstanceRecord(s);
  EXPECT_EQ(r.ezAim, 0);
  EXPECT_EQ(r.aimA, 0.25);
  EXPECT_EQ(r.aimB, -0.5);

  // A popup that could not be read (0) falls back to EZ-Aim but is not
  // flagged as EZ-Aim.
  s.aimSystem = 0;
  r = MakeInstanceRecord(s);
  EXPECT_EQ(r.ezAim, 0);
  EXPECT_EQ(r.aimA, 0.0);
}

TEST(InstanceRecord, PaddingIsZero) {
  InstanceSettings s = DefaultSettings();
  s.pointAway = true;
  const InstanceRecord r = MakeInstanceRecord(s);
  unsigned char bytes[sizeof r];
  std::memcpy(bytes, &r, sizeof r);
  for (int i : {25, 26, 27, 53, 54, 55}) {
    EXPECT_EQ(bytes[i], 0) << i;
  }
  EXPECT_EQ(bytes[24], 1);
  EXPECT_EQ(bytes[52], 1);
}

}  // namespace
}  // namespace vlam
