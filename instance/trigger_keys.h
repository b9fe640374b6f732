// The burst of "Trigger" keys that the "Vlam!" button writes: the trigger off
// at the start of the composition, then one frame on per round, rounds spaced
// by the rate of fire, starting at the current time.
#pragma once
#include <vector>

#include "A.h"

struct TriggerKey {
  A_long time_value;  // in the scale of the current time
  double value;       // 1.0 on, 0.0 off
};

struct TriggerBurst {
  A_long current_time;   // comp time value at which the first round fires
  A_long frame_step;     // one frame in the same time units
  double frame_rate;     // composition frames per second
  double rate_of_fire;   // rounds per second
  double round_count;    // as set, rounded to whole rounds here
};

// Frames between two rounds, rounded half away from zero.
float TriggerInterval(double frame_rate, double rate_of_fire);

// Whole rounds to fire, rounded half away from zero and kept to 0..1000.
A_long TriggerRoundCount(double round_count);

// Keys in the order they are written. Rounds whose key times do not fit the
// host's 32-bit time value are left out.
std::vector<TriggerKey> TriggerKeyPattern(const TriggerBurst& burst);
