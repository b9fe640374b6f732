// The Render effect's global setup, its parameters and its collecting of the
// flash designs and instances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "render/flash_collector.h"
#include "render/render_commands.h"
#include "render/render_host_support.h"
#include "render/tone_table.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

// The Render effect's global setup and setdown, parameters and panel.
class RenderSetupTest : public ::testing::Test {
 protected:
  RenderTestHost host;

  void TearDown() override {
    if (host.out_data.global_data != nullptr) {
      host.in_data.global_data = host.out_data.global_data;
      CallRender(PF_Cmd_GLOBAL_SETDOWN, host);
    }
    EXPECT_EQ(host.handles.LiveHandles(), 0);
  }
  const RenderGlobals &Globals() {
    return *static_cast<const RenderGlobals *>(*host.out_data.global_data);
  }
  // The record is packed: its pointer is copied out, never bound by reference.
  const std::uint16_t *DistanceTable() { return Globals().distanceTable; }
  const PF_ParamDef &Added(PF_ParamIndex index) { return host.added.at(index - 1u); }
  void SetMode(A_long mode) {
    host.UseDefaultParams(RenderParamDefs());
    host.values[kRenderCompositingMode].u.pd.value = mode;
    host.hidden.clear();
  }
  PF_Err UpdateUi() {
    std::vector<PF_ParamDef *> pointers;
    for (PF_ParamDef &p : host.values) pointers.push_back(&p);
    return CallRender(PF_Cmd_UPDATE_PARAMS_UI, host, nullptr, pointers.data());
  }
};

// The setup registers and builds the default curves, the distance table and
// the tone table.
TEST_F(RenderSetupTest, SetupRegistersAndBuildsTheCurvesAndTables) {
  ASSERT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), PF_Err_NONE);
  ASSERT_NE(host.out_data.global_data, nullptr);
  EXPECT_EQ(host.registeredName, "zk_Vlam");
  EXPECT_EQ(Globals().pluginId, 77u);

  // Fields of the packed record are read by value: they need not be aligned.
  // The point counts tell the four curves apart (their points are those of
  // the texts the setup parses, whose parser has its own tests).
  const int counts[] = {7, 8, 6, 5};
  for (int slot = 0; slot < 4; ++slot) {
    const ShapeCurve &c = Globals().defaultCurves[slot];
    const int count = c.count, capacity = c.capacity;
    EXPECT_EQ(std::tuple(count, capacity), std::tuple(counts[slot], counts[slot])) << slot;
  }
  // 2^7 + the sum of the first curve's x values.
  const double signature = Globals().defaultCurves[0].xSignature;
  EXPECT_NEAR(signature, 128 + 2.85, 1e-12);

  // Distance entries are rounded half up.
  const std::uint16_t *table = Globals().distanceTable;
  ASSERT_NE(table, nullptr);
  // v is sqrt(q) rounded half up exactly when v - 1/2 <= sqrt(q) < v + 1/2,
  // that is (2v - 1)^2 <= 4q < (2v + 1)^2 (the lower bound only for v > 0).
  for (long a = 0; a <= 120; ++a)
    for (long b = 0; b <= 120; ++b) {
      const long v = table[121 * a + b], q4 = 4 * (a * a + b * b);
      ASSERT_TRUE((v == 0 || (2 * v - 1) * (2 * v - 1) <= q4) && q4 < (2 * v + 1) * (2 * v + 1))
          << a << "," << b << " -> " << v;
    }
  EXPECT_EQ(table[121 * 120 + 120], 170);

  // The tone table is linear to its knee, continuous, and ends at one.
  const float *tone = Globals().toneTable;
  for (int i : {0, 100, 127, 128}) EXPECT_FLOAT_EQ(tone[i], i / 512.0f) << i;
  // The logarithmic branch starts where the linear one stops: its first step
  // is close to a linear step (its slope there is 0.625 / (0.25 ln 10)).
  EXPECT_NEAR(tone[129] - tone[128], 1.0857f / 512.0f, 0.01f / 512.0f);
  for (int i = 1; i < kToneTableSize; ++i) ASSERT_GE(tone[i], tone[i - 1]) << i;
  EXPECT_EQ(tone[kToneTableSize - 1], 1.0f);
  // 0.25 + 0.625 log10(x / 0.25) reaches 1 at x = 0.25 x 10^1.2, about 3.96.
  const int firstOne = static_cast<int>(std::find(tone, tone + kToneTableSize, 1.0f) - tone);
  EXPECT_NEAR(firstOne / 512.0, 0.25 * std::pow(10.0, 1.2), 2.0 / 512.0);
  for (int i = firstOne; i < kToneTableSize; ++i) ASSERT_EQ(tone[i], 1.0f);
}

