// The pixel functions, rectangles and scales the finishing passes use, the
// passes themselves, and compositing into outputs of the three depths.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "render/composite_pixels.h"
#include "render/compositing.h"
#include "render/finishing_passes.h"
#include "render/flash_rect.h"
#include "render/glow_pass.h"
#include "render/pixel_convert.h"
#include "render/post_passes.h"
#include "render/render_globals.h"
#include "render/render_host_support.h"
#include "render/render_param_ids.h"
#include "render/render_params.h"
#include "render/tone_table.h"
#include "render/world_buffer.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

constexpr A_long kW = 48, kH = 32;

// Alpha, red, green and blue of a float pixel.
float *Px(PF_EffectWorld &w, A_long x, A_long y) {
  return &PixelPtr<PF_PixelFloat>(w, x, y)->alpha;
}

double Light(PF_EffectWorld &w) { return TotalLight(FloatPixels(w)); }

std::array<float, 3> Rgb(const PF_PixelFloat &p) { return {p.red, p.green, p.blue}; }

std::vector<unsigned char> Bytes(PF_EffectWorld &w) {
  const auto *first = reinterpret_cast<unsigned char *>(w.data);
  return std::vector<unsigned char>(first, first + w.rowbytes * w.height);
}

int LitPixels(PF_EffectWorld &w) {
  int n = 0;
  for (A_long y = 0; y < w.height; ++y)
    for (A_long x = 0; x < w.width; ++x) n += Px(w, x, y)[1] > 0.0f;
  return n;
}

// One firing's accumulation buffer with a small patch of light at (20-23,
// 14-17), and the frame and instance the passes read.
class FinishingTest : public ::testing::Test {
 protected:
  RenderTestHost host;
  std::unique_ptr<RenderGlobals> globals = std::make_unique<RenderGlobals>();
  RenderFrame frame;
  InstanceRecord instance{};
  FlashDesign design{};
  WorldBuffer flash;
  FiringContext firing{};

  FinishingTest() {
    host.SetImages(kW, kH, PF_PixelFormat_ARGB128);
    host.UseDefaultParams(RenderParamDefs());
    BuildToneTable(globals->toneTable, kToneTableSize);
    globals->pluginId = 77;
    frame.in_data = &host.in_data;
    frame.out_data = &host.out_data;
    frame.input = &host.input.world;
    frame.output = &host.output.world;
    frame.values = FrameValues{1.0, 1.0, kW * 0.5, kH * 0.5, kW, kH};
    frame.threads = 2;
    frame.globals = globals.get();
    instance.position[0] = 21.0;
    instance.position[1] = 15.0;
    instance.postScale = 1.0;
    instance.maskId = 5;
    design.flashColour = PF_PixelFloat{1.0f, 1.0f, 0.6f, 0.2f};
    EXPECT_EQ(flash.Create(&host.in_data, kW, kH, PF_PixelFormat_ARGB128, "FLASH_WORLD"), PF_Err_NONE);
    EXPECT_EQ(flash.Clear(), PF_Err_NONE);
    for (A_long y = 14; y < 18; ++y)
      for (A_long x = 20; x < 24; ++x)
        *PixelPtr<PF_PixelFloat>(flash.World(), x, y) = {1.0f, 0.8f, 0.5f, 0.25f};
    firing = FiringContext{&frame, 0, &instance, &design, nullptr, &flash,
                           DirtyRect{20, 14, 23, 17, kW, kH}};
  }
  void SetParam(PF_ParamIndex index, double value) { host.values[index].u.fs_d.value = value; }
};

