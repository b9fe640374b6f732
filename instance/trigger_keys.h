// The burst of "Trigger" keys that the "Vlam!" button writes: the trigger off
// at the start of the composition, then one frame on per round, rounds spaced
// by the rate of fire, starting at the current time.
#pragma once
#include <vector>

#include "A.h"

namespace vlam {

struct TriggerKey {
  A_long timeValue;  // in the scale of the current time
  double value;      // 1.0 on, 0.0 off
};

struct TriggerBurst {
  A_long currentTime;  // comp time value at which the first round fires
  A_long frameStep;    // one frame in the same time units
  double frameRate;    // composition frames per second
  double rateOfFire;   // rounds per second
  double roundCount;   // as set, rounded to whole rounds here
};

// Frames between two rounds, rounded half away from zero.
float TriggerInterval(double frameRate, double rateOfFire);

// Whole rounds to fire, rounded half away from zero and kept to 0..1000.
A_long TriggerRoundCount(double roundCount);

// Keys in the order they are written. Rounds whose key times do not fit the
// host's 32-bit time value are left out.
std::vector<TriggerKey> TriggerKeyPattern(const TriggerBurst& burst);

}  // namespace vlam
