#include "instance/instance_settings.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

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
  if (settings.aim_system == kAimSystemYzxRotation) {
    return {settings.sweep, settings.tilt};
  }
  return EzAimAngles(settings.position[0], settings.position[1], settings.aim[0],
                     settings.aim[1], settings.point_away);
}

InstanceRecord MakeInstanceRecord(const InstanceSettings& s) {
  InstanceRecord record;
  std::memset(&record, 0, sizeof record);
  record.design_index = static_cast<A_u_long>(s.flash_identifier) - 1u;
  record.random_seed = TruncateToLong(s.random_seed);
  record.randomness = s.randomness * 0.01;
  record.trigger_level = s.trigger ? kInstanceFiringLevel : 0.0;
  record.ez_aim = (s.aim_system == kAimSystemEzAim) ? 1 : 0;
  for (int i = 0; i < 3; ++i) {
    record.position[i] = s.position[i];
  }
  record.point_away = s.point_away ? 1 : 0;
  const AimAngles angles = InstanceAimAngles(s);
  record.aim_a = angles.sweep;
  record.aim_b = angles.tilt;
  record.roll = InstanceRecordRoll(s.roll);
  record.post_scale = s.post_scale * 0.01;
  record.brightness = s.brightness * 0.01;
  record.defocus = s.defocus;
  record.mask_id = static_cast<A_u_long>(s.mask_id);
  return record;
}
