#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "instance/exchange_block.h"
#include "render/render_commands.h"
#include "render/render_host_support.h"
#include "render/smart_render.h"
#include "render/pixel_convert.h"
#include "render/world_buffer.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

// Keeps a copy of "FLASH_WORLD" after every firing and what the firing saw.
class RecordingPasses : public FiringPasses {
 public:
  struct Firing {
    int slot;
    double energy, brightness;
    std::vector<float> pixels;  // alpha, red, green, blue per pixel
    DirtyRect drawn;
  };
  std::vector<Firing> firings;
  std::vector<int> beforeSparks;
  PF_Err failAfterSparks = PF_Err_NONE;

  PF_Err BeforeSparks(FiringContext &firing) override {
    beforeSparks.push_back(firing.slot);
    return PF_Err_NONE;
  }
  PF_Err AfterSparks(FiringContext &firing) override {
    firings.push_back({firing.slot, firing.instance->triggerLevel, firing.instance->brightness,
                       FloatPixels(firing.flashWorld->World()), firing.drawn});
    return failAfterSparks;
  }
};

class SmartRenderTest : public ::testing::Test {
 protected:
  RenderTestHost host;
  DesignStorage storage;
  FlashDesign design = DefaultDesign(storage);
  std::vector<InstanceRecord> instances;
  RecordingPasses passes;

  SmartRenderTest() {
    host.SetImages(96, 64, PF_PixelFormat_ARGB128);
    FillInput();
    // A small flash so that the passes stay quick.
    design.mainLength = 40.0;
    design.mainDiameter = 24.0;
    design.petalLength = 20.0;
    design.petalDiameter = 12.0;
    design.barrelRadius = 4.0;
    design.horizontalOffset = -6.0;
    EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), PF_Err_NONE);
    host.in_data.global_data = host.out_data.global_data;
    host.UseDefaultParams(RenderParamDefs());
  }
  ~SmartRenderTest() override { CallRender(PF_Cmd_GLOBAL_SETDOWN, host); }

  void FillInput() {
    float *p = reinterpret_cast<float *>(host.input.bytes.data());
    for (std::size_t i = 0; i < host.input.bytes.size() / sizeof(float); ++i) p[i] = 0.125f * (i % 7);
  }
  // One builder for Flash A and one instance per record, in that order.
  void Stack() {
    host.effects.clear();
    host.AddBuilder(&design);
    for (const InstanceRecord &r : instances) host.AddInstance(r);
  }
  PF_Err Render() {
    Stack();
    passes.firings.clear();
    passes.beforeSparks.clear();
    return RenderFlashes(&host.in_data, &host.out_data, &host.smart_extra, passes);
  }
  InstanceRecord Calm(double x, double y) {
    InstanceRecord r = FiringInstance(x, y);
    r.randomness = 0.0;
    return r;
  }
};