// Motion blur still applies with the layer's motion blur off. The passes that
// replace the buffer clear and copy only inside the lit rectangle and their
// own: the bytes are those of replacing all of it, and light outside the
// destination is cleared.
TEST_F(FinishingTest, MotionBlurAppliesAndTheLitRectangleGivesTheWholeBuffersBytes) {
  host.in_data.shutter_angle = 0;
  instance.position[0] = -60.0;  // far from the light, so the zoom moves it
  const double before = Light(flash.World());
  ASSERT_EQ(MotionBlurPass(firing), PF_Err_NONE);
  ASSERT_EQ(host.transforms.size(), 1u);
  const auto &t = host.transforms[0];
  EXPECT_EQ(std::tuple(t.count, t.xfer, t.first.mat[0][0], t.last.mat[0][0]),
            std::tuple(2, PF_Xfer_COPY, 0.9875, 1.0125));
  // Scaled about the instance's position: that point stays put.
  EXPECT_DOUBLE_EQ(t.first.mat[2][0], -60.0 - 0.9875 * -60.0);
  // The grown rectangle (10, 4)-(34, 28) scaled by 1.0125 about (-60, 15).
  EXPECT_EQ(std::tuple(t.dest.left, t.dest.right - t.dest.left), std::tuple(10, 24));
  // The light is spread, not lost.
  EXPECT_GT(LitPixels(flash.World()), 16);
  EXPECT_NEAR(Light(flash.World()), before, before * 0.15);
  for (A_long y = 0; y < kH; ++y) ASSERT_EQ(Px(flash.World(), 0, y)[0], 1.0f);

  const std::vector<unsigned char> start = Bytes(flash.World());
  const auto run = [&](double x, double post, bool lit) {
    std::memcpy(flash.World().data, start.data(), start.size());
    Px(flash.World(), 2, 30)[2] = 0.5f;  // stray light far from the destination
    instance.position[0] = x;
    instance.postScale = post;
    firing.lit = lit ? PF_Rect{2, 14, 24, 31} : FiringContext{}.lit;
    PF_Rect current{};
    EXPECT_EQ(MotionBlurPass(firing), PF_Err_NONE);
    EXPECT_EQ(PostScalePass(firing, current), PF_Err_NONE);
    EXPECT_EQ(Px(flash.World(), 2, 30)[2], 0.0f);
    // What the context now calls lit holds all the light there is.
    const PF_Rect l = ClampRect(firing.lit, kW, kH);
    int litOutside = 0;
    for (A_long py = 0; py < kH; ++py)
      for (A_long px = 0; px < kW; ++px) {
        const float *p = Px(flash.World(), px, py);
        litOutside += (px < l.left || px >= l.right || py < l.top || py >= l.bottom) &&
                      p[1] + p[2] + p[3] != 0.0f;
      }
    EXPECT_EQ(litOutside, 0) << x << " " << post;
    return Bytes(flash.World());
  };
  for (double x : {21.0, -60.0, 47.5})
    for (double post : {1.0, 0.7, 2.0}) EXPECT_EQ(run(x, post, true), run(x, post, false)) << x << " " << post;
}

// A defocus of half a pixel still blurs. A post scale of exactly one makes no
// scaling pass but still scales the rectangle; nothing drawn means no motion
// blur and an empty rectangle.
TEST_F(FinishingTest, DefocusOfHalfAPixelBlursAndPostScaleOfExactlyOneMakesNoScalingPass) {
  PF_Rect grown{10, 4, 34, 28};
  instance.defocus = 0.0;
  ASSERT_EQ(DefocusPass(firing, grown), PF_Err_NONE);
  EXPECT_EQ(LitPixels(flash.World()), 16);
  instance.defocus = 0.5;
  host.in_data.quality = PF_Quality_LO;  // box of radius round(0.75) = 1
  ASSERT_EQ(DefocusPass(firing, grown), PF_Err_NONE);
  EXPECT_EQ(LitPixels(flash.World()), 36);
  EXPECT_LT(Px(flash.World(), 20, 14)[1], 0.8f);

  const std::size_t worlds = host.worldsMade.size();
  const std::vector<unsigned char> pixels = Bytes(flash.World());
  PF_Rect current{};
  ASSERT_EQ(PostScalePass(firing, current), PF_Err_NONE);
  EXPECT_EQ(std::tuple(host.transforms.size(), host.worldsMade.size()), std::tuple(0u, worlds));
  EXPECT_EQ(Bytes(flash.World()), pixels);
  // The rectangle is still scaled by the shutter's larger scale, then grown.
  const PF_Rect scaled = ScaleRectAbout(PF_Rect{20, 14, 24, 18}, 21, 15, 1.0125);
  EXPECT_EQ(std::tuple(current.left, current.bottom),
            std::tuple(scaled.left - 10, scaled.bottom + 10));

  instance.postScale = 2.0;
  ASSERT_EQ(PostScalePass(firing, current), PF_Err_NONE);
  ASSERT_EQ(host.transforms.size(), 1u);
  EXPECT_EQ(std::tuple(host.transforms[0].count, host.transforms[0].first.mat[1][1]),
            std::tuple(1, 2.0));
  EXPECT_GT(LitPixels(flash.World()), 40);

  firing.drawn = DirtyRect{0, 0, -1, -1, kW, kH};
  host.transforms.clear();
  ASSERT_EQ(MotionBlurPass(firing), PF_Err_NONE);
  EXPECT_TRUE(host.transforms.empty());
  ASSERT_EQ(PostScalePass(firing, current), PF_Err_NONE);
  EXPECT_TRUE(RectEmpty(current));
}

