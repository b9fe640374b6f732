// The Relighter: its lights, pixel functions and geometry, its parameters
// and what it renders.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "relight/light_list.h"
#include "relight/relight_geometry.h"
#include "relight/relight_host_support.h"
#include "relight/relight_pixels.h"
#include "relight/relighter_params.h"

namespace vlam_relight_test {
namespace {

using vlam::ExchangeBlock;
using vlam::InstanceRecord;
using vlam_render_test::FiringInstance;

constexpr PF_PixelFormat kDepths[] = {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64,
                                      PF_PixelFormat_ARGB128};

// A Render effect, a builder and one instance firing, at the layer centre
// unless told.
void FiringLayer(RelightTestHost &host, double x = 20, double y = 10) {
  host.AddRenderEffect();
  host.AddBuilder();
  host.AddInstance(FiringInstance(x, y));
}

// With nothing to light the input passes through; the matte preview shows the
// matte even with nothing firing.
TEST(RelightRender, PassesTheInputThroughWhenThereIsNothingToLightOrPreviewsTheMatte) {
  enum class Case { kNoRender, kNoMatte, kNothingFiring };
  for (const PF_PixelFormat depth : kDepths) {
    for (const Case c : {Case::kNoRender, Case::kNoMatte, Case::kNothingFiring}) {
      SCOPED_TRACE(testing::Message() << "depth " << depth << " case " << static_cast<int>(c));
      RelightTestHost host;
      host.UseImages(depth, true, true);
      if (c != Case::kNoRender) host.AddRenderEffect();
      host.AddBuilder();
      vlam::InstanceRecord instance = FiringInstance(20, 10);
      if (c == Case::kNothingFiring) instance.triggerLevel = 0.0;
      host.AddInstance(instance);
      if (c == Case::kNoMatte) host.grain = nullptr;

      ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
      EXPECT_EQ(host.output.bytes, host.input.bytes);
      EXPECT_EQ(host.pixelIterateCalls, 0);
      // The matte checkout succeeded even when it named no layer.
      EXPECT_EQ(host.CallsOf("checkin_layer_pixels"),
                (std::vector<std::string>{"checkin_layer_pixels 1", "checkin_layer_pixels 0"}));
    }

    // The matte preview shows the matte even with nothing firing.
    RelightTestHost host;
    host.UseImages(depth, true, true);
    host.values[vlam::kRelightView].u.pd.value = vlam::kRelightViewMattePreview;
    host.AddRenderEffect();
    ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
    const float step = depth == PF_PixelFormat_ARGB32 ? 1.01f / 255.0f : 1e-4f;
    for (const auto &[x, y] : {std::pair{1, 2}, std::pair{30, 15}}) {
      const PF_PixelFloat m = GetPixel(host.matte, x, y);
      const float luma = (0.299f * m.red + 0.587f * m.green + 0.114f * m.blue) * m.alpha;
      const PF_PixelFloat o = GetPixel(host.output, x, y);
      EXPECT_NEAR(o.red, luma, step);
      EXPECT_EQ(std::tuple(o.alpha, o.green, o.blue),
                std::tuple(GetPixel(host.input, x, y).alpha, o.red, o.red));
    }
  }

  // The preview inverted, and the matte is 0 outside its rectangle.
  RelightTestHost host;
  host.matte.Reset(10, 10, PF_PixelFormat_ARGB128);
  host.formats[&host.matte.world] = PF_PixelFormat_ARGB128;
  host.matte.world.origin_x = 5;
  for (A_long y = 0; y < 10; ++y)
    for (A_long x = 0; x < 10; ++x) SetPixel(host.matte, x, y, PF_PixelFloat{1, 1, 1, 1});
  host.values[vlam::kRelightView].u.pd.value = vlam::kRelightViewMattePreview;
  host.values[vlam::kRelightInvert].u.bd.value = 1;
  host.AddRenderEffect();
  ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
  // Left of, right of and below the matte m = 0, inverted 1; inside white, inverted 0.
  for (const auto &[x, y, v] :
       {std::tuple{4, 0, 1.0f}, {5, 0, 0.0f}, {14, 9, 0.0f}, {15, 9, 1.0f}, {6, 10, 1.0f}})
    EXPECT_EQ(GetPixel(host.output, x, y).red, v) << x << "," << y;
}

// Collecting asks the Render effect, the builders and the instances, not the
// Relighter itself, and only sixteen of seventeen instances, without a message.
TEST(RelightRender, CollectingAsksTheRenderEffectBuildersAndSixteenInstances) {
  RelightTestHost host;
  FiringLayer(host);
  host.effects.push_back({"zk_VlamRelighter", true, nullptr});
  for (int k = 0; k < 16; ++k) host.AddInstance(FiringInstance(20, 10));
  ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
  EXPECT_EQ(std::tuple(host.Count("EffectCallGeneric"), host.effectRefsMade),
            std::tuple(2 + 16, 3 + 17));
  EXPECT_STREQ(host.out_data.return_msg, "");
}

// On the 40 x 20 layer the default camera shows depth 0 one to one, so an
// instance at (x, y) lands in the quarter-size 10 x 5 buffer at
// trunc((x - 20) / 4 + 5), trunc((y - 10) / 4 + 2.5 - origin y).
TEST(RelightRender, LightLandsWhereTheCameraSeesTheInstance) {
  // Instance x and y, the light buffer's origin y, and where the light lands.
  for (const auto &[x, y, originY, column, row] :
       {std::tuple{20, 10, 0, 5, 2}, {6, 18, 0, 1, 4}, {20, 10, 1, 5, 1}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y << " origin " << originY);
    RelightTestHost host;
    host.firstWorldOriginY = originY;
    host.values[vlam::kRelightSpread].u.fs_d.value = 5;  // diameter trunc(5 x 0.25 x 100) = 125
    FiringLayer(host, x, y);
    ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
    ASSERT_EQ(host.worldsMade.size(), 2u);
    // "ILLUM_WORLD", the output's size.
    EXPECT_EQ(std::tuple(host.worldsMade[1].width, host.worldsMade[1].height), std::tuple(40, 20));
    const std::vector<float> &light = host.disposedFloatWorlds.back();  // after the illumination
    ASSERT_EQ(light.size(), 10u * 5u * 4u);
    // The odd blob has its full weight at its centre, the light colour x 0.75.
    const float *centre = &light[(row * 10 + column) * 4];
    const float colour[] = {0.0f, 0.8f * 0.75f, 0.4f * 0.75f, 0.2f * 0.75f};  // alpha untouched
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(centre[c], colour[c]) << c;
    float peak = 0.0f;
    for (std::size_t i = 1; i < light.size(); i += 4) peak = std::max(peak, light[i]);
    EXPECT_FLOAT_EQ(peak, centre[1]);
    EXPECT_LT(light[1], centre[1]);  // the corner pixel (0, 0)
  }
}

// A black matte screens the input with the ambient colour, divided by the
// number of lights.
TEST(RelightRender, BlackMatteScreensTheInputWithTheAmbientColourSharedByTheLights) {
  for (const PF_PixelFormat depth : kDepths) {
    SCOPED_TRACE(depth);
    RelightTestHost host;
    host.UseImages(depth, true, false);  // the matte stays black (and clear)
    FiringLayer(host);
    ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
    EXPECT_EQ(host.pixelIterateCalls, 1);
    const float g[3] = {0.8f * 0.05625f, 0.4f * 0.05625f, 0.2f * 0.05625f};
    const float step = depth == PF_PixelFormat_ARGB32   ? 1 / 255.0f
                       : depth == PF_PixelFormat_ARGB64 ? 1 / 32768.0f : 1e-6f;
    for (const auto &[x, y] : {std::pair{0, 0}, std::pair{17, 9}, std::pair{39, 19}}) {
      const PF_PixelFloat p = GetPixel(host.input, x, y);
      const PF_PixelFloat o = GetPixel(host.output, x, y);
      EXPECT_EQ(o.alpha, p.alpha);
      for (int c = 1; c < 4; ++c) {
        const float in = (&p.alpha)[c];
        EXPECT_NEAR((&o.alpha)[c], in + (1 - in) * g[c - 1], step) << c;
      }
    }
  }

  RelightTestHost host;
  FiringLayer(host);
  host.AddInstance(FiringInstance(5, 5));
  ASSERT_EQ(host.SmartRender(), PF_Err_NONE);
  const PF_PixelFloat o = GetPixel(host.output, 3, 3);  // black input, black matte
  EXPECT_NEAR(o.red, (0.8 * 0.05625 + 0.8) * 0.05625 / 2, 1e-6);
  EXPECT_NEAR(o.blue, (0.2 * 0.05625 + 0.2) * 0.05625 / 2, 1e-6);
}

// A failed buffer, input checkout or missing iterate suite is returned with
// everything given back; only a checked-out input is checked in.
TEST(RelightRender, HostErrorsAreReturnedAndEverythingIsGivenBack) {
  // The failure, the error returned and the layers checked in.
  const std::tuple<std::function<void(RelightTestHost &)>, PF_Err, std::size_t> cases[] = {
      {[](RelightTestHost &h) { h.Fail("new_world", PF_Err_OUT_OF_MEMORY, 1, true); },
       PF_Err_OUT_OF_MEMORY, 2},
      {[](RelightTestHost &h) { h.Fail("checkout_layer_pixels 0", PF_Err_OUT_OF_MEMORY, 1, true); },
       PF_Err_OUT_OF_MEMORY, 0},
      {[](RelightTestHost &h) { h.registry.Withdraw(kPFIterateFloatSuite, kPFIterateFloatSuiteVersion1); },
       A_Err_MISSING_SUITE, 2},
  };
  for (const auto &[fail, expected, checkins] : cases) {
    SCOPED_TRACE(expected);
    RelightTestHost host;
    FiringLayer(host);
    fail(host);
    EXPECT_EQ(host.SmartRender(), expected);
    EXPECT_EQ(host.CallsOf("checkin_layer_pixels").size(), checkins);
  }
}

PF_Err Call(RelightTestHost &host, PF_Cmd cmd, PF_ParamDef **params = nullptr) {
  return EntryPoint_VlamRelighter(cmd, &host.in_data, &host.out_data, params, nullptr, nullptr);
}

// The setup adds eleven parameters under their disk ids and types, and
// stops at a refusal; the panel enables the relight colour without the flash
// colour only.
TEST(RelighterParams, SetupAddsElevenAndThePanelFollowsUseFlashColour) {
  RelightTestHost host;
  host.added.clear();
  ASSERT_EQ(Call(host, PF_Cmd_PARAMS_SETUP), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 12);
  const std::vector<PF_ParamDef> &defs = host.added;
  ASSERT_EQ(defs.size(), 11u);
  std::vector<std::pair<A_long, A_long>> got;  // disk id and type in panel order
  for (const PF_ParamDef &d : defs) got.emplace_back(d.uu.id, d.param_type);
  constexpr A_long kS = PF_Param_FLOAT_SLIDER, kC = PF_Param_CHECKBOX;
  EXPECT_EQ(got, (std::vector<std::pair<A_long, A_long>>{
                     {100, PF_Param_LAYER}, {107, PF_Param_GROUP_START}, {108, kS}, {110, kC},
                     {109, PF_Param_POPUP}, {107, PF_Param_GROUP_END}, {101, kC},
                     {102, PF_Param_COLOR}, {103, kS}, {104, kS}, {105, kS}}));
  EXPECT_EQ(defs[0].u.ld.dephault, PF_LayerDefault_MYSELF);
  EXPECT_EQ(defs[6].flags, PF_ParamFlag_SUPERVISE | PF_ParamFlag_CANNOT_TIME_VARY |
                               PF_ParamFlag_CANNOT_INTERP);

  // The relight colour is enabled only without the flash colour.
  std::vector<PF_ParamDef *> array;
  for (PF_ParamDef &p : host.values) array.push_back(&p);
  host.values[vlam::kRelightColour].ui_flags = PF_PUI_DISABLED;
  for (const bool useFlashColour : {false, true}) {
    host.values[vlam::kRelightUseFlashColour].u.bd.value = useFlashColour;
    ASSERT_EQ(Call(host, PF_Cmd_UPDATE_PARAMS_UI, array.data()), PF_Err_NONE);
  }
  const std::string colour = "PF_UpdateParamUI " + std::to_string(vlam::kRelightColour) + " ";
  EXPECT_EQ(host.CallsOf({"PF_UpdateParamUI", "SetDynamicStreamFlag"}),
            (std::vector<std::string>{colour + "0", colour + std::to_string(PF_PUI_DISABLED)}));

  RelightTestHost refusing;
  refusing.Fail("add_param 4", PF_Err_OUT_OF_MEMORY, 1, true);
  EXPECT_EQ(Call(refusing, PF_Cmd_PARAMS_SETUP), PF_Err_OUT_OF_MEMORY);
}

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
  // Its colour and the ambient's are checked through the render.
  EXPECT_FLOAT_EQ(lights.ambient.alpha, 0.05625f);
  // Position from the layer centre, z dropped; diameter = spread x k x D.
  EXPECT_EQ(std::vector<double>(l.position, l.position + 3),
            std::vector<double>({10.0, -6.0, 0.0}));
  EXPECT_EQ(l.diameter, 250);

