// Acquiring and releasing the DRAWBOT suites as one set.
#include <gtest/gtest.h>

#include "frame/suite_registry_support.h"
#include "ui/drawbot_suites.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {
namespace {

class DrawbotSuitesTest : public ::testing::Test {
 protected:
  DrawbotSuitesTest() {
    drawbot.PublishTo([this](const char *name, A_long version, const void *table) {
      registry.Publish(name, version, table);
    });
    in_data.pica_basicP = registry.basic();
  }

  FakeSuiteRegistry registry;
  FakeDrawbot drawbot;
  PF_InData in_data{};
  PF_OutData out_data{};
};

TEST_F(DrawbotSuitesTest, AcquiresAllFourAndReleasesThem) {
  vlam::DrawbotSuites suites;
  ASSERT_EQ(vlam::AcquireDrawbotSuites(&in_data, &out_data, &suites), PF_Err_NONE);
  EXPECT_EQ(suites.drawbot_suiteP, &drawbot.draw);
  EXPECT_EQ(suites.supplier_suiteP, &drawbot.supplier);
  EXPECT_EQ(suites.surface_suiteP, &drawbot.surface);
  EXPECT_EQ(suites.path_suiteP, &drawbot.path);
  EXPECT_EQ(registry.acquired(kDRAWBOT_SurfaceSuite, 2), 1);
  EXPECT_EQ(vlam::ReleaseDrawbotSuites(&in_data, &out_data), PF_Err_NONE);
  EXPECT_EQ(registry.outstanding(), 0);
  EXPECT_EQ(out_data.out_flags, 0);
}

TEST_F(DrawbotSuitesTest, NoRecordToFill) {
  EXPECT_EQ(vlam::AcquireDrawbotSuites(&in_data, &out_data, nullptr),
            PF_Err_UNRECOGNIZED_PARAM_TYPE);
  EXPECT_STREQ(out_data.return_msg, "NULL suite pointer passed to AEFX_AcquireDrawbotSuites");
  EXPECT_TRUE(out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
  EXPECT_EQ(registry.outstanding(), 0);
}

TEST_F(DrawbotSuitesTest, ARefusedSuiteStopsAndGivesBackTheOthers) {
  registry.Withdraw(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2);
  vlam::DrawbotSuites suites;
  EXPECT_EQ(vlam::AcquireDrawbotSuites(&in_data, &out_data, &suites), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(out_data.return_msg, "Not able to acquire AEFX Suite.");
  EXPECT_TRUE(out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
  EXPECT_EQ(registry.acquired(kDRAWBOT_PathSuite, 1), 0);  // not tried
  EXPECT_EQ(registry.refused(kDRAWBOT_PathSuite, 1), 0);
  EXPECT_EQ(registry.outstanding(), 0);  // draw and supplier given back
  EXPECT_EQ(suites.drawbot_suiteP, nullptr);
}

TEST_F(DrawbotSuitesTest, ScopedSetReleasesOnlyWhatItHolds) {
  {
    const vlam::ScopedDrawbotSuites suites(&in_data, &out_data);
    EXPECT_EQ(suites.error(), PF_Err_NONE);
    EXPECT_EQ(registry.outstanding(), 4);
  }
  EXPECT_EQ(registry.outstanding(), 0);
  registry.Withdraw(kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1);
  {
    const vlam::ScopedDrawbotSuites suites(&in_data, &out_data);
    EXPECT_EQ(suites.error(), PF_Err_BAD_CALLBACK_PARAM);
  }
  EXPECT_EQ(registry.released(kDRAWBOT_DrawSuite, 1), 1);  // only the first set's
}

TEST_F(DrawbotSuitesTest, WithoutABasicSuite) {
  in_data.pica_basicP = nullptr;
  vlam::DrawbotSuites suites;
  EXPECT_EQ(vlam::AcquireDrawbotSuites(&in_data, &out_data, &suites), PF_Err_BAD_CALLBACK_PARAM);
  out_data = PF_OutData{};
  EXPECT_EQ(vlam::ReleaseDrawbotSuites(&in_data, &out_data), PF_Err_NONE);
  EXPECT_STREQ(out_data.return_msg, "Not able to release AEFX Suite.");
}

}  // namespace
}  // namespace vlam_test
