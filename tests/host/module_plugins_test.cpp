// The host learns the plug-ins only from the module's property lists and
// starts the general plug-in at load.
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host/module/ModuleLibrary.h"
#include "host_support.h"

#include <SPSuites.h>

using namespace vlam;
using vlam::test::TempDir;

namespace {

// What each list says is checked byte by byte with the module's own tests
// and the list reader's; here, that the host installs what the lists name,
// in their order.
TEST(ModulePlugins, EffectsComeFromThePropertyLists) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  const char *matchNames[] = {"zk_Vlam", "zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_VlamRelighter"};
  ASSERT_EQ(host.installedEffects().size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    const host::InstalledEffect &effect = *host.installedEffects()[i];
    SCOPED_TRACE(matchNames[i]);
    EXPECT_EQ(effect.key, static_cast<A_long>(i + 1));
    EXPECT_EQ(effect.pipl.resourceId, 16001 + static_cast<int>(i));
    EXPECT_EQ(effect.matchName(), matchNames[i]);
    EXPECT_EQ(effect.pipl.effectVersion, 0x00081E01u);
    EXPECT_FALSE(effect.globalSetupDone) << "global setup waits for first need";
  }
  ASSERT_EQ(host.generalPlugins().size(), 1u);
  const host::GeneralPlugin &utility = host.generalPlugins()[0];
  EXPECT_EQ(utility.pipl.name, "zkVlamUtil");
  EXPECT_EQ(utility.pipl.category, "General Plugin");
  EXPECT_EQ(utility.pipl.version, 0x00030000u);
  EXPECT_EQ(utility.initResult, A_Err_NONE);
  EXPECT_TRUE(host.suites().has("ZK Vlam Utils Suite", 1)) << "added through SP Suites Suite at load";
  EXPECT_EQ(host.idleHooks.size(), 1u);
  EXPECT_EQ(host.suites().outstanding(kSPSuitesSuite, kSPSuitesSuiteVersion), 0) << "released after use";
}

TEST(ModulePlugins, GlobalSetupFlagsMatchThePropertyLists) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  for (const auto &effect : host.installedEffects()) {
    ASSERT_EQ(host.runner().ensureReady(*effect), PF_Err_NONE) << effect->matchName();
    EXPECT_EQ(static_cast<std::uint32_t>(effect->outFlags), *effect->pipl.outFlags) << effect->matchName();
    EXPECT_EQ(static_cast<std::uint32_t>(effect->outFlags2), *effect->pipl.outFlags2) << effect->matchName();
    EXPECT_EQ(effect->myVersion, 0x00081E01u);
  }
  EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
}

TEST(ModulePlugins, UtilityPluginReportsWhenItCannotAddItsSuite) {
  TempDir dir;
  host::HostOptions options = test::testHostOptions(dir);
  options.refusedSuites = {kSPSuitesSuite};
  host::Host host(options);
  EXPECT_NE(host.generalPlugins()[0].initResult, A_Err_NONE);
  EXPECT_FALSE(host.suites().has("ZK Vlam Utils Suite", 1));
  bool reported = false;
  for (const auto &m : host.messages) reported = reported || m.text == "Error initialising zkVlamUtil!";
  EXPECT_TRUE(reported);
  EXPECT_TRUE(host.idleHooks.empty());
}

TEST(ModulePlugins, MissingOrForeignModuleIsAClearError) {
  TempDir dir;
  host::HostOptions options = test::testHostOptions(dir);
  options.modulePath = dir / "nowhere.aex";
  try {
    host::Host host(options);
    ADD_FAILURE() << "loaded a missing module";
  } catch (const host::HostError &e) {
    EXPECT_NE(std::string(e.what()).find("nowhere.aex"), std::string::npos);
  }
  test::writeFile(dir / "junk.aex", "not a shared object");
  options.modulePath = dir / "junk.aex";
  EXPECT_THROW(host::Host{options}, host::HostError);
  EXPECT_EQ(host::Host::currentOrNull(), nullptr) << "a failed start leaves no host behind";
}

} // namespace
