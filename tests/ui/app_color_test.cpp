// The host's interface colours.
#include <gtest/gtest.h>

#include <vector>

#include "frame/fake_host_support.h"
#include "ui/app_color.h"

namespace vlam_test {
namespace {

// Hosts before 13.4 number the later colours three higher; channels are
// divided by 65536 and failures are black.
TEST(AppColor, NumberingChannelsAndFailures) {
  FakeEffectHost host;
  host.palette[15] = {65535, 32768, 0};
  DRAWBOT_ColorRGBA color{};
  for (const PF_SpecVersion version : {PF_SpecVersion{13, 2}, PF_SpecVersion{13, 4}}) {
    host.in_data.version = version;
    vlam::GetAppColor(&host.in_data, 56, &color);
    vlam::GetAppColor(&host.in_data, 54, &color);
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{"PF_AppGetColor 59", "PF_AppGetColor 54",
                                                  "PF_AppGetColor 56", "PF_AppGetColor 54"}));

  ASSERT_EQ(vlam::GetAppColor(&host.in_data, 15, &color), PF_Err_NONE);
  EXPECT_FLOAT_EQ(color.red, 0.9999847f);
  EXPECT_FLOAT_EQ(color.green, 0.5f);
  EXPECT_FLOAT_EQ(color.alpha, 1.0f);
  host.palette.erase(9);  // the host fails, leaving its colour scribbled
  EXPECT_EQ(vlam::GetAppColor(&host.in_data, 9, &color), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(color.red, 0.0f);
  EXPECT_EQ(color.alpha, 1.0f);
  EXPECT_EQ(host.registry.outstanding(), 0);

  const DRAWBOT_ColorRGBA scaled = vlam::ScaleColor({0.5f, 0.25f, 0.8f, 0.3f}, 1.42);
  EXPECT_FLOAT_EQ(scaled.red, 0.71f);
  EXPECT_GT(scaled.blue, 1.0f);  // not clamped
  EXPECT_FLOAT_EQ(scaled.alpha, 0.3f);
}

}  // namespace
}  // namespace vlam_test
