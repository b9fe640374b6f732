#include "instance/trigger_keys.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vlam {

namespace {

constexpr A_long kMaxRounds = 1000;

bool FitsTimeValue(double t) {
  return t >= static_cast<double>(std::numeric_limits<A_long>::min()) &&
         t <= static_cast<double>(std::numeric_limits<A_long>::max());
}

}  // namespace

float TriggerInterval(double frameRate, double rateOfFire) {
  const double frames = std::round(frameRate / rateOfFire);
  // A rate of 0 (or no frame rate) leaves no meaningful spacing: fire every
  // round at the same time rather than at an infinite distance.
  if (!std::isfinite(frames) || frames < 0.0) {
    return 0.0f;
  }
  return static_cast<float>(frames);
}

A_long TriggerRoundCount(double roundCount) {
  const double rounds = std::round(roundCount);
  if (!(rounds > 0.0)) {
    return 0;
  }
  return static_cast<A_long>(std::min(rounds, static_cast<double>(kMaxRounds)));
}

std::vector<TriggerKey> TriggerKeyPattern(const TriggerBurst& burst) {
  const double interval = TriggerInterval(burst.frameRate, burst.rateOfFire);
  const A_long rounds = TriggerRoundCount(burst.roundCount);
  const double t0 = burst.currentTime;
  const double step = burst.frameStep;

  std::vector<TriggerKey> keys;
  keys.reserve(1 + 2 * static_cast<size_t>(rounds));
  keys.push_back({0, 0.0});
  for (A_long k = 0; k < rounds; ++k) {
    const double offset = interval * (static_cast<double>(k) * step);
    const double on_time = std::trunc(t0 + offset);
    const double off_time = std::trunc(step + offset + t0);
    if (!FitsTimeValue(on_time) || !FitsTimeValue(off_time)) {
      break;
    }
    keys.push_back({static_cast<A_long>(on_time), 1.0});
    keys.push_back({static_cast<A_long>(off_time), 0.0});
  }
  return keys;
}

}  // namespace vlam