// Off, an instance draws nothing into a buffer made and given back; firing,
// it lights the accumulation buffer only, of the layer's size or half of it.
// Petals and sparks add light; instances without a design or not firing are
// skipped; "Comp on Black" without flashes is black.
TEST_F(SmartRenderTest, AFiringInstanceLightsTheBufferOnlyAndPetalsAndSparksAddLight) {
  instances = {Calm(30, 32)};
  instances[0].triggerLevel = 0.0;
  ASSERT_EQ(Render(), PF_Err_NONE);
  EXPECT_TRUE(passes.firings.empty());
  EXPECT_EQ(host.output.bytes, host.input.bytes);
  // The buffer was made and given back untouched.
  ASSERT_EQ(host.disposedFloatWorlds.size(), 1u);
  EXPECT_EQ(TotalLight(host.disposedFloatWorlds[0]), 0.0);

  instances[0].triggerLevel = kInstanceFiringLevel;
  ASSERT_EQ(Render(), PF_Err_NONE);
  ASSERT_EQ(passes.firings.size(), 1u);
  const RecordingPasses::Firing f = passes.firings[0];
  EXPECT_EQ(std::tuple(f.energy, f.brightness), std::tuple(0.4, 1.0));
  EXPECT_GT(TotalLight(f.pixels), 0.0);
  for (std::size_t i = 0; i < f.pixels.size(); i += 4) ASSERT_EQ(f.pixels[i], 1.0f) << i;
  // The flash leaves the muzzle towards +x: light right of it, none far left.
  EXPECT_TRUE(f.drawn.x0 <= 30 && f.drawn.x1 > 45 && f.drawn.y0 <= 32 && f.drawn.y1 >= 32);
  // Until the compositing passes exist the output keeps the input.
  EXPECT_EQ(host.output.bytes, host.input.bytes);
  EXPECT_EQ(passes.beforeSparks, std::vector<int>{0});
  ASSERT_EQ(host.worldsMade.size(), 2u);
  EXPECT_EQ(std::tuple(host.worldsMade[1].width, host.worldsMade[1].height), std::tuple(96, 64));

  // At half resolution the buffer is halved and the flash lands at half the
  // coordinates, give or take a brush pixel.
  host.in_data.downsample_x = host.in_data.downsample_y = {1, 2};
  ASSERT_EQ(Render(), PF_Err_NONE);
  ASSERT_EQ(host.worldsMade.size(), 3u);
  const RenderTestHost::WorldInfo &made = host.worldsMade[2];
  EXPECT_EQ(std::tuple(made.width, made.height, made.format),
            std::tuple(48, 32, PF_PixelFormat_ARGB128));
  const DirtyRect &half = passes.firings.at(0).drawn;
  for (const auto &[at, full] :
       {std::pair{half.x0, f.drawn.x0}, {half.x1, f.drawn.x1}, {half.y0, f.drawn.y0}})
    EXPECT_NEAR(at, full / 2.0, 2.0);

  // Petals and sparks only add light to the main shape; without brightness
  // only the sparks show.
  instances = {Calm(30, 32)};
  const auto Pixels = [this] {
    EXPECT_EQ(Render(), PF_Err_NONE);
    return passes.firings.at(0).pixels;
  };
  const std::vector<float> plain = Pixels();
  design.petalLayout = &storage.threeStar;
  const std::vector<float> petals = Pixels();
  design.maxSparks = 30;
  const std::vector<float> sparks = Pixels();

  for (std::size_t i = 0; i < plain.size(); ++i)
    ASSERT_TRUE(petals[i] >= plain[i] && sparks[i] >= petals[i]) << i;
  EXPECT_TRUE(TotalLight(petals) > TotalLight(plain) && TotalLight(sparks) > TotalLight(petals));

  instances[0].brightness = 0.0;
  design.maxSparks = 0;
  EXPECT_NEAR(TotalLight(Pixels()), 0.0, 1e-9);
  design.maxSparks = 30;
  EXPECT_GT(TotalLight(Pixels()), 0.0);

  // Instances without a valid design or not firing are skipped (the collector
  // keeps no more than sixteen).
  instances = {Calm(30, 32), Calm(30, 32), Calm(30, 32), Calm(30, 32), Calm(60, 32)};
  instances[0].designIndex = 1;   // "Flash B": no builder
  instances[1].designIndex = 9;   // outside the table
  instances[2].triggerLevel = 0.009;
  instances[3].triggerLevel = std::nan("");
  ASSERT_EQ(Render(), PF_Err_NONE);
  ASSERT_EQ(passes.firings.size(), 1u);
  EXPECT_EQ(passes.firings[0].slot, 4);

  // "Comp on Black" without flashes is opaque black and needs a known depth
  // (with a flash, every depth is checked by the entry test below).
  instances = {};
  host.values[kRenderCompOnBlack].u.bd.value = 1;
  ASSERT_EQ(Render(), PF_Err_NONE);
  const std::vector<float> black = FloatPixels(host.output.world);
  EXPECT_EQ(std::tuple(black[0], TotalLight(black)), std::tuple(1.0f, 0.0));
  host.SetImages(8, 4, PF_PixelFormat_BGRA32);
  EXPECT_EQ(Render(), PF_Err_BAD_CALLBACK_PARAM);
}

