#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <set>
#include <tuple>
#include <vector>

#include "frame/vec3f.h"
#include "render/flash_drawing.h"
#include "render/flash_variation.h"
#include "render/frame_values.h"
#include "render/render_host_support.h"

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
TEST_F(FlashVariationTest, WithoutRandomnessNothingVariesButTheSparkCountAndBrightnessIsEased) {
  RandomiseEverything();
  instance.randomness = 0.0;
  std::set<std::int32_t> sparkCounts;
  for (A_long time = 0; time < 40 * 2; time += 2) {
    const FlashVariation v = DeriveFlashVariation(instance, design, 0, time);
    EXPECT_EQ(std::vector<double>({v.energy, v.shapeScale, v.brightnessJitter, v.blendWeight}),
              std::vector<double>({0.4, 1.0, 0.0, 0.0}));
    const NoiseField randomiser = MakeInstanceRandomiser(time, instance.randomSeed);
    const PetalSettings petals = DerivePetalSettings(design, 0.0, v.noisePhase, randomiser);
    EXPECT_EQ(std::tuple(petals.randomised, petals.start), std::tuple(false, 0.0));
    for (int i = 0; i < 8; ++i) {
      const PetalChoice c = DerivePetalChoice(petals, design, 0.0, v.noisePhase, i, randomiser);
      EXPECT_EQ(std::tuple(c.skip, c.jitter, c.blendWeight), std::tuple(false, false, 0.0));
    }
    sparkCounts.insert(v.sparkCount);
  }
  EXPECT_GT(sparkCounts.size(), 3u);

  design.maxSparks = 0;
  instance.randomness = 1.0;
  for (A_long time = 0; time < 50; ++time)
    EXPECT_EQ(DeriveFlashVariation(instance, design, 1, time).sparkCount, 0);

  // Easing: half brightness gives less than half; beyond 100 % it rises again
  // up to 2 at 200 %. Without randomness the colour factor is a quarter of it.
  instance.randomness = 0.0;
  const double cases[][2] = {{1.0, 1.0}, {0.0, 0.0}, {0.5, 1.0 - std::sqrt(0.5)}, {2.0, 2.0}};
  for (const auto &[brightness, eased] : cases) {
    instance.brightness = brightness;
    const FlashVariation v = DeriveFlashVariation(instance, design, 0, 48);
    EXPECT_NEAR(v.easedBrightness, eased, 1e-12) << brightness;
    EXPECT_NEAR(v.colourFactor, 0.25 * eased, 1e-12) << brightness;
    EXPECT_NEAR(v.mainColour.alpha, 0.25 * eased, 1e-6) << brightness;
    EXPECT_NEAR(v.mainColour.green, 0.25 * eased * 186.0 / 255.0, 1e-6) << brightness;
  }
}

// Randomised values stay in their ranges and their spread from the calm value
// grows in proportion to the randomness.
TEST_F(FlashVariationTest, RandomisedValuesStayInTheirRangesAndScaleWithTheRandomness) {
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
      energyVaries |= v.energy != 0.4;
      const double ranges[][3] = {{v.energy, 0.33, 0.5},
                                  {v.shapeScale, 1.0 - 100.0 / 750.0, 1.0 + 100.0 / 750.0},
                                  {v.brightnessJitter, -0.65, 0.65},
                                  {v.colourFactor, 0.0, 1e9},
                                  {v.blendWeight, 0.15, 0.65},
                                  {static_cast<double>(v.sparkCount), 0.0, 40.0}};
      for (const auto &[value, low, high] : ranges)
        ASSERT_TRUE(value >= low - 1e-12 && value <= high + 1e-12) << &value - &ranges[0][0];
      variants.insert(v.variant);
    }
  }
  EXPECT_TRUE(energyVaries && brightnessVaries);
  EXPECT_EQ(variants, (std::set<std::int32_t>{0, 1, 2}));
}

