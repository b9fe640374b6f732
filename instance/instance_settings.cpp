#include "instance/instance_settings.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

namespace vlam {

namespace {

// Truncation toward zero that saturates instead of overflowing.
A_long TruncateToLong(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  constexpr double lo = std::numeric_limits<A_long>::min();
  constexpr double hi = std::numeric_limits<A_long>::max();
  if (value <= lo) {
    return std::numeric_limits<A_long>::min();
  }
  if (value >= hi) {
    return std::numeric_limits<A_long>::max();
  }
  return static_cast<A_long>(value);
}

}  // namespace

AimAngles InstanceAimAngles(const InstanceSettings& settings) {
  if (settings.aimSystem == kAimSystemYzxRotation) {
    return {settings.sweep, settings.tilt};
  }
  return EzAimAngles(settings.position[0], settings.position[1], settings.aim[0], settings.aim[1],
                     settings.pointAway);
}

InstanceRecord MakeInstanceRecord(const InstanceSettings& s) {
  InstanceRecord record;
  std::memset(&record, 0, sizeof record);
  record.designIndex = static_cast<A_u_long>(s.flashIdentifier) - 1u;
  record.randomSeed = TruncateToLong(s.randomSeed);
  record.randomness = s.randomness * 0.01;
  record.triggerLevel = s.trigger ? kInstanceFiringLevel : 0.0;
  record.ezAim = (s.aimSystem == kAimSystemEzAim) ? 1 : 0;
  for (int i = 0; i < 3; ++i) {
    record.position[i] = s.position[i];
  }
  record.pointAway = s.pointAway ? 1 : 0;
  const AimAngles angles = InstanceAimAngles(s);
  record.aimA = angles.sweep;
  record.aimB = angles.tilt;
  record.roll = InstanceRecordRoll(s.roll);
  record.postScale = s.postScale * 0.01;
  record.brightness = s.brightness * 0.01;
  record.defocus = s.defocus;
  record.maskId = static_cast<A_u_long>(s.maskId);
  return record;
}

}  // namespace vlam
