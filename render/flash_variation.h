// What the Render effect derives for one firing instance at one frame: the
// firing energy, the eased brightness and its jitter, the colour factor, the
// shape scale, the profile variant and blend weight, the spark count, and the
// petal choices. Everything here is a pure function of the instance record,
// its design, the instance's slot and the frame time, so a frame renders the
// same way every time and a host can show the values without drawing.
#pragma once
#include <cstdint>

#include "AE_Effect.h"
#include "flash/flash_design.h"
#include "flash/noise_field.h"
#include "instance/instance_record.h"

namespace vlam {

// Noise phase of instance slot k.
double InstanceNoisePhase(int k);

// The instance's randomiser: the reference noise at row (time + seed) x
// 1.372490586, `time` in the host's time units.
NoiseField MakeInstanceRandomiser(A_long currentTime, std::int32_t randomSeed);

struct FlashVariation {
  double noisePhase;        // t
  double energy;            // e, 0.4 without randomness
  double easedBrightness;   // 1 + sin(brightness x pi/2 - pi/2)
  double brightnessJitter;  // j
  double colourFactor;      // max(0.25 (j + eased brightness), 0)
  PF_PixelFloat mainColour; // the design's colour x colour factor
  double shapeScale;        // s
  std::int32_t variant;     // 0-2: which built-in main profile blends in
  double blendWeight;       // weight of that profile (set-blend caps it at 1)
  std::int32_t sparkCount;
};

FlashVariation DeriveFlashVariation(const InstanceRecord &instance, const FlashDesign &design,
                                    int k, const NoiseField &randomiser);

// As above with the randomiser made for `currentTime`.
FlashVariation DeriveFlashVariation(const InstanceRecord &instance, const FlashDesign &design,
                                    int k, A_long currentTime);

// The displacement noise of the main shape: the seed's permutation, offset by
// the frame's evolution, frequencies and amplitudes from the design scaled by
// the energy and the randomness.
NoiseField MakeDisplacementField(const InstanceRecord &instance, const FlashDesign &design,
                                 double energy, double evolution);

// The petals' variation of that field: finer and calmer.
NoiseField PetalDisplacementField(const NoiseField &mainField);

// Displacement octave weights and frequencies for a design's complexity.
struct OctaveTables {
  double weight[4];
  double freq[4];
};
OctaveTables MakeOctaveTables(double complexity);

// Values shared by all petals of one firing.
struct PetalSettings {
  double start;              // p: where the petals begin along their length
  double keepThreshold;      // q: a petal whose noise exceeds it is skipped
  double widthJitterScale;   // w
  bool randomised;
};
PetalSettings DerivePetalSettings(const FlashDesign &design, double randomness, double noisePhase,
                                  const NoiseField &randomiser);

// The choices for petal i.
struct PetalChoice {
  bool skip;
  bool jitter;           // whether the petal's length is jittered
  double lengthJitter;   // slices added to the base length
  double blendWeight;    // weight of the built-in petal profile
};
PetalChoice DerivePetalChoice(const PetalSettings &settings, const FlashDesign &design,
                              double randomness, double noisePhase, int i,
                              const NoiseField &randomiser);

}  // namespace vlam
