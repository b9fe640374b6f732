// Acquiring the DRAWBOT suites as one set.
#include <gtest/gtest.h>

#include "frame/suite_registry_support.h"
#include "ui/drawbot_suites.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {
namespace {

TEST(DrawbotSuites, ARefusedSuiteStopsAndGivesBackTheOthers) {
  FakeSuiteRegistry registry;
  FakeDrawbot drawbot;
  drawbot.PublishTo([&](const char *name, A_long version, const void *table) {
    registry.Publish(name, version, table);
  });
  PF_InData in_data{};
  PF_OutData out_data{};
  in_data.pica_basicP = registry.basic();
  {
    const vlam::ScopedDrawbotSuites suites(&in_data, &out_data);
    ASSERT_EQ(suites.error(), PF_Err_NONE);
    EXPECT_EQ(suites->surface_suiteP, &drawbot.surface);
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
