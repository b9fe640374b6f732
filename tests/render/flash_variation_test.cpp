#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>

#include "render/flash_variation.h"
#include "render/render_host_support.h"
#include "render/frame_values.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

class FlashVariationTest : public ::testing::Test {
 protected:
  DesignStorage storage;
  FlashDesign design = DefaultDesign(storage);
  InstanceRecord instance = FiringInstance(100, 100);

  void RandomiseEverything() {
    design.shapeRandomisation = 1.0;
    design.shapeRandomisationScaled = 100.0 / 750.0;
    design.brightnessRandomisation = 1.0;
    design.petalRandomisation = 1.0;
    design.maxSparks = 40;
  }
};

// Without randomness nothing varies but the spark count; without a maximum
// there are no sparks.
TEST_F(FlashVariationTest, WithoutRandomnessNothingVariesButTheSparkCount) {
  RandomiseEverything();
  instance.randomness = 0.0;
  std::set<std::int32_t> sparkCounts;
  for (A_long time = 0; time < 40 * 2; time += 2) {
    const FlashVariation v = DeriveFlashVariation(instance, design, 0, time);
    EXPECT_EQ(v.energy, 0.4);
    EXPECT_EQ(v.shapeScale, 1.0);
    EXPECT_EQ(v.brightnessJitter, 0.0);
    EXPECT_EQ(v.blendWeight, 0.0);
    const NoiseField randomiser = MakeInstanceRandomiser(time, instance.randomSeed);
    const PetalSettings petals = DerivePetalSettings(design, 0.0, v.noisePhase, randomiser);
    EXPECT_FALSE(petals.randomised);
    EXPECT_EQ(petals.start, 0.0);
    for (int i = 0; i < 8; ++i) {
      const PetalChoice c = DerivePetalChoice(petals, design, 0.0, v.noisePhase, i, randomiser);
      EXPECT_FALSE(c.skip);
      EXPECT_FALSE(c.jitter);
      EXPECT_EQ(c.blendWeight, 0.0);
    }
    sparkCounts.insert(v.sparkCount);
  }
  EXPECT_GT(sparkCounts.size(), 3u);

  design.maxSparks = 0;
  instance.randomness = 1.0;
  for (A_long time = 0; time < 50; ++time) {
    EXPECT_EQ(DeriveFlashVariation(instance, design, 1, time).sparkCount, 0);
  }
}

TEST_F(FlashVariationTest, BrightnessIsEasedIntoTheColourFactor) {
  instance.randomness = 0.0;
  instance.brightness = 1.0;
  FlashVariation v = DeriveFlashVariation(instance, design, 0, 48);
  EXPECT_DOUBLE_EQ(v.easedBrightness, 1.0);
  EXPECT_DOUBLE_EQ(v.colourFactor, 0.25);
  EXPECT_FLOAT_EQ(v.mainColour.alpha, 0.25f);
  EXPECT_FLOAT_EQ(v.mainColour.green, 0.25f * 186.0f / 255.0f);

  instance.brightness = 0.0;
  v = DeriveFlashVariation(instance, design, 0, 48);
  EXPECT_NEAR(v.easedBrightness, 0.0, 1e-15);
  EXPECT_NEAR(v.colourFactor, 0.0, 1e-15);

  // Easing: half brightness gives less than half.
  instance.brightness = 0.5;
  v = DeriveFlashVariation(instance, design, 0, 48);
  EXPECT_NEAR(v.easedBrightness, 1.0 - std::sqrt(0.5), 1e-12);
  // Beyond 100 % it rises again up to 2 at 200 %.
  instance.brightness = 2.0;
  EXPECT_NEAR(DeriveFlashVariation(instance, design, 0, 48).easedBrightness, 2.0, 1e-12);
}

// Randomised values stay in their ranges, their spread from the calm value
// grows in proportion to the randomness, and the seed matters.
TEST_F(FlashVariationTest, RandomisedValuesStayInTheirRangesAndFollowTheSeed) {
  RandomiseEverything();
  std::set<std::int32_t> variants;
  bool energyVaries = false, brightnessVaries = false;
  for (int k = 0; k < 16; ++k) {
    for (A_long time = 0; time < 200; time += 5) {
      instance.randomSeed = 7 * time + k;
      instance.randomness = 0.5;
      const FlashVariation half = DeriveFlashVariation(instance, design, k, time);
      instance.randomness = 1.0;
      const FlashVariation v = DeriveFlashVariation(instance, design, k, time);
      ASSERT_NEAR(half.energy - 0.4, 0.5 * (v.energy - 0.4), 1e-12);
      ASSERT_NEAR(half.brightnessJitter, 0.5 * v.brightnessJitter, 1e-12);
      ASSERT_NEAR(half.shapeScale - 1.0, 0.5 * (v.shapeScale - 1.0), 1e-12);
      brightnessVaries |= v.brightnessJitter != 0.0;
      ASSERT_GE(v.energy, 0.33 - 1e-12);
      ASSERT_LE(v.energy, 0.5 + 1e-12);
      energyVaries |= v.energy != 0.4;
      ASSERT_GE(v.shapeScale, 1.0 - 100.0 / 750.0 - 1e-12);
      ASSERT_LE(v.shapeScale, 1.0 + 100.0 / 750.0 + 1e-12);
      ASSERT_LE(std::fabs(v.brightnessJitter), 0.65 + 1e-12);
      ASSERT_GE(v.colourFactor, 0.0);
      ASSERT_GE(v.blendWeight, 0.15 - 1e-12);
      ASSERT_LE(v.blendWeight, 0.65 + 1e-12);
      ASSERT_GE(v.sparkCount, 0);
      ASSERT_LE(v.sparkCount, 40);
      variants.insert(v.variant);
    }
  }
  EXPECT_TRUE(energyVaries);
  EXPECT_TRUE(brightnessVaries);
  EXPECT_EQ(variants, (std::set<std::int32_t>{0, 1, 2}));

  instance.randomSeed = 1024;
  const double energy = DeriveFlashVariation(instance, design, 3, 96).energy;
  int differing = 0;
  for (std::int32_t seed = 0; seed < 20; ++seed) {
    instance.randomSeed = seed;
    differing += DeriveFlashVariation(instance, design, 3, 96).energy != energy;
  }
  EXPECT_GT(differing, 10);
}