// A closed mask keeps 1 - its opacity of the light; a path the host cannot
// hand out and mask ID zero change nothing.
TEST_F(FinishingTest, AClosedMaskKeepsOneMinusItsOpacityAndAFailedPathIsIgnored) {
  const double before = Light(flash.World());
  host.Fail("PF_CheckoutPath", PF_Err_BAD_CALLBACK_PARAM, 1, true);
  ASSERT_EQ(MaskPass(firing), PF_Err_NONE);
  EXPECT_EQ(std::tuple(Light(flash.World()), host.pathCheckoutAttempts, host.pathCheckins.size()),
            std::tuple(before, 1, 0u));  // only a path given out is given back
  instance.maskId = 0;
  host.Heal();
  ASSERT_EQ(MaskPass(firing), PF_Err_NONE);
  EXPECT_EQ(host.pathCheckoutAttempts, 1);

  instance.maskId = 5;
  host.worldsMade.clear();
  // A layer twice the buffer's size: the matte is resampled.
  std::tie(host.in_data.width, host.in_data.height, host.maskFeather[0], host.maskOpacity) =
      std::tuple(kW * 2, kH * 2, 3.0, 40.0);
  ASSERT_EQ(MaskPass(firing), PF_Err_NONE);
  EXPECT_NEAR(Light(flash.World()), 0.6 * before, 1e-5 * before);
  EXPECT_EQ(host.mattes, (std::vector<std::pair<double, double>>{{0.4, 3.0}}));
  ASSERT_EQ(host.worldsMade.size(), 2u);  // matte at layer size, square
  EXPECT_EQ(std::tuple(host.worldsMade[0].width, host.worldsMade[1].width), std::tuple(kW * 2, kW));
  EXPECT_EQ(host.pathCheckins, std::vector<PF_PathID>{5});
}

// Whichever temporary buffer the host fails to make or give back, the pass
// reports that failure, and no buffer of its own is left behind.
TEST_F(FinishingTest, AFailedAllocationReleaseOrGlowParameterIsReturned) {
  instance.postScale = 2.0;
  instance.defocus = 2.0;
  host.in_data.width = kW * 2;  // the mask pass resamples its matte: two buffers
  host.in_data.height = kH * 2;
  const std::pair<const char *, std::function<PF_Err()>> passes[] = {
      {"motion blur", [&] { return MotionBlurPass(firing); }},
      {"post scale", [&] { PF_Rect r{}; return PostScalePass(firing, r); }},
      {"glow", [&] { PF_Rect r{10, 4, 34, 28}; return GlowPass(firing, 10.0, 100.0, r); }},
      {"mask", [&] { return MaskPass(firing); }},
      {"defocus", [&] { PF_Rect r{10, 4, 34, 28}; return DefocusPass(firing, r); }},
  };
  for (const auto &[name, run] : passes) {
    const int before = host.disposals;
    ASSERT_EQ(run(), PF_Err_NONE) << name;
    const int temporaries = host.disposals - before;
    EXPECT_GE(temporaries, 1) << name;
    // Each buffer in turn fails to be made, the others are made.
    for (int k = 1; k <= temporaries; ++k) {
      host.Fail("new_world", PF_Err_OUT_OF_MEMORY, k);
      EXPECT_EQ(run(), PF_Err_OUT_OF_MEMORY) << name << ", buffer " << k;
      host.Heal();
      EXPECT_EQ(host.liveWorlds, 1) << name;
    }
    for (int k = 0; k < temporaries; ++k) {
      const std::string release = "dispose_world " + std::to_string(host.disposals + k);
      host.Heal();
      host.Fail(release, PF_Err_INTERNAL_STRUCT_DAMAGED, 1, true);
      EXPECT_EQ(run(), PF_Err_INTERNAL_STRUCT_DAMAGED) << name << ", release " << k;
      EXPECT_EQ(host.liveWorlds, 1) << name;  // the flash buffer only
    }
  }

  // A glow parameter the host cannot hand out ends the firing with its error.
  instance.postScale = 1.0;  // no scaling transform before the glow
  for (const PF_ParamIndex index : {kRenderGlowRadius, kRenderGlowBrightness}) {
    host.Heal();
    host.Fail("checkout_param " + std::to_string(index), PF_Err_OUT_OF_MEMORY, 1, true);
    host.transforms.clear();
    EXPECT_EQ(FinishingPasses().AfterSparks(firing), PF_Err_OUT_OF_MEMORY) << index;
    EXPECT_TRUE(host.transforms.empty()) << "no glow drawn";
  }
}

