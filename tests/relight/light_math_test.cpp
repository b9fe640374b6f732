#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "relight/light_list.h"
#include "relight/relight_geometry.h"
#include "relight/relight_pixels.h"

namespace {

using vlam::ExchangeBlock;
using vlam::InstanceRecord;

constexpr PF_PixelFloat kC1{1.0f, 0.8f, 0.4f, 0.2f};

// Flash colour, spread 10, gain 100 %, ambient 15 %, a quarter-size buffer
// of a 40 x 20 layer of square pixels.
vlam::LightSettings Defaults() {
  return {true, PF_PixelFloat{1.0f, 1.0f, 0.75f, 0.25f}, 10, 100, 15, 0.25, 1, 20, 10};
}

struct BlockBuilder {
  ExchangeBlock block;
  BlockBuilder() { std::memset(static_cast<void *>(&block), 0, sizeof block); }
  void Design(int slot, const PF_PixelFloat &colour) {
    block.table.designs[slot].valid = 1;
    block.table.designs[slot].mainDiameter = 100.0;
    block.table.designs[slot].flashColour = colour;
  }
  InstanceRecord &Instance(std::uint32_t design, double trigger) {
    InstanceRecord &r = block.instances[block.table.instanceCount++];
    r.designIndex = design;
    r.triggerLevel = trigger;
    r.brightness = 1.0;
    r.position[0] = 30;
    r.position[1] = 4;
    r.position[2] = 99;
    return r;
  }
};

// The light level's factor across the trigger range. One firing instance
// scales its colour and the ambient (two lights' running ambient is checked
// through the render); gain, brightness, pixel aspect and the relight colour
// apply.
TEST(LightList, LevelFactorColourAmbientPositionAndDiameterOfEachLight) {
  const double cases[][2] = {{-1.0, 1.5}, {0.0, 1.5},  {0.2, 1.125},
                             {0.4, 0.75}, {0.75, 0.0}, {0.8, 0.0}};
  for (const auto &[level, factor] : cases)
    EXPECT_NEAR(vlam::LightLevelFactor(level), factor, 1e-12) << level;

  BlockBuilder b;
  b.Design(0, kC1);
  b.Instance(0, 0.4);
  const vlam::RelightLights lights = vlam::BuildLights(b.block, Defaults());
  ASSERT_EQ(lights.count, 1);
  const vlam::RelightLight &l = lights.lights[0];
  for (int c = 1; c < 4; ++c) EXPECT_FLOAT_EQ((&l.colour.alpha)[c], (&kC1.alpha)[c] * 0.75f) << c;
  EXPECT_FLOAT_EQ(lights.ambient.red, 0.8f * 0.05625f);
  EXPECT_FLOAT_EQ(lights.ambient.blue, 0.2f * 0.05625f);
  EXPECT_FLOAT_EQ(lights.ambient.alpha, 0.05625f);
  // Position from the layer centre, z dropped; diameter = spread x k x D.
  EXPECT_EQ(std::vector<double>(l.position, l.position + 3),
            std::vector<double>({10.0, -6.0, 0.0}));
  EXPECT_EQ(l.diameter, 250);

  {
    BlockBuilder b;
    b.Design(0, kC1);
    b.Instance(0, 0.4).brightness = 0.5;
    vlam::LightSettings s = Defaults();
    s.useFlashColour = false;
    s.gain = 50;
    s.pixelAspect = 2.0;
    const vlam::RelightLights lights = vlam::BuildLights(b.block, s);
    ASSERT_EQ(lights.count, 1);
    EXPECT_FLOAT_EQ(lights.lights[0].colour.green, 0.75f * 50 * 0.5f * 0.01f * 0.75f);
    EXPECT_FLOAT_EQ(lights.ambient.green, 0.75f * 0.05625f);
    EXPECT_DOUBLE_EQ(lights.lights[0].position[0], 20.0);
  }
}

// Quiet instances, invalid and out-of-range designs are skipped, and no slot
// past the sixteenth is read.
TEST(LightList, SkipsQuietInstancesInvalidDesignsAndSlotsPastSixteen) {
  BlockBuilder b;
  b.Design(0, kC1);
  b.Instance(0, 0.009);  // below the threshold
  b.Instance(1, 0.4);    // design slot not valid
  b.Instance(7, 0.4);    // no such design slot
  b.Instance(0, 0.01);
  EXPECT_EQ(vlam::BuildLights(b.block, Defaults()).count, 1);

  // A count above 16 (as a collector that raises it before skipping would
  // leave) must not walk beyond the slots.
  struct Guarded {
    ExchangeBlock block;
    InstanceRecord beyond;
  } g;
  std::memset(static_cast<void *>(&g), 0, sizeof g);
  b.block.table.instanceCount = 0;
  for (int k = 0; k < 16; ++k) b.Instance(0, 0.4);
  g.block = b.block;
  g.block.table.instanceCount = 17;
  g.beyond.triggerLevel = 0.4;  // would light if it were read
  const vlam::RelightLights lights = vlam::BuildLights(g.block, Defaults());
  EXPECT_EQ(lights.count, 16);
  g.block.table.instanceCount = -3;
  EXPECT_EQ(vlam::BuildLights(g.block, Defaults()).count, 0);
}

// Crushing and inverting the matte; a black matte screens with the ambient,
// a white one dodges.
TEST(RelightPixels, CrushInvertTheRelightChannelAndTheBufferGeometry) {
  const float c = static_cast<float>(100 * 0.0033333333333333335);
  EXPECT_EQ(vlam::CrushMatte(0.33f, c, false), 0.0f);
  EXPECT_EQ(vlam::CrushMatte(0.67f, c, false), 1.0f);
  EXPECT_NEAR(vlam::CrushMatte(0.5f, c, false), 0.5f, 1e-5f);
  EXPECT_EQ(vlam::CrushMatte(0.67f, c, true), 0.0f);
  EXPECT_FLOAT_EQ(vlam::CrushMatte(0.3f, 0.0f, false), 0.3f);
  EXPECT_FLOAT_EQ(vlam::CrushMatte(0.3f, 0.0f, true), 0.7f);

  // m = 0: v = P, then P + (1 - P) x G.
  EXPECT_FLOAT_EQ(vlam::RelightChannel(0.25f, 0.8f, 0.0f, 0.1f), 0.25f + 0.75f * 0.1f);
  // m = 1, I >= 0.99: divided by 0.01.
  EXPECT_NEAR(vlam::RelightChannel(0.1f, 1.5f, 1.0f, 0.0f), ((2.5 * 0.1) + 1.5) / 0.01, 1e-3);
  // m = 1, I = 0.5: v = (1.5 P + 0.5) / 0.5.
  EXPECT_FLOAT_EQ(vlam::RelightChannel(0.2f, 0.5f, 1.0f, 0.0f), 0.8f / 0.5f);

  // A quarter of the layer at high quality, a tenth at low quality.
  PF_InData in{};
  in.width = 40;
  in.height = 20;
  in.pixel_aspect_ratio = {1, 1};
  in.downsample_x = {1, 1};
  for (const PF_Quality quality : {PF_Quality_LO, PF_Quality_HI}) {
    in.quality = quality;
    const vlam::RelightGeometry g = vlam::ComputeRelightGeometry(in);
    EXPECT_EQ(g.bufferWidth, quality == PF_Quality_HI ? 10 : 4);
    EXPECT_EQ(g.bufferHeight, quality == PF_Quality_HI ? 5 : 2);
  }
  // trunc(trunc(trunc(40 x 2) x 0.5) x 0.25) by trunc(trunc(20 x 0.5) x 0.25).
  in.downsample_x = {1, 2};
  in.pixel_aspect_ratio = {2, 1};
  vlam::RelightGeometry g = vlam::ComputeRelightGeometry(in);
  EXPECT_EQ(g.bufferWidth, 10);
  EXPECT_EQ(g.bufferHeight, 2);
  EXPECT_DOUBLE_EQ(g.scale, 0.5);
  // A zero denominator from a broken host counts as 1; a tiny layer still
  // gets one pixel.
  in.downsample_x = {1, 0};
  in.width = 3;
  in.height = 3;
  g = vlam::ComputeRelightGeometry(in);
  EXPECT_EQ(g.bufferWidth, 1);
  EXPECT_EQ(g.bufferHeight, 1);
}

}  // namespace
