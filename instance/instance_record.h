// What one Flash Instance tells the Render and Relighter effects about itself
// at one time: which design it fires, where its muzzle is, where it points and
// whether it fires. Written into one slot of the caller's exchange block.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vlam {

#pragma pack(push, 4)
struct InstanceRecord {
  std::uint32_t designIndex;  // "Flash Identifier" - 1: 0 = Flash A ... 3 = Flash D
  std::int32_t randomSeed;    // "Random Seed" truncated toward zero
  double randomness;          // "Randomness Override" as a factor
  double triggerLevel;        // 0.4 while the trigger is on, else 0
  std::uint8_t ezAim;         // 1 when "Aim System" is EZ-Aim
  std::uint8_t padding0[3];
  double position[3];      // "Position", layer pixels
  std::uint8_t pointAway;  // "Point Away"
  std::uint8_t padding1[3];
  double aimA;           // sweep, radians
  double aimB;           // tilt, radians
  double roll;           // "Roll" in radians plus the barrel's fixed turn
  double postScale;      // "Post Scale" as a factor
  double brightness;     // "Brightness" as a factor
  double defocus;        // "Defocus", pixels
  std::uint32_t maskId;  // path ID of the chosen "Mask Path", 0 for none
};
#pragma pack(pop)

static_assert(sizeof(InstanceRecord) == 108);
static_assert(offsetof(InstanceRecord, designIndex) == 0);
static_assert(offsetof(InstanceRecord, randomSeed) == 4);
static_assert(offsetof(InstanceRecord, randomness) == 8);
static_assert(offsetof(InstanceRecord, triggerLevel) == 16);
static_assert(offsetof(InstanceRecord, ezAim) == 24);
static_assert(offsetof(InstanceRecord, position) == 28);
static_assert(offsetof(InstanceRecord, pointAway) == 52);
static_assert(offsetof(InstanceRecord, aimA) == 56);
static_assert(offsetof(InstanceRecord, aimB) == 64);
static_assert(offsetof(InstanceRecord, roll) == 72);
static_assert(offsetof(InstanceRecord, postScale) == 80);
static_assert(offsetof(InstanceRecord, brightness) == 88);
static_assert(offsetof(InstanceRecord, defocus) == 96);
static_assert(offsetof(InstanceRecord, maskId) == 104);

// Trigger level of a firing instance; consumers treat below 0.01 as silent.
inline constexpr double kInstanceFiringLevel = 0.4;

// "Roll" in the record carries the barrel's fixed turn: half a turn plus
// 13 degrees.
inline double InstanceRecordRoll(double rollRadians) {
  return rollRadians + 3.141592653589793 + 0.22689280275926285;
}

}  // namespace vlam