// Glow brightness or radius zero makes no glow buffers; otherwise four
// layers of falling brightness are added.
TEST_F(FinishingTest, GlowAddsFourLayersOfFallingBrightness) {
  PF_Rect current{10, 4, 34, 28};
  const std::size_t worlds = host.worldsMade.size();
  ASSERT_EQ(GlowPass(firing, 200.0, 0.0, current), PF_Err_NONE);
  ASSERT_EQ(GlowPass(firing, 0.0, 10.0, current), PF_Err_NONE);
  EXPECT_EQ(std::tuple(host.worldsMade.size(), host.transforms.size(), current.left),
            std::tuple(worlds, 0u, 10));
  const double before = Light(flash.World());
  ASSERT_EQ(GlowPass(firing, 10.0, 100.0, current), PF_Err_NONE);
  ASSERT_EQ(host.transforms.size(), 4u);
  // Radius 10 gives 0.75 of the brightness 100 % x 0.004.
  const auto &t0 = host.transforms[0];
  EXPECT_EQ(std::tuple(t0.opacity16, host.transforms[1].opacity16, t0.xfer, t0.flags),
            std::tuple(static_cast<A_u_short>(0.75 * 0.4 * 32768.0),
                       static_cast<A_u_short>(0.75 * 0.4 * 0.62 * 32768.0), PF_Xfer_ADD,
                       PF_MF_Alpha_STRAIGHT));
  EXPECT_DOUBLE_EQ(t0.first.mat[0][0], 2.0);
  // Margin 20 + (10 - fmod(10, 2)) = 30 on every side; each blurred copy is
  // scaled back up over the grown rectangle from its top-left corner.
  EXPECT_EQ(std::tuple(current.left, current.bottom), std::tuple(10 - 30, 28 + 30));
  for (const auto &t : host.transforms)
    EXPECT_EQ(std::tuple(t.first.mat[2][0], t.first.mat[2][1]), std::tuple(10.0 - 30, 4.0 - 30));
  EXPECT_TRUE(Light(flash.World()) > before && LitPixels(flash.World()) > 100);

  // The layers' blur radii shrink by 0.354, 0.3675 and 0.38: at radius 200
  // the fourth is 100 x 0.354 x 0.3675 x 0.38 = 4.94 buffer pixels, a
  // deviation of half that, 2.47, blurred as boxes of 3, 5, 5 and 5 pixels,
  // which add (n^2 - 1) / 12 each to the light's spread: 8 / 12 + 3 x 2 = 6.67.
  // The last buffer given back before the copy of the flash holds that layer.
  current = PF_Rect{10, 4, 34, 28};
  ASSERT_EQ(GlowPass(firing, 200.0, 100.0, current), PF_Err_NONE);
  const A_long w = (24 + 2 * 220) / 2;
  const auto spreadX = [w](const std::vector<float> &pixels) {
    double sum = 0.0, sumX = 0.0, sumXX = 0.0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
      const double x = static_cast<double>((i / 4) % static_cast<std::size_t>(w)), red = pixels[i + 1];
      sum += red, sumX += red * x, sumXX += red * x * x;
    }
    return sumXX / sum - (sumX / sum) * (sumX / sum);
  };
  const auto &given = host.disposedFloatWorlds;
  ASSERT_GE(given.size(), 2u);
  ASSERT_EQ(given.back().size(), 4u * w * w);
  EXPECT_NEAR(spreadX(given[given.size() - 2]) - spreadX(given.back()), 8.0 / 12.0 + 6.0, 0.01);
}

