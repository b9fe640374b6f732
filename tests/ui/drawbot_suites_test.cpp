// Acquiring the DRAWBOT suites as one set.
#include <gtest/gtest.h>

#include "frame/fake_host_support.h"
#include "ui/drawbot_suites.h"

namespace vlam_test {
namespace {

TEST(DrawbotSuites, ARefusedSuiteStopsAndGivesBackTheOthers) {
  FakeEffectHost host;
  FakeSuiteRegistry &registry = host.registry;
  PF_InData &in_data = host.in_data;
  PF_OutData &out_data = host.out_data;
  {
    const vlam::ScopedDrawbotSuites suites(&in_data, &out_data);
    ASSERT_EQ(suites.error(), PF_Err_NONE);
    EXPECT_EQ(suites->surface_suiteP, &host.drawbot.surface);
    EXPECT_EQ(registry.acquired(kDRAWBOT_SurfaceSuite, 2), 1);
  }
  EXPECT_EQ(registry.outstanding(), 0);

  registry.Withdraw(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2);
  vlam::DrawbotSuites suites;
  EXPECT_EQ(vlam::AcquireDrawbotSuites(&in_data, &out_data, &suites), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(out_data.return_msg, "Not able to acquire AEFX Suite.");
  EXPECT_TRUE(out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
  EXPECT_EQ(registry.acquired(kDRAWBOT_PathSuite, 1), 1);  // only the first time: not tried
  EXPECT_EQ(registry.outstanding(), 0);  // draw and supplier given back
  EXPECT_EQ(suites.drawbot_suiteP, nullptr);
}

}  // namespace
}  // namespace vlam_test
