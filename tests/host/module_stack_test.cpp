// Applying the Render effect brings the module stack through the utility
// plug-in's suite and idle hook.
#include "host/effect/EffectRunner.h"
#include "host_support.h"

using namespace vlam;
using vlam::test::TempDir;

namespace {

using Stack = std::vector<std::string>;

class ModuleStack : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));
};

TEST_F(ModuleStack, RenderOnAnEmptyLayerGetsTheFullStack) {
  host::Layer &plate = test::openSolidProject(*host);
  PF_Err err = -1;
  ASSERT_NE(host->applyEffect(plate, "zk_Vlam", &err), nullptr);
  EXPECT_EQ(err, PF_Err_NONE);
  EXPECT_EQ(test::stackOf(plate), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_NE(plate.effects[0]->sequenceData, nullptr) << "Module Selector state";
  EXPECT_NE(plate.effects[1]->sequenceData, nullptr) << "Flash Builder state";
  EXPECT_EQ(host->effectRefs().live(), 0u) << "every effect reference the plug-in took was disposed";
  EXPECT_TRUE(host->messages.empty());
  // Closing the project frees both sequence records (the selector has no
  // setdown of its own: the host frees what it leaves) and the builder's two
  // profile curve values.
  const std::size_t live = host->handles().liveCount();
  host->openProject(std::make_unique<host::Project>());
  EXPECT_EQ(host->handles().liveCount(), live - 4);
  EXPECT_EQ(host->handles().badHandleCalls(), 0u);
  // Effects may hold suites from global setup to setdown; after both
  // setdowns nothing is left acquired.
  for (const auto &effect : host->installedEffects()) host->runner().globalSetdown(*effect);
  EXPECT_EQ(host->suites().outstandingTotal(), 0) << "every suite acquired was released";
}

TEST_F(ModuleStack, ExistingSelectorAtIndexTwoGetsASecondOneOnTop) {
  host::Layer &plate = test::openSolidProject(*host);
  ASSERT_NE(host->applyEffect(plate, "zk_VlamInstance"), nullptr);
  ASSERT_NE(host->applyEffect(plate, "zk_VlamFlash"), nullptr);
  ASSERT_NE(host->applyEffect(plate, "zk_VlamMod"), nullptr);
  ASSERT_EQ(test::stackOf(plate), (Stack{"zk_VlamInstance", "zk_VlamFlash", "zk_VlamMod"}));
  host::EffectInstance *oldSelector = plate.effects[2].get();
  ASSERT_NE(host->applyEffect(plate, "zk_Vlam"), nullptr);
  // New selector on top, new builder right after it (the first selector), new
  // instance right after the first builder; the old effects keep their order.
  EXPECT_EQ(test::stackOf(plate), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_VlamInstance",
                                         "zk_VlamFlash", "zk_VlamMod", "zk_Vlam"}));
  EXPECT_EQ(plate.effects[5].get(), oldSelector);
}

TEST_F(ModuleStack, RefusedUtilsSuiteFailsTheRenderEffectsSetup) {
  host->suites().refuse("ZK Vlam Utils Suite");
  host::Layer &plate = test::openSolidProject(*host);
  PF_Err err = PF_Err_NONE;
  EXPECT_EQ(host->applyEffect(plate, "zk_Vlam", &err), nullptr);
  EXPECT_EQ(err, A_Err_MISSING_SUITE);
  ASSERT_EQ(host->messages.size(), 1u);
  EXPECT_EQ(host->messages[0].text, "Couldn't load Vlam Utils Suite");
  EXPECT_EQ(host->messages[0].error, 13);
  EXPECT_TRUE(plate.effects.empty()) << "a failed apply leaves nothing behind";
}

TEST_F(ModuleStack, TwoRequestsBeforeIdleServeOnlyTheLastLayer) {
  host::Layer &first = test::openSolidProject(*host);
  host::Layer &second = host->project().addLayer(*host->project().comps[0], "Second");
  // AEGP_ApplyEffect does not run the idle hooks; the requests pile up.
  host::EffectInstance *created = nullptr;
  ASSERT_EQ(host->applyInstalled(first, *host->findInstalled("zk_Vlam"), &created), PF_Err_NONE);
  ASSERT_EQ(host->applyInstalled(second, *host->findInstalled("zk_Vlam"), &created), PF_Err_NONE);
  host->runIdle();
  host->runIdle();
  EXPECT_EQ(test::stackOf(first), (Stack{"zk_Vlam"}));
  EXPECT_EQ(test::stackOf(second), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
}

TEST_F(ModuleStack, FailingApplyInsideTheIdleHookIsContained) {
  host::Layer &plate = test::openSolidProject(*host);
  // The second AEGP_ApplyEffect (the Flash Builder) fails: the rest goes on.
  host->monitor().failCall("AEGP_ApplyEffect", 2, A_Err_GENERIC);
  ASSERT_NE(host->applyEffect(plate, "zk_Vlam"), nullptr);
  EXPECT_EQ(test::stackOf(plate), (Stack{"zk_VlamInstance", "zk_VlamMod", "zk_Vlam"}))
      << "no builder: the instance, missing its anchor, goes to the top";
  EXPECT_EQ(host->effectRefs().live(), 0u);
}

} // namespace