// Compositing the same light into outputs of the three depths.
class CompositeDepthTest : public FinishingTest {
 protected:
  // A background ramp. Written into a float output it holds the values the
  // integer depth `like` would hold, so that depths can be compared.
  void Background(PF_PixelFormat format, PF_PixelFormat like) {
    host.SetImages(kW, kH, format);
    TestImage quantised(1, 1, like);
    for (A_long y = 0; y < kH; ++y)
      for (A_long x = 0; x < kW; ++x) {
        const A_long v = (x * 5 + y * 3) % 64;
        SetPixel(quantised, 0, 0, PF_PixelFloat{(y % 3) / 2.0f, v / 255.0f, (63 - v) / 255.0f, 0.5f * v / 255.0f});
        SetPixel(host.output, x, y, GetPixel(quantised, 0, 0));
      }
    frame.output = &host.output.world;
    frame.outputFormat = format;
  }
  std::vector<PF_PixelFloat> Pixels() const {
    std::vector<PF_PixelFloat> out;
    for (A_long y = 0; y < kH; ++y)
      for (A_long x = 0; x < kW; ++x) out.push_back(GetPixel(host.output, x, y));
    return out;
  }
  // The output before and after compositing.
  std::vector<PF_PixelFloat> before;
  std::vector<PF_PixelFloat> Composite(PF_PixelFormat format, A_long mode,
                                       PF_PixelFormat like = PF_PixelFormat_ARGB128) {
    Background(format, like);
    before = Pixels();
    host.values[kRenderCompositingMode].u.pd.value = mode;
    EXPECT_EQ(CompositeFiring(firing, PF_Rect{0, 0, kW, kH}), PF_Err_NONE);
    return Pixels();
  }
};

TEST_F(CompositeDepthTest, DepthsAgreeGrainShowsInFloatOnlyAndAnotherOutputFormatFails) {
  for (A_long mode = 1; mode <= 4; ++mode) {
    for (PF_PixelFormat format : {PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB32}) {
      const std::vector<PF_PixelFloat> ref = Composite(PF_PixelFormat_ARGB128, mode, format);
      for (std::size_t i = 0; i < ref.size(); ++i) ASSERT_EQ(ref[i].alpha, before[i].alpha) << i;
      const std::vector<PF_PixelFloat> got = Composite(format, mode);
      const float step = format == PF_PixelFormat_ARGB32 ? 1.0f / 255.0f : 1.0f / 32768.0f;
      for (std::size_t i = 0; i < ref.size(); ++i) {
        ASSERT_EQ(got[i].alpha, before[i].alpha) << mode << " " << i;
        for (int c = 1; c < 4; ++c) {
          // The integer depths hold 0-1; the float result is compared capped.
          const float r = std::clamp((&ref[i].alpha)[c], 0.0f, 1.0f);
          ASSERT_LE(std::fabs((&got[i].alpha)[c] - r), step * 1.01f)
              << "mode " << mode << " format " << format << " pixel " << i << " channel " << c;
        }
      }
    }
  }
  // The light did reach the output.
  const std::vector<PF_PixelFloat> lit = Composite(PF_PixelFormat_ARGB128, 1);
  EXPECT_FLOAT_EQ(lit[15 * kW + 21].red, before[15 * kW + 21].red + 0.8f);
  // "Normalised" adds the toned light times Max Brightness; green takes no tint.
  const float toned = globals->toneTable[ToneIndex(0.5f, kToneTableSize, 4.0f)];
  SetParam(kRenderMaxBrightness, 100.0);
  const float full = Composite(PF_PixelFormat_ARGB128, 4)[15 * kW + 21].green;
  SetParam(kRenderMaxBrightness, 75.0);
  const float reduced = Composite(PF_PixelFormat_ARGB128, 4)[15 * kW + 21].green;
  EXPECT_NEAR(full - reduced, 0.25f * toned, 1e-6f);

  // Grain shows (in float, the only depth given a grain layer) and never
  // outside the grain layer; another output format fails.
  TestImage grain(22, kH, PF_PixelFormat_ARGB128);  // ends inside the bright patch
  host.formats[&grain.world] = PF_PixelFormat_ARGB128;
  for (A_long y = 0; y < kH; ++y)
    for (A_long x = 0; x < 22; ++x) SetPixel(grain, x, y, PF_PixelFloat{1.0f, 1.0f, 0.0f, 1.0f});
  SetParam(kRenderGrainMix, 100.0);
  const std::vector<PF_PixelFloat> plainFloat = Composite(PF_PixelFormat_ARGB128, 1);
  frame.grain = &grain.world;
  const std::vector<PF_PixelFloat> grainy = Composite(PF_PixelFormat_ARGB128, 1);
  const std::size_t bright = 15 * kW + 21, litOutside = 15 * kW + 22;
  EXPECT_NE(grainy[bright].red, plainFloat[bright].red);
  EXPECT_NE(grainy[bright].green, plainFloat[bright].green);
  // Dark pixels (luma 0) and pixels the grain layer does not cover: no grain.
  EXPECT_EQ(std::tuple(grainy[0].red, grainy[litOutside].red),
            std::tuple(plainFloat[0].red, plainFloat[litOutside].red));
  SetParam(kRenderGrainMix, 0.0);
  EXPECT_EQ(Composite(PF_PixelFormat_ARGB128, 1)[bright].red, plainFloat[bright].red);
  host.formats.erase(&grain.world);
  // Another output format fails.
  frame.outputFormat = PF_PixelFormat_INVALID;
  EXPECT_EQ(CompositeFiring(firing, PF_Rect{0, 0, kW, kH}), PF_Err_BAD_CALLBACK_PARAM);
}

