// The values of a Flash Instance's parameters at one time, as read from the
// host, and the record they make.
#pragma once
#include "A.h"
#include "instance/ez_aim.h"
#include "instance/instance_record.h"

namespace vlam {

struct InstanceSettings {
  A_long flashIdentifier = 0;  // popup, 1-based
  bool trigger = false;
  A_long aimSystem = 0;  // popup, 1-based
  double position[3] = {0.0, 0.0, 0.0};
  double aim[2] = {0.0, 0.0};
  bool pointAway = false;
  double sweep = 0.0;      // radians
  double tilt = 0.0;       // radians
  double roll = 0.0;       // radians
  double postScale = 0.0;  // percent
  double randomSeed = 0.0;
  double randomness = 0.0;  // percent
  double brightness = 0.0;  // percent
  double defocus = 0.0;     // pixels
  A_long maskId = 0;
};

// Aim angles the instance's controls stand for: "Sweep" and "Tilt" under
// "YZX Rotation", the EZ-Aim mapping of position and aim point otherwise.
AimAngles InstanceAimAngles(const InstanceSettings& settings);

InstanceRecord MakeInstanceRecord(const InstanceSettings& settings);

}  // namespace vlam