// A record that cannot be made or locked is reported and not kept; a
// registration error or a missing utility suite keeps no table.
TEST_F(RenderSetupTest, SetupFailuresAreReportedAndKeepNoTable) {
  for (const bool lockFails : {false, true}) {
    host.handles.failNewHandle = !lockFails;
    host.handles.failLock = lockFails;
    host.out_data = PF_OutData{};
    EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), PF_Err_OUT_OF_MEMORY);
    EXPECT_STREQ(host.out_data.return_msg, lockFails ? "Could not initialise global data (2)"
                                                     : "Could not initialise global data (1)");
    EXPECT_NE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
    EXPECT_EQ(host.out_data.global_data, nullptr);
  }

  // A registration error is the result, and a missing utility suite fails
  // the setup; neither keeps a table.
  host.handles.failNewHandle = host.handles.failLock = false;
  host.out_data = PF_OutData{};
  host.Fail("RegisterWithAEGP", A_Err_GENERIC, 1, true);
  EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), A_Err_GENERIC);
  ASSERT_NE(host.out_data.global_data, nullptr);
  // A failed global setup is not set down, so nothing may stay allocated.
  EXPECT_EQ(DistanceTable(), nullptr);

  host.in_data.global_data = host.out_data.global_data;
  CallRender(PF_Cmd_GLOBAL_SETDOWN, host);
  host.Heal();
  host.out_data = PF_OutData{};
  host.registry.Withdraw(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5);
  EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), A_Err_MISSING_SUITE);
  // The record stays for the setdown, which frees it; no table was made yet.
  ASSERT_NE(host.out_data.global_data, nullptr);
  EXPECT_EQ(DistanceTable(), nullptr);
}

// Nineteen parameters under their disk ids, with their flags and the default
// mode; a failed add stops the setup; the panel follows the compositing mode.
TEST_F(RenderSetupTest, AddsNineteenParametersAndMaxBrightnessFollowsTheNormalisedMode) {
  ASSERT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 20);
  ASSERT_EQ(host.added.size(), 19u);

  // Disk ids and flags in panel order (names and types are the table's).
  std::vector<A_long> ids, flags;
  for (const PF_ParamDef &p : host.added) {
    ids.push_back(p.uu.id);
    flags.push_back(p.flags);
  }
  EXPECT_EQ(ids, (std::vector<A_long>{105, 111, 114, 115, 111, 107, 120, 121, 133, 122, 123, 124,
                                      125, 122, 107, 130, 131, 132, 130}));
  constexpr A_long kSup = PF_ParamFlag_SUPERVISE;
  EXPECT_EQ(flags, (std::vector<A_long>{PF_ParamFlag_COLLAPSE_TWIRLY, 0, 0, 0, 0, 0, kSup, 0, 0,
                                        0, 0, kSup, 0, 0, 0, 0, 0, kSup, 0}));
  // The render and the pre-render rely on these two indices.
  EXPECT_EQ(Added(kRenderGrainLayerParam).param_type, PF_Param_LAYER);
  EXPECT_EQ(Added(kRenderGrainLayerParam).u.ld.dephault, PF_LayerDefault_NONE);
  EXPECT_EQ(Added(kRenderCompositingMode).u.pd.dephault, kCompositeNormalised);

  // A failed add stops the setup.
  host.added.clear();
  host.out_data = PF_OutData{};
  host.Fail("add_param 6", PF_Err_OUT_OF_MEMORY, 1, true);  // "Compositing Mode"
  EXPECT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(std::tuple(host.added.size(), host.out_data.num_params), std::tuple(6u, 0));

  // Max Brightness shows in the "Normalised" mode only, and shows again when
  // that mode comes back; the toon parameters never show. Without a parameter
  // array only the toon group is touched; the first stream error stops the
  // update.
  for (A_long mode : {kCompositeNormalised, kCompositeAdd, kCompositeScreen,
                      kCompositeLumaPremultiplied, kCompositeNormalised}) {
    SetMode(mode);
    ASSERT_EQ(UpdateUi(), PF_Err_NONE);
    EXPECT_EQ(host.hidden.at(kRenderMaxBrightness), mode != kCompositeNormalised) << mode;
    for (PF_ParamIndex i : {kRenderToonGroup, kRenderToonColours, kRenderToonThickness,
                            kRenderToonOutlineColour})
      EXPECT_TRUE(host.hidden.at(i)) << "mode " << mode << " param " << i;
    EXPECT_EQ(host.hidden.size(), 5u);  // nothing else is touched
  }

  SetMode(kCompositeAdd);
  host.checkouts.clear();
  ASSERT_EQ(CallRender(PF_Cmd_UPDATE_PARAMS_UI, host), PF_Err_NONE);
  EXPECT_EQ(host.hidden.count(kRenderMaxBrightness), 0u);
  EXPECT_TRUE(host.hidden.at(kRenderToonGroup));
  EXPECT_TRUE(host.checkouts.empty());

  SetMode(kCompositeNormalised);
  host.Fail("GetNewEffectStreamByIndex", A_Err_GENERIC, 1, true);
  EXPECT_EQ(UpdateUi(), A_Err_GENERIC);
  EXPECT_TRUE(host.hidden.empty());
}