TEST_F(FlashVariationTest, AWeakerFiringIsCoarserAndCalmerAndPetalsDropOutAboveThreeQuarters) {
  const NoiseField full = MakeDisplacementField(instance, design, 0.4, 7.0);
  const NoiseField weak = MakeDisplacementField(instance, design, 0.34, 7.0);
  const NoiseField strong = MakeDisplacementField(instance, design, 0.48, 7.0);
  EXPECT_EQ(std::tuple(full.baseFreq, full.octaveAmp), std::tuple(0.01, 3.2));  // formulas meet
  EXPECT_TRUE(weak.baseFreq > full.baseFreq && weak.octaveAmp < full.octaveAmp);
  EXPECT_EQ(std::tuple(strong.baseFreq, strong.octaveAmp),
            std::tuple(full.baseFreq, full.octaveAmp));
  // The permutation is the instance seed's, the offset the frame's evolution.
  const NoiseField seeded = NoiseField::MakeSeeded(1024);
  EXPECT_TRUE(std::equal(std::begin(full.perm), std::end(full.perm), std::begin(seeded.perm)));
  EXPECT_EQ(full.row, 7.0);

  const NoiseField randomiser = MakeInstanceRandomiser(0, 1);
  const double thresholds[][2] = {{0.5, 1.0}, {0.75, 1.0}, {0.875, 0.9975}, {1.0, 0.995},
                                  {1.2, 0.995}};
  for (const auto &[pr, q] : thresholds) {
    design.petalRandomisation = pr;
    const PetalSettings s = DerivePetalSettings(design, 1.0, 3.5, randomiser);
    EXPECT_NEAR(s.keepThreshold, q, 1e-15) << pr;
    EXPECT_DOUBLE_EQ(s.widthJitterScale, pr * 12.0);
    EXPECT_TRUE(s.randomised && s.start >= 0.0 && s.start <= pr * 0.4) << pr;
  }
  // With a threshold of 1 no unsigned noise can exceed it.
  design.petalRandomisation = 0.5;
  const PetalSettings keep = DerivePetalSettings(design, 1.0, 3.5, randomiser);
  for (int i = 0; i < 200; ++i) {
    const PetalChoice c = DerivePetalChoice(keep, design, 1.0, 3.5 + i * 0.37, i % 8, randomiser);
    ASSERT_TRUE(!c.skip && c.jitter && std::fabs(c.lengthJitter) <= 6.0) << i;
    ASSERT_TRUE(c.blendWeight >= 0.125 - 1e-12 && c.blendWeight <= 0.5 + 1e-12) << i;
  }
}

// Displacement complexity blends the octave weights and frequencies between
// their simple (0) and complex (1) ends: the simple end and the middle pin both.
TEST(FrameValuesTest, OctaveTablesPixelAspectDownsampleEvolutionAndThreads) {
  const std::pair<double, OctaveTables> cases[] = {
      {0.0, {{1.0, 5.0, 5.5, 1.9}, {1.0, 2.3, 4.6, 9.2}}},
      {0.5, {{1.0, 5.0, 5.5, 3.45}, {1.0, 2.3, 6.4, 11.8}}}};
  for (const auto& [x, expected] : cases) {
    const OctaveTables t = MakeOctaveTables(x);
    for (int k = 0; k < 4; ++k) {
      EXPECT_DOUBLE_EQ(t.weight[k], expected.weight[k]) << x << " " << k;
      EXPECT_DOUBLE_EQ(t.freq[k], expected.freq[k]) << x << " " << k;
    }
  }

  // Non-square pixels widen the buffer and broken ratios count as one;
  // evolution counts whole frames.
  PF_InData in{};
  std::tie(in.width, in.height, in.pixel_aspect_ratio, in.downsample_x, in.downsample_y) =
      std::tuple(100, 50, PF_RationalScale{3, 2}, PF_RationalScale{1, 1}, PF_RationalScale{1, 4});
  EXPECT_EQ(ComputeFrameValues(in).worldWidth, 150);  // the finer of the two downsamples
  in.pixel_aspect_ratio = in.downsample_x = in.downsample_y = {3, 0};
  const FrameValues v = ComputeFrameValues(in);
  EXPECT_EQ(std::tuple(v.pixelAspect, v.downsample, v.worldWidth), std::tuple(1.0, 1.0, 100));

  std::tie(in.current_time, in.time_step) = std::tuple(7, 2);
  EXPECT_EQ(FrameEvolution(in, 1.5), 4.5);
  in.time_step = 0;
  EXPECT_EQ(std::tuple(FrameEvolution(in, 1.5), RenderThreadCount(0), RenderThreadCount(4)),
            std::tuple(0.0, -1, 4));
}

constexpr double kPi = 3.141592653589793;

Vec3f Apply(const Matrix4 &m, double x, double y, double z) {
  Vec3f p;
  p.Set(x, y, z);
  p.Transform(m);
  return p;
}

// Expects the point near (x, y, z) within `tolerance`; a NaN coordinate is
// not checked.
void ExpectAt(const Vec3f &p, double x, double y, double z, double tolerance = 1e-3) {
  const double got[] = {p.x, p.y, p.z}, want[] = {x, y, z};
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(std::isnan(want[i]) || std::fabs(got[i] - want[i]) <= tolerance)
        << "coordinate " << i << " is " << got[i] << ", not " << want[i];
}
constexpr double kAny = std::numeric_limits<double>::quiet_NaN();