// The tone index stays inside the table for any value (Add is pinned by the
// depth test); luma premultiplied hides the background under bright light;
// modes outside the list composite nothing; screen stays within zero to one
// where both inputs do.
TEST(PixelFunctionTest, ToneIndexLumaPremultipliedScreenNormalisedAndGrain) {
  std::vector<float> tone(kToneTableSize);
  BuildToneTable(tone.data(), kToneTableSize);
  CompositeSettings settings;
  settings.toneTable = tone.data();
  settings.toneSize = kToneTableSize;
  const auto Run = [&settings](A_long mode, PF_PixelFloat flash, PF_PixelFloat out) {
    PixelFunctionFor(mode)(settings, flash, PF_PixelFloat{0, 0, 0, 0}, out);
    return out;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  // trunc(value / 4 x 2047) inside the range.
  const std::pair<float, int> cases[] = {{-0.5f, 0},    {-inf, 0},    {nan, 0},    {-nan, 0},
                                         {inf, 2047},   {1e30f, 2047}, {4.0f, 2047}, {1.0f, 511},
                                         {0.25f, 127}, {0.0f, 0}};
  for (const auto &[value, index] : cases) EXPECT_EQ(ToneIndex(value, 2048, 4.0f), index) << value;

  const PF_PixelFloat background{1, 0.5f, 0.2f, 0.7f};
  for (float v : Rgb(Run(kCompositeLumaPremultiplied, PF_PixelFloat{1, 1, 1, 1}, background)))
    EXPECT_NEAR(v, 1.0f, 1e-6f);
  // No light: the background as it was.
  EXPECT_EQ(Run(kCompositeLumaPremultiplied, PF_PixelFloat{1, 0, 0, 0}, background).red, 0.5f);

  EXPECT_EQ(std::tuple(PixelFunctionFor(0), PixelFunctionFor(5)), std::tuple(nullptr, nullptr));

  for (float f : {0.0f, 0.1f, 0.37f, 0.5f, 0.93f, 1.0f})
    for (float o : {0.0f, 0.1f, 0.37f, 0.5f, 0.93f, 1.0f}) {
      const PF_PixelFloat screen =
          Run(kCompositeScreen, PF_PixelFloat{1, f, o, f}, PF_PixelFloat{0.5f, o, f, 1.0f});
      for (float v : Rgb(screen)) EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << f << " " << o;
      EXPECT_GE(screen.red, o);  // screen never darkens
    }

  // Normalised at full brightness has no tint, leans towards the design
  // colour below it, and survives light outside the table; grain moves light
  // by the grain deviation.
  const PF_PixelFloat design{1.0f, 1.0f, 0.6f, 0.1f};
  NormalisedTint(design, 1.0f, settings.tintRed, settings.tintBlue);
  EXPECT_EQ(std::tuple(settings.tintRed, settings.tintBlue), std::tuple(0.0f, 0.0f));
  settings.maxBrightness = 1.0f;
  // Grey light stays grey: equal channels in, equal channels out.
  const float grey = tone[ToneIndex(2.0f, kToneTableSize, 4.0f)];
  EXPECT_EQ(Rgb(Run(kCompositeNormalised, PF_PixelFloat{1, 2, 2, 2}, PF_PixelFloat{1, 0, 0, 0})),
            (std::array<float, 3>{grey, grey, grey}));

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
  const PF_PixelFloat wild =
      Run(kCompositeNormalised, PF_PixelFloat{1, -3.0f, nan, 1e9f}, PF_PixelFloat{1, 0.2f, 0.2f, 0.2f});
  for (float v : Rgb(wild)) EXPECT_TRUE(std::isfinite(v));
  // The blue channel saturates the tone curve: 0.95 x 1 plus its share of luma.
  EXPECT_GE(wild.blue, 0.95f * 1.0f * 0.999f);

  PF_PixelFloat p{1, 0.5f, 0.5f, 0.5f};
  // A mid-grey grain pixel changes nothing.
  ApplyGrain(p, PF_PixelFloat{1, 0.5f, 0.5f, 0.5f}, 2.0f, 1.0f);
  EXPECT_EQ(p.red, 0.5f);
  // d = (1 - 0.5) x 2 x 1 = 1: v + d - v d = 1.
  ApplyGrain(p, PF_PixelFloat{1, 1.0f, 0.5f, 0.0f}, 2.0f, 1.0f);
  EXPECT_EQ(Rgb(p), (std::array<float, 3>{1.0f, 0.5f, 0.0f}));
  // A negative l stands for the pixel's own luma: black light gets no grain.
  PF_PixelFloat dark{1, 0, 0, 0};
  ApplyGrain(dark, PF_PixelFloat{1, 1, 1, 1}, 2.0f, -1.0f);
  EXPECT_EQ(dark.red, 0.0f);
}

// The glow starts soft below a radius of twenty (radius 10 is pinned by the
// glow test); a shutter that is open zooms from its start to its end (closed,
// it is pinned by the motion blur test); rectangles scale about a centre.
TEST(PassGeometryTest, GlowStartShutterScalesRectanglesAndCompositeRegions) {
  for (const auto &[brightness, start] : {std::pair{20.0, 0.04}, {200.0, 0.04}, {0.0, 0.0}})
    EXPECT_DOUBLE_EQ(GlowStartBrightness(brightness, 10.0), start) << brightness;
  PF_InData in{};
  in.shutter_angle = 1 << 15;    // half a frame
  in.shutter_phase = -(1 << 16);  // a frame early
  const ShutterScales on = ComputeShutterScales(in);
  EXPECT_EQ(std::vector<double>({on.start, on.end, on.larger}),
            std::vector<double>({0.8, 0.9, 1.0}));

  const PF_Rect r{10, 20, 30, 60};
  const PF_Rect s = ScaleRectAbout(r, 20, 40, 2.0);
  EXPECT_EQ(std::vector<A_long>({s.left, s.top, s.right, s.bottom}), std::vector<A_long>({0, 0, 40, 80}));

  // Output columns cover the flash columns they sample, for non-square pixels
  // and for a downsample that differs between the axes.
  // Pixel aspect, downsample x and y, output width and height, region.
  const std::tuple<PF_RationalScale, PF_RationalScale, PF_RationalScale, A_long, A_long,
                   CompositeRegion>
      cases[] = {
      {{2, 1}, {1, 1}, {1, 1}, 24, 32, {4, 4, 10, 12, 2.0, 1.0}},
      {{1, 1}, {1, 2}, {1, 1}, 24, 32, {4, 4, 10, 12, 2.0, 1.0}},
      {{1, 1}, {1, 1}, {1, 2}, 48, 16, {8, 2, 20, 6, 1.0, 2.0}},
      {{1, 1}, {1, 1}, {1, 1}, 16, 8, {8, 4, 16, 8, 1.0, 1.0}},  // cut at the output's edge
  };
  for (const auto &[par, dsx, dsy, outW, outH, e] : cases) {
    PF_InData in{};
    std::tie(in.pixel_aspect_ratio, in.downsample_x, in.downsample_y) = std::tuple(par, dsx, dsy);
    PF_EffectWorld out{};
    std::tie(out.width, out.height) = std::tuple(outW, outH);
    const CompositeRegion r = MapCompositeRegion(in, PF_Rect{8, 4, 20, 12}, 48, 32, out);
    EXPECT_EQ(std::tuple(r.x0, r.y0, r.x1, r.y1, r.scaleX, r.scaleY),
              std::tuple(e.x0, e.y0, e.x1, e.y1, e.scaleX, e.scaleY))
        << outW << "x" << outH;
  }
}

}  // namespace
}  // namespace vlam_render_test