// A builder that writes its identifier's slot with `marker` as its length.
LayerEffect Builder(int identifier, double marker, bool active = true) {
  return {"zk_VlamFlash", active, [identifier, marker](void *extra, const A_Time &) {
            FlashDesign &slot = static_cast<FlashDesignTable *>(extra)->designs[identifier - 1];
            slot.mainLength = marker;
            slot.valid = 1;
          }};
}

// An instance that writes slot (count - 1) with `seed`, as the real one does.
LayerEffect Instance(std::int32_t seed, bool active = true) {
  return {"zk_VlamInstance", active, [seed](void *extra, const A_Time &) {
            ExchangeBlock &block = *static_cast<ExchangeBlock *>(extra);
            const int n = block.table.instanceCount;
            ASSERT_TRUE(n >= 1 && n <= 16) << n;
            block.instances[n - 1].randomSeed = seed;
            block.instances[n - 1].triggerLevel = 0.4;
          }};
}

LayerEffect Other(const char *matchName) {
  return {matchName, true,
          [](void *, const A_Time &) { ADD_FAILURE() << "an unrelated effect was called"; }};
}

class FlashCollectorTest : public ::testing::Test {
 protected:
  RenderTestHost host;
  ExchangeBlock block;

  FlashCollectorTest() {
    // What the stack held before: the clearing must not rely on it.
    std::memset(static_cast<void *>(&block), 0xA5, sizeof block);
  }
  PF_Err Collect() {
    ClearExchangeBlock(block);
    return CollectFlashes(&host.in_data, &host.out_data, block);
  }
};

