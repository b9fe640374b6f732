#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "frame/host_error.h"
#include "render/flash_collector.h"
#include "render/render_host_support.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

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
            ASSERT_GE(n, 1);
            ASSERT_LE(n, 16);
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
  EXPECT_EQ(host.Count("EffectCallGeneric"), 0);
  EXPECT_EQ(host.effectRefsMade, 3);

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
  EXPECT_EQ(block.table.designs[0].valid, 0);
  EXPECT_EQ(block.table.instanceCount, 1);
  EXPECT_EQ(block.instances[0].randomSeed, 4);
  EXPECT_EQ(host.Count("EffectCallGeneric"), 1);

  host.effects = {Builder(3, 111.0), Builder(3, 222.0)};
  ASSERT_EQ(Collect(), PF_Err_NONE);
  EXPECT_EQ(block.table.designs[2].mainLength, 222.0);
}

// Sixteen instances leave no message; the seventeenth is refused with a
// message only. A host error stops the walk with every reference disposed; a
// disposal error counts only when nothing failed before; a missing effect
// suite is thrown.
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

  const struct {
    const char *fails;  // an injected suite failure, answering `error`
    A_Err error;
    A_Err flagsError, callError;  // the first effect's flags, the second's call
    A_Err expected;
    int calls, refsMade;
  } cases[] = {
      {"GetLayerEffectByIndex 2", A_Err_GENERIC, A_Err_NONE, A_Err_NONE, A_Err_GENERIC, 2, 2},
      {"", A_Err_NONE, A_Err_NONE, A_Err_PARAMETER, A_Err_PARAMETER, 2, 2},
      {"GetLayerNumEffects", A_Err_GENERIC, A_Err_NONE, A_Err_NONE, A_Err_GENERIC, 0, 0},
      {"DisposeEffect", A_Err_ALLOC, A_Err_NONE, A_Err_NONE, A_Err_ALLOC, 1, 1},
      {"DisposeEffect", A_Err_ALLOC, A_Err_PARAMETER, A_Err_NONE, A_Err_PARAMETER, 0, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(&c - cases);
    host.effects = {Builder(1, 1.0), Instance(1), Instance(2), Instance(3)};
    host.effects[0].flagsError = c.flagsError;
    host.effects[1].callError = c.callError;
    host.Heal();
    host.Fail(c.fails, c.error, 1, true);
    host.calls.clear();
    host.effectRefsMade = 0;
    EXPECT_EQ(Collect(), c.expected);
    EXPECT_EQ(host.Count("EffectCallGeneric"), c.calls);
    EXPECT_EQ(host.effectRefsMade, c.refsMade);
  }

  host.Heal();
  host.registry.Withdraw(kAEGPEffectSuite, kAEGPEffectSuiteVersion3);
  ClearExchangeBlock(block);
  try {
    CollectFlashes(&host.in_data, &host.out_data, block);
    ADD_FAILURE() << "no error thrown";
  } catch (HostError code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
}

}  // namespace
}  // namespace vlam_render_test
