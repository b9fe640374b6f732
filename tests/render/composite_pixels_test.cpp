#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "render/composite_pixels.h"
#include "render/flash_rect.h"
#include "render/glow_pass.h"
#include "render/post_passes.h"
#include "render/render_globals.h"
#include "render/render_param_ids.h"
#include "render/tone_table.h"

namespace {

using namespace vlam;

TEST(ToneIndexTest, StaysInsideTheTableForAnyValue) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ToneIndex(-0.5f, 2048, 4.0f), 0);
  EXPECT_EQ(ToneIndex(-inf, 2048, 4.0f), 0);
  EXPECT_EQ(ToneIndex(nan, 2048, 4.0f), 0);
  EXPECT_EQ(ToneIndex(-nan, 2048, 4.0f), 0);
  EXPECT_EQ(ToneIndex(inf, 2048, 4.0f), 2047);
  EXPECT_EQ(ToneIndex(1e30f, 2048, 4.0f), 2047);
  EXPECT_EQ(ToneIndex(4.0f, 2048, 4.0f), 2047);
  // trunc(value / 4 x 2047) inside the range.
  EXPECT_EQ(ToneIndex(1.0f, 2048, 4.0f), 511);
  EXPECT_EQ(ToneIndex(0.25f, 2048, 4.0f), 127);
  EXPECT_EQ(ToneIndex(0.0f, 2048, 4.0f), 0);
}

class PixelFunctionTest : public ::testing::Test {
 protected:
  std::vector<float> tone = std::vector<float>(kToneTableSize);
  CompositeSettings settings;
  PF_PixelFloat noGrain{0, 0, 0, 0};

  PixelFunctionTest() {
    BuildToneTable(tone.data(), kToneTableSize);
    settings.toneTable = tone.data();
    settings.toneSize = kToneTableSize;
  }
  PF_PixelFloat Run(A_long mode, PF_PixelFloat flash, PF_PixelFloat out) {
    PixelFunctionFor(mode)(settings, flash, noGrain, out);
    return out;
  }
};

// Add over black shows the light unchanged; luma premultiplied hides the
// background under bright light; modes outside the list composite nothing.
TEST_F(PixelFunctionTest, AddLumaPremultipliedAndModesOutsideTheList) {
  const PF_PixelFloat light{1.0f, 2.5f, 0.75f, 0.125f};
  const PF_PixelFloat out = Run(kCompositeAdd, light, PF_PixelFloat{1.0f, 0, 0, 0});
  EXPECT_EQ(out.red, light.red);
  EXPECT_EQ(out.green, light.green);
  EXPECT_EQ(out.blue, light.blue);

  const PF_PixelFloat r =
      Run(kCompositeLumaPremultiplied, PF_PixelFloat{1, 1, 1, 1}, PF_PixelFloat{1, 0.5f, 0.2f, 0.7f});
  EXPECT_NEAR(r.red, 1.0f, 1e-6f);
  EXPECT_NEAR(r.blue, 1.0f, 1e-6f);
  const PF_PixelFloat half =
      Run(kCompositeLumaPremultiplied, PF_PixelFloat{1, 0, 0, 0}, PF_PixelFloat{1, 0.5f, 0.2f, 0.7f});
  EXPECT_EQ(half.red, 0.5f);  // no light: the background as it was

  EXPECT_EQ(PixelFunctionFor(0), nullptr);
  EXPECT_EQ(PixelFunctionFor(5), nullptr);
  EXPECT_NE(PixelFunctionFor(kCompositeNormalised), nullptr);
}

TEST_F(PixelFunctionTest, ScreenStaysWithinZeroToOneWhereBothInputsDo) {
  const float steps[] = {0.0f, 0.1f, 0.37f, 0.5f, 0.93f, 1.0f};
  for (float f : steps)
    for (float o : steps) {
      const PF_PixelFloat r =
          Run(kCompositeScreen, PF_PixelFloat{1, f, o, f}, PF_PixelFloat{0.5f, o, f, 1.0f});
      for (float v : {r.red, r.green, r.blue}) {
        EXPECT_GE(v, 0.0f) << f << " " << o;
        EXPECT_LE(v, 1.0f) << f << " " << o;
      }
      EXPECT_GE(r.red, o);  // screen never darkens
    }
}