// Without modules every byte of the block is cleared, whole design slots
// included: a builder without petals leaves its barrel radius and offset
// unwritten and the drawing still reads them, so nothing of what the block
// held may remain. Active builders and instances are asked in stack order.
TEST_F(FlashCollectorTest, OnlyActiveBuildersAndInstancesAreAskedInStackOrderAtTheRenderTime) {
  host.effects = {Other("ADBE Gaussian Blur 2"), Other("zk_Vlam"), Other("zk_VlamMod")};
  ASSERT_EQ(Collect(), PF_Err_NONE);
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&block);
  for (std::size_t i = 0; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(std::tuple(host.Count("EffectCallGeneric"), host.effectRefsMade), std::tuple(0, 3));

  host.effects = {Builder(2, 120.0), Instance(5), Other("zk_VlamFlashX"), Instance(6)};
  ASSERT_EQ(Collect(), PF_Err_NONE);
  EXPECT_EQ(std::tuple(block.table.designs[0].valid, block.table.designs[1].valid,
                       block.table.designs[1].mainLength),
            std::tuple(0, 1, 120.0));
  EXPECT_EQ(std::tuple(block.table.instanceCount, block.instances[0].randomSeed,
                       block.instances[1].randomSeed),
            std::tuple(2, 5, 6));
  const std::string at = std::to_string(host.in_data.current_time) + "/" +
                         std::to_string(host.in_data.time_scale);
  EXPECT_EQ(host.CallsOf("EffectCallGeneric"),
            std::vector<std::string>(3, "EffectCallGeneric " + at));

  // Switched-off effects are ignored; of two builders with one identifier
  // the lower wins.
  host.effects = {Builder(1, 100.0, false), Instance(3, false), Instance(4)};
  host.calls.clear();
  ASSERT_EQ(Collect(), PF_Err_NONE);
  EXPECT_EQ(std::tuple(block.table.designs[0].valid, block.table.instanceCount,
                       block.instances[0].randomSeed, host.Count("EffectCallGeneric")),
            std::tuple(0, 1, 4, 1));

  host.effects = {Builder(3, 111.0), Builder(3, 222.0)};
  ASSERT_EQ(Collect(), PF_Err_NONE);
  EXPECT_EQ(block.table.designs[2].mainLength, 222.0);
}

// Sixteen instances leave no message; the seventeenth is refused with a
// message only. A host error stops the walk with every reference disposed; a
// disposal error counts only when nothing failed before (a missing suite is
// thrown by the suite access all collecting shares, tested with it).
TEST_F(FlashCollectorTest, TheSeventeenthInstanceIsRefusedAndHostErrorsStopTheWalk) {
  for (int i = 0; i < 16; ++i) host.effects.push_back(Instance(100 + i));
  ASSERT_EQ(Collect(), PF_Err_NONE);
  EXPECT_STREQ(host.out_data.return_msg, "") << "sixteen leave no message";
  host.effects.push_back(Instance(116));
  host.calls.clear();
  ASSERT_EQ(Collect(), PF_Err_NONE);
  EXPECT_EQ(block.table.instanceCount, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(block.instances[i].randomSeed, 100 + i);
  EXPECT_EQ(host.Count("EffectCallGeneric"), 16);
  EXPECT_STREQ(host.out_data.return_msg, "Vlam supports a maximum of 16 instances");
  EXPECT_EQ(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);

  // An injected suite failure and its error; the errors of the first effect's
  // flags and the second's call; the result, the calls and the references made.
  const std::tuple<const char *, A_Err, A_Err, A_Err, A_Err, int, int> cases[] = {
      {"GetLayerEffectByIndex 2", A_Err_GENERIC, A_Err_NONE, A_Err_NONE, A_Err_GENERIC, 2, 2},
      {"", A_Err_NONE, A_Err_NONE, A_Err_PARAMETER, A_Err_PARAMETER, 2, 2},
      {"GetLayerNumEffects", A_Err_GENERIC, A_Err_NONE, A_Err_NONE, A_Err_GENERIC, 0, 0},
      {"DisposeEffect", A_Err_ALLOC, A_Err_NONE, A_Err_NONE, A_Err_ALLOC, 1, 1},
      {"DisposeEffect", A_Err_ALLOC, A_Err_PARAMETER, A_Err_NONE, A_Err_PARAMETER, 0, 1},
  };
  for (const auto &[fails, error, flagsError, callError, expected, calls, refsMade] : cases) {
    SCOPED_TRACE(testing::Message() << fails << " " << flagsError << " " << callError);
    host.effects = {Builder(1, 1.0), Instance(1), Instance(2), Instance(3)};
    host.effects[0].flagsError = flagsError;
    host.effects[1].callError = callError;
    host.Heal();
    host.Fail(fails, error, 1, true);
    host.calls.clear();
    host.effectRefsMade = 0;
    EXPECT_EQ(Collect(), expected);
    EXPECT_EQ(std::tuple(host.Count("EffectCallGeneric"), host.effectRefsMade),
              std::tuple(calls, refsMade));
  }
}

}  // namespace
}  // namespace vlam_render_test
