// The Render effect's sequence setup asks the utility plug-in for the
// module stack on its layer.
#include <gtest/gtest.h>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"

namespace vlam_test {
namespace {

TEST(ModuleStackRequest, AsksForTheEffectsOwnLayerAtSetupOnly) {
  FakeEffectHost host;
  ASSERT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_SEQUENCE_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.CallsOf("RequestModuleStack"),
            std::vector<std::string>{"RequestModuleStack own layer"});
  EXPECT_EQ(host.registry.released(kVlamUtilsSuite, kVlamUtilsSuiteVersion1), 1);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Only at setup, not at resetup.
  ASSERT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_SEQUENCE_RESETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.CallsOf("RequestModuleStack").size(), 1u);
}

// Without the utility plug-in the setup reports and returns 13; with the
// layer unknown it asks for nothing.
TEST(ModuleStackRequest, FailuresAskForNothingAndReleaseEverything) {
  for (const bool noUtilityPlugin : {true, false}) {
    FakeEffectHost host;
    if (noUtilityPlugin) {
      host.registry.Withdraw(kVlamUtilsSuite, kVlamUtilsSuiteVersion1);
    } else {
      host.Fail("GetEffectLayer", A_Err_PARAMETER);
    }
    EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_SEQUENCE_SETUP, host),
              noUtilityPlugin ? A_Err_MISSING_SUITE : A_Err_PARAMETER);
    if (noUtilityPlugin) {
      EXPECT_STREQ(host.out_data.return_msg, "Couldn't load Vlam Utils Suite");
      EXPECT_NE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
    }
    EXPECT_TRUE(host.CallsOf("RequestModuleStack").empty());
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
}

}  // namespace
}  // namespace vlam_test