  b.block.instances[0].brightness = 0.5;
  vlam::LightSettings s = Defaults();
  std::tie(s.useFlashColour, s.gain, s.pixelAspect) = std::tuple(false, 50.0, 2.0);
  const vlam::RelightLights dimmed = vlam::BuildLights(b.block, s);
  ASSERT_EQ(dimmed.count, 1);
  EXPECT_FLOAT_EQ(dimmed.lights[0].colour.green, 0.75f * 50 * 0.5f * 0.01f * 0.75f);
  EXPECT_FLOAT_EQ(dimmed.ambient.green, 0.75f * 0.05625f);
  EXPECT_DOUBLE_EQ(dimmed.lights[0].position[0], 20.0);
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
  struct Guarded { ExchangeBlock block; InstanceRecord beyond; } g;
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
  std::tie(in.width, in.height, in.pixel_aspect_ratio, in.downsample_x) =
      std::tuple(40, 20, PF_RationalScale{1, 1}, PF_RationalScale{1, 1});
  for (const auto &[quality, width, height] :
       {std::tuple{PF_Quality_LO, 4, 2}, std::tuple{PF_Quality_HI, 10, 5}}) {
    in.quality = quality;
    const vlam::RelightGeometry g = vlam::ComputeRelightGeometry(in);
    EXPECT_EQ(std::tuple(g.bufferWidth, g.bufferHeight), std::tuple(width, height));
  }
  // trunc(trunc(trunc(40 x 2) x 0.5) x 0.25) by trunc(trunc(20 x 0.5) x 0.25).
  in.downsample_x = {1, 2};
  in.pixel_aspect_ratio = {2, 1};
  vlam::RelightGeometry g = vlam::ComputeRelightGeometry(in);
  EXPECT_EQ(std::tuple(g.bufferWidth, g.bufferHeight, g.scale), std::tuple(10, 2, 0.5));
  // A zero denominator from a broken host counts as 1; a tiny layer still
  // gets one pixel.
  std::tie(in.downsample_x, in.width, in.height) = std::tuple(PF_RationalScale{1, 0}, 3, 3);
  g = vlam::ComputeRelightGeometry(in);
  EXPECT_EQ(std::tuple(g.bufferWidth, g.bufferHeight), std::tuple(1, 1));
}

}  // namespace
}  // namespace vlam_relight_test