// Normalised at full brightness has no tint, leans towards the design colour
// below it, and survives light outside the table.
TEST_F(PixelFunctionTest, NormalisedTintsBelowFullBrightnessAndSurvivesAnyLight) {
  const PF_PixelFloat design{1.0f, 1.0f, 0.6f, 0.1f};
  NormalisedTint(design, 1.0f, settings.tintRed, settings.tintBlue);
  EXPECT_EQ(settings.tintRed, 0.0f);
  EXPECT_EQ(settings.tintBlue, 0.0f);
  settings.maxBrightness = 1.0f;
  // Grey light stays grey: equal channels in, equal channels out.
  const PF_PixelFloat r = Run(kCompositeNormalised, PF_PixelFloat{1, 2, 2, 2}, PF_PixelFloat{1, 0, 0, 0});
  EXPECT_EQ(r.red, r.green);
  EXPECT_EQ(r.blue, r.green);
  EXPECT_EQ(r.green, tone[ToneIndex(2.0f, kToneTableSize, 4.0f)]);

  // Below full brightness bright grey light leans towards the design colour.
  settings.maxBrightness = 0.8f;
  NormalisedTint(design, 0.8f, settings.tintRed, settings.tintBlue);
  EXPECT_NEAR(settings.tintRed, 0.4f * 0.2f, 1e-6f);
  const PF_PixelFloat tinted =
      Run(kCompositeNormalised, PF_PixelFloat{1, 2, 2, 2}, PF_PixelFloat{1, 0, 0, 0});
  EXPECT_GT(tinted.red, tinted.green);
  EXPECT_LT(tinted.blue, tinted.green);

  settings.maxBrightness = 0.95f;
  settings.tintRed = settings.tintBlue = 0.0f;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const PF_PixelFloat wild =
      Run(kCompositeNormalised, PF_PixelFloat{1, -3.0f, nan, 1e9f}, PF_PixelFloat{1, 0.2f, 0.2f, 0.2f});
  EXPECT_TRUE(std::isfinite(wild.red));
  EXPECT_TRUE(std::isfinite(wild.green));
  EXPECT_TRUE(std::isfinite(wild.blue));
  // The blue channel saturates the tone curve: 0.95 x 1 plus its share of luma.
  EXPECT_GE(wild.blue, 0.95f * 1.0f * 0.999f);
}

TEST_F(PixelFunctionTest, GrainMovesLightByTheGrainDeviation) {
  PF_PixelFloat p{1, 0.5f, 0.5f, 0.5f};
  // A mid-grey grain pixel changes nothing.
  ApplyGrain(p, PF_PixelFloat{1, 0.5f, 0.5f, 0.5f}, 2.0f, 1.0f);
  EXPECT_EQ(p.red, 0.5f);
  // d = (1 - 0.5) x 2 x 1 = 1: v + d - v d = 1.
  ApplyGrain(p, PF_PixelFloat{1, 1.0f, 0.5f, 0.0f}, 2.0f, 1.0f);
  EXPECT_FLOAT_EQ(p.red, 1.0f);
  EXPECT_FLOAT_EQ(p.green, 0.5f);
  EXPECT_FLOAT_EQ(p.blue, 0.0f);
  // A negative l stands for the pixel's own luma: black light gets no grain.
  PF_PixelFloat dark{1, 0, 0, 0};
  ApplyGrain(dark, PF_PixelFloat{1, 1, 1, 1}, 2.0f, -1.0f);
  EXPECT_EQ(dark.red, 0.0f);
}

TEST(GlowBrightnessTest, SoftStartBelowARadiusOfTwenty) {
  EXPECT_DOUBLE_EQ(GlowStartBrightness(20.0, 10.0), 0.04);
  EXPECT_DOUBLE_EQ(GlowStartBrightness(200.0, 10.0), 0.04);
  EXPECT_DOUBLE_EQ(GlowStartBrightness(10.0, 10.0), 0.75 * 0.04);
  EXPECT_DOUBLE_EQ(GlowStartBrightness(0.0, 10.0), 0.0);
}

TEST(ShutterScalesTest, MotionBlurOffStillZooms) {
  PF_InData in{};
  const ShutterScales off = ComputeShutterScales(in);
  EXPECT_DOUBLE_EQ(off.start, 1.0 - 0.2 * 0.0625);
  EXPECT_DOUBLE_EQ(off.end, 1.0 + 0.2 * 0.0625);
  EXPECT_DOUBLE_EQ(off.larger, off.end);
  in.shutter_angle = 1 << 15;    // half a frame
  in.shutter_phase = -(1 << 16);  // a frame early
  const ShutterScales on = ComputeShutterScales(in);
  EXPECT_DOUBLE_EQ(on.start, 0.8);
  EXPECT_DOUBLE_EQ(on.end, 0.9);
  EXPECT_DOUBLE_EQ(on.larger, 1.0);
}

TEST(FlashRectTest, ScalingKeepsTheEdgesRelativeToTheCentre) {
  const PF_Rect r{10, 20, 30, 60};
  const PF_Rect s = ScaleRectAbout(r, 20, 40, 2.0);
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.right, 40);
  EXPECT_EQ(s.top, 0);
  EXPECT_EQ(s.bottom, 80);
  const PF_Rect same = ScaleRectAbout(r, 5, 5, 1.0);
  EXPECT_EQ(same.left, 10);
  EXPECT_EQ(same.bottom, 60);
  // Nothing drawn: every step keeps the rectangle empty.
  const DirtyRect none{0, 0, -1, -1, 96, 64};
  const PF_Rect empty = ClampRect(GrowRect(ScaleRectAbout(RectFromDirty(none), 3, 3, 1.5), 10), 96, 64);
  EXPECT_TRUE(RectEmpty(empty));
  // Marks name the last row and column; the rectangle ends after them.
  const PF_Rect one = RectFromDirty(DirtyRect{4, 5, 4, 5, 96, 64});
  EXPECT_EQ(one.right - one.left, 1);
  EXPECT_EQ(one.bottom - one.top, 1);
}

}  // namespace