TEST_F(SmartRenderTest, TheSameFrameRendersToTheSameBytes) {
  design.shapeRandomisation = 0.8;
  design.shapeRandomisationScaled = 80.0 / 750.0;
  design.brightnessRandomisation = 0.5;
  design.petalRandomisation = 0.9;
  design.petalLayout = &storage.threeStar;
  design.maxSparks = 12;
  instances = {FiringInstance(30, 32), FiringInstance(50, 20)};
  instances[1].randomSeed = 17;
  instances[1].aimA = 0.7;
  ASSERT_EQ(Render(), PF_Err_NONE);
  const auto first = passes.firings;
  ASSERT_EQ(first.size(), 2u);
  EXPECT_TRUE(TotalLight(first[0].pixels) > 0.0 && TotalLight(first[1].pixels) > 0.0);
  host.shuffleSeed = 99;  // each render below runs the iterations in another order
  // Another thread count (and so another number of body iterations) too.
  for (A_long threads : {1, 3, 2}) {
    host.host_threads = threads;
    ASSERT_EQ(Render(), PF_Err_NONE);
    ASSERT_EQ(passes.firings.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(passes.firings[i].pixels, first[i].pixels) << threads;
  }
  // A later frame differs.
  host.in_data.current_time += host.in_data.time_step;
  ASSERT_EQ(Render(), PF_Err_NONE);
  EXPECT_NE(passes.firings[0].pixels, first[0].pixels);
  // The displacement octaves follow the design's base frequency.
  const std::vector<float> later = passes.firings[0].pixels;
  design.baseFrequency *= 2.0;
  ASSERT_EQ(Render(), PF_Err_NONE);
  EXPECT_NE(passes.firings[0].pixels, later);
}

// An abort or a host error ends the render with everything released.
TEST_F(SmartRenderTest, AbortAndHostErrorsEndTheRenderWithEverythingReleased) {
  instances = {Calm(30, 32), Calm(40, 32)};
  const std::string grainCheckin = "checkin_layer_pixels " + std::to_string(kRenderGrainLayerParam);
  for (int after : {0, 1, 2, 4}) {
    host.calls.clear();
    host.Fail("abort", PF_Interrupt_CANCEL, after + 1, true);
    EXPECT_EQ(Render(), PF_Interrupt_CANCEL) << after;
    const auto checkins = host.CallsOf("checkin_layer_pixels");
    EXPECT_EQ(checkins.front(), after == 0 ? "checkin_layer_pixels 0" : grainCheckin);
    EXPECT_EQ(checkins.back(), "checkin_layer_pixels 0");
  }
  // Asked after the set-up, and before and after each parallel pass: the
  // body of each instance, no petals, no sparks.
  host.Heal();
  host.calls.clear();
  ASSERT_EQ(Render(), PF_Err_NONE);
  EXPECT_EQ(host.Count("abort"), 1 + 2 * 2);

  // Host errors and a missing or damaged global record end the render with
  // everything released.
  host.Fail("new_world", PF_Err_OUT_OF_MEMORY, 1, true);
  EXPECT_EQ(Render(), PF_Err_OUT_OF_MEMORY);
  host.Heal();

  passes.failAfterSparks = PF_Err_INTERNAL_STRUCT_DAMAGED;
  EXPECT_EQ(Render(), PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(passes.firings.size(), 1u);
  passes.failAfterSparks = PF_Err_NONE;

  host.Fail("checkout_layer_pixels 0", PF_Err_OUT_OF_MEMORY, 1, true);
  host.effectRefsMade = 0;
  EXPECT_EQ(Render(), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.effectRefsMade, 0) << "collecting must be skipped";
  host.Heal();

  const PF_Handle globals = host.in_data.global_data;
  host.in_data.global_data = nullptr;
  EXPECT_EQ(Render(), PF_Err_INTERNAL_STRUCT_DAMAGED);
  // Nor is a handle too small to be the record read.
  host.in_data.global_data = host.handles.Handles()->host_new_handle(16);
  EXPECT_EQ(Render(), PF_Err_INTERNAL_STRUCT_DAMAGED);
  host.handles.Handles()->host_dispose_handle(host.in_data.global_data);
  host.in_data.global_data = globals;
}

TEST_F(SmartRenderTest, TheEntryFinishesEachFlashIntoTheOutputKeepingItsAlpha) {
  instances = {Calm(30, 32)};
  Stack();
  EXPECT_EQ(CallRender(PF_Cmd_SMART_RENDER, host, &host.smart_extra), PF_Err_NONE);
  // "FLASH_WORLD" is given back last, with the glowed light in it.
  ASSERT_FALSE(host.disposedFloatWorlds.empty());
  EXPECT_GT(TotalLight(host.disposedFloatWorlds.back()), 0.0);
  const std::vector<float> in = FloatPixels(host.input.world), out = FloatPixels(host.output.world);
  for (std::size_t i = 0; i < in.size(); i += 4) ASSERT_EQ(out[i], in[i]) << i;  // alpha
  EXPECT_GT(TotalLight(out), TotalLight(in));  // the default "Normalised" mode brightens

  // "Comp on Black" with Add: the flash alone on opaque black, at every depth.
  host.values[kRenderCompOnBlack].u.bd.value = 1;
  host.values[kRenderCompositingMode].u.pd.value = kCompositeAdd;
  for (PF_PixelFormat format : {PF_PixelFormat_ARGB128, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB32}) {
    host.SetImages(96, 64, format);
    FillInput();
    ASSERT_EQ(CallRender(PF_Cmd_SMART_RENDER, host, &host.smart_extra), PF_Err_NONE);
    const std::vector<float> &light = host.disposedFloatWorlds.back();
    // Each channel is the light converted to the depth as the module converts it.
    const auto depth = [format](float v) {
      return format == PF_PixelFormat_ARGB128 ? v
             : format == PF_PixelFormat_ARGB64 ? To16(v) / 32768.0f
                                               : To8(v) / 255.0f;
    };
    for (A_long y = 0; y < 64; ++y)
      for (A_long x = 0; x < 96; ++x) {
        const float *f = &light[4 * (y * 96 + x)];
        const PF_PixelFloat p = GetPixel(host.output, x, y);
        ASSERT_EQ(std::tuple(p.alpha, p.red, p.green, p.blue),
                  std::tuple(1.0f, depth(f[1]), depth(f[2]), depth(f[3])))
            << x << " " << y;
      }
  }
}

}  // namespace
}  // namespace vlam_render_test