TEST_F(FlashVariationTest, AWeakerFiringIsCoarserAndCalmer) {
  const NoiseField full = MakeDisplacementField(instance, design, 0.4, 7.0);
  const NoiseField weak = MakeDisplacementField(instance, design, 0.34, 7.0);
  const NoiseField strong = MakeDisplacementField(instance, design, 0.48, 7.0);
  EXPECT_DOUBLE_EQ(full.baseFreq, 0.01);  // both formulas meet at 0.4
  EXPECT_DOUBLE_EQ(full.octaveAmp, 3.2);
  EXPECT_GT(weak.baseFreq, full.baseFreq);
  EXPECT_LT(weak.octaveAmp, full.octaveAmp);
  EXPECT_EQ(strong.baseFreq, full.baseFreq);
  EXPECT_EQ(strong.octaveAmp, full.octaveAmp);
  // The permutation is the instance seed's, the offset the frame's evolution.
  const NoiseField seeded = NoiseField::MakeSeeded(1024);
  EXPECT_TRUE(std::equal(std::begin(full.perm), std::end(full.perm), std::begin(seeded.perm)));
  EXPECT_EQ(full.row, 7.0);
}

TEST_F(FlashVariationTest, PetalsDropOutOnlyAboveThreeQuartersRandomisation) {
  const NoiseField randomiser = MakeInstanceRandomiser(0, 1);
  const double thresholds[][2] = {{0.5, 1.0}, {0.75, 1.0}, {0.875, 0.9975}, {1.0, 0.995},
                                  {1.2, 0.995}};
  for (const auto &[pr, q] : thresholds) {
    design.petalRandomisation = pr;
    const PetalSettings s = DerivePetalSettings(design, 1.0, 3.5, randomiser);
    EXPECT_NEAR(s.keepThreshold, q, 1e-15) << pr;
    EXPECT_DOUBLE_EQ(s.widthJitterScale, pr * 12.0);
    EXPECT_TRUE(s.randomised);
    EXPECT_GE(s.start, 0.0);
    EXPECT_LE(s.start, pr * 0.4);
  }
  // With a threshold of 1 no unsigned noise can exceed it.
  design.petalRandomisation = 0.5;
  const PetalSettings keep = DerivePetalSettings(design, 1.0, 3.5, randomiser);
  for (int i = 0; i < 200; ++i) {
    const PetalChoice c = DerivePetalChoice(keep, design, 1.0, 3.5 + i * 0.37, i % 8, randomiser);
    ASSERT_FALSE(c.skip);
    ASSERT_TRUE(c.jitter);
    ASSERT_LE(std::fabs(c.lengthJitter), 6.0);
    ASSERT_GE(c.blendWeight, 0.125 - 1e-12);
    ASSERT_LE(c.blendWeight, 0.5 + 1e-12);
  }
}

// Displacement complexity blends the octave weights and frequencies between
// their simple (0) and complex (1) ends.
TEST(OctaveTablesTest, ComplexityBlendsBetweenTheEnds) {
  const struct { double x; OctaveTables expected; } cases[] = {
      {0.0, {{1.0, 5.0, 5.5, 1.9}, {1.0, 2.3, 4.6, 9.2}}},
      {0.5, {{1.0, 5.0, 5.5, 3.45}, {1.0, 2.3, 6.4, 11.8}}},
      {1.0, {{1.0, 5.0, 5.5, 5.0}, {1.0, 2.3, 8.2, 14.4}}}};
  for (const auto& [x, expected] : cases) {
    const OctaveTables t = MakeOctaveTables(x);
    for (int k = 0; k < 4; ++k) {
      EXPECT_DOUBLE_EQ(t.weight[k], expected.weight[k]) << x << " " << k;
      EXPECT_DOUBLE_EQ(t.freq[k], expected.freq[k]) << x << " " << k;
    }
  }
}

// Non-square pixels widen the buffer and broken ratios count as one;
// evolution counts whole frames.
TEST(FrameValuesTest, PixelAspectDownsampleEvolutionAndThreads) {
  PF_InData in{};
  in.width = 100;
  in.height = 50;
  in.pixel_aspect_ratio = {3, 2};
  in.downsample_x = {1, 1};
  in.downsample_y = {1, 4};
  EXPECT_EQ(ComputeFrameValues(in).worldWidth, 150);  // the finer of the two downsamples
  in.pixel_aspect_ratio = {3, 0};
  in.downsample_x = {1, 0};
  in.downsample_y = {1, 0};
  const FrameValues v = ComputeFrameValues(in);
  EXPECT_EQ(v.pixelAspect, 1.0);
  EXPECT_EQ(v.downsample, 1.0);
  EXPECT_EQ(v.worldWidth, 100);

  in.current_time = 7;
  in.time_step = 2;
  EXPECT_EQ(FrameEvolution(in, 1.5), 4.5);
  in.time_step = 0;
  EXPECT_EQ(FrameEvolution(in, 1.5), 0.0);
  EXPECT_EQ(RenderThreadCount(0), -1);
  EXPECT_EQ(RenderThreadCount(4), 4);
}

}  // namespace
}  // namespace vlam_render_test
