#include "render/flash_variation.h"

#include <algorithm>
#include <cmath>

namespace vlam {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

PF_PixelFloat ScaledColour(const PF_PixelFloat &c, double factor) {
  return PF_PixelFloat{static_cast<float>(c.alpha * factor), static_cast<float>(c.red * factor),
                       static_cast<float>(c.green * factor), static_cast<float>(c.blue * factor)};
}

}  // namespace

double InstanceNoisePhase(int k) {
  const double kd = k;
  return (kd * 0.0036499782556742894 + 3.5527031628867825) + kd;
}

NoiseField MakeInstanceRandomiser(A_long currentTime, std::int32_t randomSeed) {
  const double a = static_cast<double>(static_cast<std::int64_t>(currentTime) + randomSeed);
  return NoiseField::MakeReference(a, 1.372490586);
}

FlashVariation DeriveFlashVariation(const InstanceRecord &instance, const FlashDesign &design,
                                    int k, const NoiseField &randomiser) {
  FlashVariation v{};
  const double r = instance.randomness;
  const double t = InstanceNoisePhase(k);
  v.noisePhase = t;

  v.energy = 0.4;
  if (r > 0.0) {
    const double n = std::fabs(randomiser.N1(t * 189.236754));
    const double m = design.shapeRandomisation * r;
    v.energy = ((1.0 - n) * 0.33 + n * 0.5) * m + (1.0 - m) * 0.4;
  }
  v.easedBrightness = 1.0 + std::sin(instance.brightness * kHalfPi - kHalfPi);
  v.brightnessJitter = randomiser.N1(t * 971.856243) * design.brightnessRandomisation * 0.65 * r;
  v.colourFactor = std::max(0.25 * (v.brightnessJitter + v.easedBrightness), 0.0);
  v.mainColour = ScaledColour(design.flashColour, v.colourFactor);
  v.shapeScale = 1.0 + randomiser.N1(t * 347.612958) * design.shapeRandomisationScaled * r;

  v.variant = randomiser.Int(t * 135.246879, 2);
  const double u = randomiser.N01(t * 816.742593);
  v.blendWeight = design.shapeRandomisation * (0.15 * (1.0 - u) + 0.65 * u) * r;
  v.sparkCount = randomiser.Int(t * 973.108934, design.maxSparks);
  return v;
}

FlashVariation DeriveFlashVariation(const InstanceRecord &instance, const FlashDesign &design,
                                    int k, A_long currentTime) {
  return DeriveFlashVariation(instance, design, k,
                              MakeInstanceRandomiser(currentTime, instance.randomSeed));
}

NoiseField MakeDisplacementField(const InstanceRecord &instance, const FlashDesign &design,
                                 double energy, double evolution) {
  NoiseField field = NoiseField::MakeSeeded(static_cast<std::uint32_t>(instance.randomSeed));
  field.row = evolution;
  // A weaker flash is smoother and less displaced.
  const bool weak = energy <= 0.4;
  field.baseFreq = weak ? design.baseFrequency * (5.0 - 10.0 * energy) : design.baseFrequency;
  field.octaveAmp = weak ? design.displacementAmount * 2.5 * energy : design.displacementAmount;
  field.largeAmp = instance.randomness * 3.0 * design.displacementAmount;
  field.largeFreq = 0.05;
  return field;
}

NoiseField PetalDisplacementField(const NoiseField &mainField) {
  NoiseField field = mainField;
  field.baseFreq *= 1.5;
  field.octaveAmp *= 0.85;
  field.largeAmp *= 0.5;
  field.largeFreq *= 1.5;
  return field;
}

OctaveTables MakeOctaveTables(double x) {
  return OctaveTables{{1.0, 5.0 * x + 5.0 * (1.0 - x), 5.5, 5.0 * x + 1.9 * (1.0 - x)},
                      {1.0, 2.3, 8.2 * x + 4.6 * (1.0 - x), 14.4 * x + 9.2 * (1.0 - x)}};
}

PetalSettings DerivePetalSettings(const FlashDesign &design, double r, double t,
                                  const NoiseField &randomiser) {
  const double pr = design.petalRandomisation;
  PetalSettings s{};
  s.start = randomiser.N01(t * 215.3948067) * pr * 0.4 * r;
  // Above 0.75 petal randomisation an ever larger share of petals drops out.
  if (pr < 0.75) {
    s.keepThreshold = 1.0;
  } else if (pr > 1.0) {
    s.keepThreshold = 0.995;
  } else {
    s.keepThreshold = 1.0 - (pr - 0.75) * 0.020000000000000018;
  }
  s.widthJitterScale = pr * 12.0;
  s.randomised = pr * r > 1e-7;
  return s;
}

PetalChoice DerivePetalChoice(const PetalSettings &settings, const FlashDesign &design, double r,
                              double t, int i, const NoiseField &randomiser) {
  PetalChoice c{};
  if (settings.randomised) {
    if (randomiser.N01(t * 183.247596 + i) > settings.keepThreshold) {
      c.skip = true;
      return c;
    }
    c.jitter = true;
    c.lengthJitter = randomiser.N1(t * 17.32608495 + i) * settings.widthJitterScale;
  }
  const double pr = design.petalRandomisation;
  const double u = randomiser.N01(i + t * 816.742593);
  c.blendWeight = (0.25 * pr * (1.0 - u) + pr * u) * r;
  return c;
}

}  // namespace vlam
