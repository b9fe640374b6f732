#pragma once
#include <AE_Effect.h>

#include <array>
#include <cstdint>
#include <optional>

namespace vlam::host {

class Host;
class EffectInstance;

// What a Flash Instance reports about itself when the Render effect asks it
// (PF_Cmd_COMPLETELY_GENERAL with the exchange block), read field by field
// from the 108-byte record at its fixed offsets (the host does not share the
// module's declarations).
struct InstanceRecordFields {
  std::uint32_t designIndex = 0;
  std::int32_t seed = 0;
  double randomness = 0;
  double triggerLevel = 0;
  std::uint8_t ezAim = 0;
  std::array<double, 3> position{};
  std::uint8_t pointAway = 0;
  double aimA = 0; // radians
  double aimB = 0; // radians
  double roll = 0; // radians
  double postScale = 0;
  double brightness = 0;
  double defocus = 0;
  std::uint32_t maskId = 0;
};

// Asks one instance for its record at comp time `ticks`, as the Render
// effect does for its first instance. Nothing when the effect fails (its
// error in `err`).
std::optional<InstanceRecordFields> queryInstanceRecord(Host &host, EffectInstance &effect, std::int64_t ticks,
                                                        PF_Err *err = nullptr);

} // namespace vlam::host
