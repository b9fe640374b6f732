// The UI's parts: owned drawing objects and the drawing exception, the
// DRAWBOT suites as one set, the host's colours and button grids.
#include <gtest/gtest.h>

#include <vector>

#include "frame/fake_host_support.h"
#include "ui/app_color.h"
#include "ui/button_grid.h"
#include "ui/drawbot_objects.h"
#include "ui/drawbot_suites.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {
namespace {

class DrawbotObjects : public ::testing::Test {
 protected:
  FakeDrawbot drawbot;
  // The fake's supplier functions take any supplier.
  const DRAWBOT_SupplierRef supplier = reinterpret_cast<DRAWBOT_SupplierRef>(0x200);
  const DRAWBOT_ColorRGBA red{1, 0, 0, 1};
};

TEST_F(DrawbotObjects, AFailedCreationIsTheEventsErrorReleaseFailuresThrow) {
  drawbot.failing["NewBrush"] = 21;
  drawbot.scribble_on_failure = true;
  const PF_Err err = vlam::RunDrawingEvent([&]() -> PF_Err {
    const vlam::DRAWBOT_PenP pen(&drawbot.supplier, supplier, red, 1.0f);
    const vlam::DRAWBOT_BrushP brush(&drawbot.supplier, supplier, red);
    return PF_Err_NONE;
  });
  EXPECT_EQ(err, 21);
  EXPECT_EQ(drawbot.Live(), 0);         // the pen made before is released
  EXPECT_EQ(drawbot.bad_releases, 0);  // the scribbled reference is not

  // Release failures throw, except from a destructor.
  drawbot.failing.clear();
  vlam::DRAWBOT_PenP pen(&drawbot.supplier, supplier, red, 1.0f);
  drawbot.failing["ReleaseObject"] = 4;
  EXPECT_THROW(pen.Release(), vlam::DRAWBOT_Exception);
  EXPECT_EQ(pen.get(), nullptr);  // not released twice
  EXPECT_NO_THROW({ const vlam::DRAWBOT_FontP font(&drawbot.supplier, supplier, 9.0f); });
  EXPECT_EQ(drawbot.Live(), 0);
  EXPECT_EQ(drawbot.bad_releases, 0);
}

// Acquiring the DRAWBOT suites as one set.
TEST(UiParts, DrawbotSuitesAppColorsAndButtonGrid) {
  FakeEffectHost host;
  FakeSuiteRegistry &registry = host.registry;
  {
    const vlam::ScopedDrawbotSuites suites(&host.in_data, &host.out_data);
    ASSERT_EQ(suites.error(), PF_Err_NONE);
    EXPECT_EQ(suites->surface_suiteP, &host.drawbot.surface);
    EXPECT_EQ(registry.acquired(kDRAWBOT_SurfaceSuite, 2), 1);
  }
  EXPECT_EQ(registry.outstanding(), 0);

  registry.Withdraw(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2);
  vlam::DrawbotSuites suites;
  EXPECT_EQ(vlam::AcquireDrawbotSuites(&host.in_data, &host.out_data, &suites),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_STREQ(host.out_data.return_msg, "Not able to acquire AEFX Suite.");
  EXPECT_TRUE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
  EXPECT_EQ(registry.acquired(kDRAWBOT_PathSuite, 1), 1);  // only the first time: not tried
  EXPECT_EQ(registry.outstanding(), 0);  // draw and supplier given back
  EXPECT_EQ(suites.drawbot_suiteP, nullptr);
  // The host's interface colours. Hosts before 13.4 number the later colours
  // three higher; channels are divided by 65536 and failures are black.
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
  // Button layout and hit testing shared by the custom controls.
  // (The Module Selector's drawing pins the buttons' rectangles.)
  const vlam::ButtonGrid grid(0.0f, 40.0f, {360.0f, 1, 5.0f, 19.0f}, 3);
  ASSERT_EQ(grid.buttons().size(), 3u);
  // (Clicks into the selector hit the last pixels of a button and the gap
  // after it, and repaint its left and right edges.)
  EXPECT_EQ(grid.HitTest(5, 50), -1);  // left of the first button
  EXPECT_EQ(grid.HitTest(124, 50), 1);
  EXPECT_EQ(grid.HitTest(354, 50), 2);  // past the parameter's declared 320
  EXPECT_EQ(grid.InvalidationRect(1).bottom, 64);
  EXPECT_EQ(grid.InvalidationRect(3).right, 0);  // no such button
  const vlam::ButtonGrid unset(0.0f, 40.0f, {360.0f, 0, 5.0f, 19.0f}, 3);  // no row count: one row
  EXPECT_FLOAT_EQ(unset.buttons()[2].x, 241.5f);
  EXPECT_FLOAT_EQ(unset.buttons()[2].y, 45.5f);
}

}  // namespace
}  // namespace vlam_test
