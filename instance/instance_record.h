// What one Flash Instance tells the Render and Relighter effects about itself
// at one time: which design it fires, where its muzzle is, where it points and
// whether it fires. Written into one slot of the caller's exchange block.
#pragma once
#include <cstddef>

#include "A.h"

#pragma pack(push, 4)
struct InstanceRecord {
  A_u_long design_index;    // "Flash Identifier" - 1: 0 = Flash A ... 3 = Flash D
  A_long random_seed;       // "Random Seed" truncated toward zero
  double randomness;        // "Randomness Override" as a factor
  double trigger_level;     // 0.4 while the trigger is on, else 0
  A_u_char ez_aim;          // 1 when "Aim System" is EZ-Aim
  A_u_char padding0[3];
  double position[3];       // "Position", layer pixels
  A_u_char point_away;      // "Point Away"
  A_u_char padding1[3];
  double aim_a;             // sweep, radians
  double aim_b;             // tilt, radians
  double roll;              // "Roll" in radians plus the barrel's fixed offset
  double post_scale;        // "Post Scale" as a factor
  double brightness;        // "Brightness" as a factor
  double defocus;           // "Defocus", pixels
  A_u_long mask_id;         // path ID of the chosen "Mask Path", 0 for none
};
#pragma pack(pop)

static_assert(sizeof(InstanceRecord) == 108);
static_assert(offsetof(InstanceRecord, design_index) == 0);
static_assert(offsetof(InstanceRecord, random_seed) == 4);
static_assert(offsetof(InstanceRecord, randomness) == 8);
static_assert(offsetof(InstanceRecord, trigger_level) == 16);
static_assert(offsetof(InstanceRecord, ez_aim) == 24);
static_assert(offsetof(InstanceRecord, position) == 28);
static_assert(offsetof(InstanceRecord, point_away) == 52);
static_assert(offsetof(InstanceRecord, aim_a) == 56);
static_assert(offsetof(InstanceRecord, aim_b) == 64);
static_assert(offsetof(InstanceRecord, roll) == 72);
static_assert(offsetof(InstanceRecord, post_scale) == 80);
static_assert(offsetof(InstanceRecord, brightness) == 88);
static_assert(offsetof(InstanceRecord, defocus) == 96);
static_assert(offsetof(InstanceRecord, mask_id) == 104);

// Trigger level of a firing instance; consumers treat below 0.01 as silent.
inline constexpr double kInstanceFiringLevel = 0.4;
// "Roll" in the record carries the barrel's fixed turn: half a turn plus
// 13 degrees.
inline double InstanceRecordRoll(double roll_radians) {
  return roll_radians + 3.141592653589793 + 0.22689280275926285;
}