TEST(InstancePlacement, FlashAxisAndPetalFramesAreAnchoredAtTheMuzzleTurnedThenMoved) {
  DesignStorage storage;
  FlashDesign design = DefaultDesign(storage);
  RenderFrame frame;
  frame.values.pixelAspect = 1.0;
  frame.values.centreX = 100.0;
  frame.values.centreY = 50.0;
  // The host's default camera over a 200 x 100 layer: no turn, centred, at
  // the default lens's distance.
  Matrix4 host = Matrix4::Identity();
  host.At(3, 0) = 100.0;
  host.At(3, 1) = 50.0;
  host.At(3, 2) = -200.0 * 141.7325 / 102.0474;
  frame.camera = MakeCompCamera(200.0, 100.0, 1.0, 1.0, &host, true);
  frame.viewRotation = ViewRotation(frame.camera);
  frame.viewTranslation = ViewTranslation(frame.camera);
  InstanceRecord instance = FiringInstance(130.0, 40.0);
  instance.position[2] = 25.0;
  instance.roll = 0.3;  // turns about the flash axis only
  const Matrix4 m = InstanceToCamera(frame, instance);
  const double depth = 200.0 * 141.7325 / 102.0474;

  ExpectAt(Apply(m, 0, 0, 0), 30.0, -10.0, 25.0 + depth);
  ExpectAt(Apply(m, 10, 0, 0), 40.0, -10.0, kAny);

  // Sweep a quarter turn: Ry turns the axis from +x to -z.
  instance.aimA = kPi / 2.0;
  ExpectAt(Apply(InstanceToCamera(frame, instance), 10, 0, 0), 30.0, kAny, 25.0 + depth - 10.0);
  // Tilt a quarter turn: Rz turns it from +x to +y.
  instance.aimA = 0.0;
  instance.aimB = kPi / 2.0;
  ExpectAt(Apply(InstanceToCamera(frame, instance), 10, 0, 0), 30.0, 0.0, kAny);

  // Non-square pixels widen the horizontal offset.
  frame.values.pixelAspect = 2.0;
  EXPECT_NEAR(Apply(InstanceToCamera(frame, FiringInstance(130.0, 40.0)), 0, 0, 0).x, 60.0, 1e-3);

  // The muzzle is anchored where its position meets the layer plane.
  frame.values.pixelAspect = 1.0;
  for (double z : {0.0, 150.0, -120.0}) {
    InstanceRecord at = FiringInstance(130.0, 40.0);
    at.position[2] = z;
    const CompCamera camera = AnchoredCamera(frame, at);
    const CameraProjection start = Project(camera, Apply(InstanceToCamera(frame, at), 0, 0, 0));
    // Under the default camera a point on the layer plane projects to its
    // own offset from the layer centre.
    EXPECT_TRUE(std::fabs(start.sx - 30.0) < 1e-3 && std::fabs(start.sy + 10.0) < 1e-3) << z;
    // The shape keeps the scale of its real depth: 10 units along x cover
    // fewer pixels further away.
    const CameraProjection tip = Project(camera, Apply(InstanceToCamera(frame, at), 10, 0, 0));
    const double span = tip.sx - start.sx;
    EXPECT_EQ(std::tuple(span < 10.0 - 1e-3, span > 10.0 + 1e-3), std::tuple(z > 0, z < 0)) << z;
  }
  // The frame's own camera is left as it was.
  EXPECT_EQ(frame.camera.offsetX, 0.0f);

  // Petal frames move out, turn about Z, then about X, then move again.
  const double s = 2.0;
  design.barrelRadius = 8.0;
  design.horizontalOffset = -20.0;
  // No turn about X at this angle, none about Z at petal angle 0.
  design.petalAngle = 0.0;
  ExpectAt(Apply(PetalMatrix(design, s, 2.91469985083053), 0, 0, 0), (8.0 - 20.0) / s, 0.0, kAny,
           1e-6);

  // A quarter turn about Z takes the first offset onto y, then a quarter
  // turn about X takes y onto z; the second offset is added last.
  design.petalAngle = kPi / 2.0;
  ExpectAt(Apply(PetalMatrix(design, s, 2.91469985083053 - kPi / 2.0), 0, 0, 0), -20.0 / s, 0.0,
           8.0 / s, 1e-6);
}

}  // namespace
}  // namespace vlam_render_test
