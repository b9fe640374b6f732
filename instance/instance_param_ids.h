// Indices of the Flash Instance effect's parameters in host order.
#pragma once
#include "A.h"

namespace vlam {

enum InstanceParamIndex : A_long {
  kInstanceInput = 0,
  kInstanceTitle,
  kInstanceFlashIdentifier,
  kInstanceTransformStart,
  kInstanceAimSystem,
  kInstanceBarrelShape,
  kInstancePosition,
  kInstanceAim,
  kInstancePointAway,
  kInstanceSweep,
  kInstanceTilt,
  kInstanceRoll,
  kInstancePostScale,
  kInstanceTransformEnd,
  kInstanceKeyframerStart,
  kInstanceRateOfFire,
  kInstanceNumberOfRounds,
  kInstanceAddKeyframes,
  kInstanceTrigger,
  kInstanceKeyframerEnd,
  kInstanceOptionsStart,
  kInstanceRandomSeed,
  kInstanceRandomness,
  kInstanceBrightness,
  kInstanceDefocus,
  kInstanceOptionsEnd,
  kInstanceMaskStart,
  kInstanceMaskPath,
  kInstanceMaskEnd,
  kInstanceParamCount
};
static_assert(kInstanceParamCount == 29);

// "Aim System" popup values.
enum InstanceAimSystem { kAimSystemEzAim = 1, kAimSystemYzxRotation = 2 };

}  // namespace vlam
