// The host's interface colours.
#include <gtest/gtest.h>

#include <vector>

#include "frame/host_error.h"
#include "frame/suite_registry_support.h"
#include "ui/app_color.h"

namespace vlam_test {
namespace {

std::vector<PF_App_ColorType> g_requests;
PF_App_Color g_color{0, 0, 0};
PF_Err g_error = PF_Err_NONE;

PF_Err AppGetColor(PF_App_ColorType type, PF_App_Color *color) {
  g_requests.push_back(type);
  if (g_error != PF_Err_NONE) {
    *color = PF_App_Color{0x1234, 0x1234, 0x1234};  // a failing host may write anyway
    return g_error;
  }
  *color = g_color;
  return PF_Err_NONE;
}

class AppColorTest : public ::testing::Test {
 protected:
  AppColorTest() {
    g_requests.clear();
    g_color = PF_App_Color{65535, 32768, 0};
    g_error = PF_Err_NONE;
    app.PF_AppGetColor = AppGetColor;
    registry.Publish(kPFAppSuite, kPFAppSuiteVersion6, &app);
    in_data.pica_basicP = registry.basic();
    in_data.version = {13, 28};
  }
  PF_App_ColorType AskedFor(PF_SpecVersion version, PF_App_ColorType type) {
    in_data.version = version;
    g_requests.clear();
    DRAWBOT_ColorRGBA color{};
    vlam::GetAppColor(&in_data, type, &color);
    return g_requests.at(0);
  }

  FakeSuiteRegistry registry;
  PF_AppSuite6 app{};
  PF_InData in_data{};
};

TEST_F(AppColorTest, OlderHostsNumberTheLaterColoursThreeHigher) {
  EXPECT_EQ(AskedFor({13, 2}, 56), 59);
  EXPECT_EQ(AskedFor({13, 2}, 55), 58);
  EXPECT_EQ(AskedFor({13, 2}, 54), 54);
  EXPECT_EQ(AskedFor({13, 0}, 56), 59);
  EXPECT_EQ(AskedFor({13, 3}, 56), 59);
  EXPECT_EQ(AskedFor({13, 4}, 56), 56);
  EXPECT_EQ(AskedFor({12, 2}, 56), 56);
  EXPECT_EQ(AskedFor({14, 0}, 56), 56);
}

TEST_F(AppColorTest, ChannelsAreDividedBy65536) {
  DRAWBOT_ColorRGBA color{};
  ASSERT_EQ(vlam::GetAppColor(&in_data, 15, &color), PF_Err_NONE);
  EXPECT_FLOAT_EQ(color.red, 0.9999847f);
  EXPECT_LT(color.red, 1.0f);
  EXPECT_FLOAT_EQ(color.green, 0.5f);
  EXPECT_FLOAT_EQ(color.blue, 0.0f);
  EXPECT_FLOAT_EQ(color.alpha, 1.0f);
  EXPECT_EQ(registry.outstanding(), 0);
}

TEST_F(AppColorTest, AFailingHostGivesOpaqueBlackAndItsError) {
  g_error = PF_Err_BAD_CALLBACK_PARAM;
  DRAWBOT_ColorRGBA color{0.5f, 0.5f, 0.5f, 0.5f};
  EXPECT_EQ(vlam::GetAppColor(&in_data, 9, &color), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(color.red, 0.0f);
  EXPECT_EQ(color.green, 0.0f);
  EXPECT_EQ(color.blue, 0.0f);
  EXPECT_EQ(color.alpha, 1.0f);
  EXPECT_EQ(registry.outstanding(), 0);
}

TEST_F(AppColorTest, ARefusedSuiteIsThrown) {
  registry.Withdraw(kPFAppSuite, kPFAppSuiteVersion6);
  DRAWBOT_ColorRGBA color{};
  try {
    vlam::GetAppColor(&in_data, 9, &color);
    FAIL() << "no exception";
  } catch (vlam::HostError code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
}

TEST(ScaleColorTest, ScalesRgbWithoutClampingAndKeepsAlpha) {
  const DRAWBOT_ColorRGBA scaled = vlam::ScaleColor({0.5f, 0.25f, 0.8f, 0.3f}, 1.42);
  EXPECT_FLOAT_EQ(scaled.red, 0.71f);
  EXPECT_FLOAT_EQ(scaled.green, 0.355f);
  EXPECT_FLOAT_EQ(scaled.blue, static_cast<float>(0.8f * 1.42));
  EXPECT_GT(scaled.blue, 1.0f);
  EXPECT_FLOAT_EQ(scaled.alpha, 0.3f);
}

}  // namespace
}  // namespace vlam_test
