// Parameter checkout with typed readers, value suites and parameter UI.
#include <gtest/gtest.h>

#include "frame/fake_host_support.h"
#include "frame/param_checkout.h"
#include "frame/param_ui.h"

namespace vlam_test {
namespace {

class ParamAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Param(0, PF_Param_LAYER);
    host.Param(1, PF_Param_ANGLE).u.ad.value = 2949120;     // 45 degrees
    host.Param(2, PF_Param_CHECKBOX).u.bd.value = 0x100;    // only the low byte counts
    PF_PointDef &point = host.Param(3, PF_Param_POINT).u.td;
    point.x_value = 10 << 16;
    point.y_value = -(3 << 15);
    host.Param(4, PF_Param_COLOR).u.cd.value = PF_Pixel{255, 255, 0, 51};
    host.Param(5, PF_Param_POPUP).u.pd.value = 3;
    host.Param(6, PF_Param_FLOAT_SLIDER).u.fs_d.value = 0.375;
  }
  FakeEffectHost host;
};

TEST_F(ParamAccess, AngleSuiteOnlyFromApi134WithinMajorVersion13) {
  host.angleSuiteAnswer = 12.5;
  // Before 13.4 and from 14 on, the fixed value of the checkout is read.
  for (const PF_SpecVersion version : {PF_SpecVersion{13, 3}, PF_SpecVersion{14, 0}}) {
    host.in_data.version = version;
    vlam::ParamValueSuites suites(&host.in_data);
    EXPECT_EQ(suites.angle(), nullptr);
    EXPECT_NE(suites.color(), nullptr);
    vlam::ParamCheckout angle(&host.in_data, 1);
    EXPECT_DOUBLE_EQ(angle.AngleValue(suites, false), 45.0);
    EXPECT_DOUBLE_EQ(angle.AngleValue(suites, true), 45.0 * 0.017453292519943295);
  }
  EXPECT_TRUE(host.calls.empty());  // the angle suite was not asked
  // Suites are released only when acquired.
  EXPECT_EQ(host.registry.released(kPFAngleParamSuite, kPFAngleParamSuiteVersion1), 0);
  EXPECT_EQ(host.registry.released(kPFColorParamSuite, kPFColorParamSuiteVersion1), 2);
  EXPECT_EQ(host.registry.outstanding(), 0);
  host.in_data.version = PF_SpecVersion{13, 4};
  vlam::ParamValueSuites suites(&host.in_data);
  vlam::ParamCheckout angle(&host.in_data, 1);
  EXPECT_DOUBLE_EQ(angle.AngleValue(suites, false), 12.5);
  EXPECT_EQ(host.calls, std::vector<std::string>{"GetFloatingPointValueFromAngleDef"});
}

// Typed readers; a reader of the wrong kind, or a point or colour without
// its suite, gives zero.
TEST_F(ParamAccess, TypedReaders) {
  {
    vlam::ParamValueSuites suites(&host.in_data);
    vlam::ParamCheckout checkbox(&host.in_data, 2);
    EXPECT_FALSE(checkbox.CheckboxValue());
    EXPECT_EQ(checkbox.AngleValue(suites, true), 0.0);
    EXPECT_EQ(checkbox.PointValue(suites), (std::array<double, 2>{0.0, 0.0}));
    const PF_PixelFloat none = checkbox.ColorValue(suites);
    EXPECT_EQ(none.alpha + none.red + none.green + none.blue, 0.0f);
    EXPECT_EQ(vlam::ParamCheckout(&host.in_data, 3).PointValue(suites),
              (std::array<double, 2>{10.0, -1.5}));
    const PF_PixelFloat color = vlam::ParamCheckout(&host.in_data, 4).ColorValue(suites);
    EXPECT_FLOAT_EQ(color.green, 0.0f);
    EXPECT_FLOAT_EQ(color.blue, 0.2f);
    EXPECT_EQ(vlam::ParamCheckout(&host.in_data, 5).PopupValue(), 3);
    EXPECT_DOUBLE_EQ(vlam::ParamCheckout(&host.in_data, 6).FloatValue(), 0.375);
  }
  host.registry.Withdraw(kPFPointParamSuite, kPFPointParamSuiteVersion1);
  host.registry.Withdraw(kPFColorParamSuite, kPFColorParamSuiteVersion1);
  vlam::ParamValueSuites suites(&host.in_data);
  EXPECT_TRUE(suites.acquired());
  EXPECT_EQ(vlam::ParamCheckout(&host.in_data, 3).PointValue(suites),
            (std::array<double, 2>{0.0, 0.0}));
  EXPECT_EQ(vlam::ParamCheckout(&host.in_data, 4).ColorValue(suites).alpha, 0.0f);
}

// A checkout is checked in at scope end; a failed one reads zero and is not.
TEST_F(ParamAccess, CheckoutScopeEnabledAndVisible) {
  {
    vlam::ParamCheckout popup(&host.in_data, 5);
    ASSERT_EQ(host.checkouts.size(), 1u);
    EXPECT_EQ(host.checkouts[0].index, 5);
    EXPECT_TRUE(host.checkedIn.empty());
  }
  EXPECT_EQ(host.checkedIn, std::vector<PF_ParamIndex>{5});
  host.Fail("checkout_param 5", PF_Err_INVALID_INDEX);
  {
    vlam::ParamCheckout popup(&host.in_data, 5);
    EXPECT_EQ(popup.error(), PF_Err_INVALID_INDEX);
    EXPECT_EQ(popup.PopupValue(), 0);
    EXPECT_EQ(popup.ArbitraryValue(), nullptr);
    EXPECT_EQ(popup.Point3DValue(), (std::array<double, 3>{0.0, 0.0, 0.0}));
  }
  EXPECT_EQ(host.checkedIn.size(), 1u);
// The whole flag word is replaced; without the parameter utilities suite 13
// is thrown.
  PF_ParamDef def = ParamOfType(PF_Param_COLOR);
  def.ui_flags = PF_PUI_CONTROL | PF_PUI_DONT_ERASE_CONTROL;
  PF_ParamDef *params[5] = {nullptr, nullptr, nullptr, nullptr, &def};
  ASSERT_EQ(vlam::SetParamEnabled(&host.in_data, params, 4, false), PF_Err_NONE);
  EXPECT_EQ(def.ui_flags, PF_PUI_DISABLED);
  ASSERT_EQ(vlam::SetParamEnabled(&host.in_data, params, 4, true), PF_Err_NONE);
  EXPECT_EQ(def.ui_flags, 0);
  ASSERT_EQ(host.uiUpdates.size(), 2u);
  EXPECT_EQ(host.uiUpdates[0].first, 4);
  EXPECT_EQ(host.uiUpdates[0].second, PF_PUI_DISABLED);
  EXPECT_EQ(host.uiUpdates[1].second, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Without the parameter utilities suite: 13 thrown.
  host.registry.Withdraw(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3);
  try {
    vlam::SetParamEnabled(&host.in_data, params, 4, true);
    FAIL() << "no error thrown";
  } catch (A_long code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
  ASSERT_EQ(vlam::SetParamVisible(&host.in_data, 7, false), A_Err_NONE);
  ASSERT_EQ(vlam::SetParamVisible(&host.in_data, 8, true), A_Err_NONE);
  const std::vector<std::string> hidden = {
      "SetDynamicStreamFlag " + std::to_string(AEGP_DynStreamFlag_HIDDEN) + " 7 set",
      "SetDynamicStreamFlag " + std::to_string(AEGP_DynStreamFlag_HIDDEN) + " 8 cleared"};
  EXPECT_EQ(host.CallsOf("SetDynamicStreamFlag"), hidden);
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.liveStreams, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Without the effect or its stream it stops.
  host.Fail("GetNewEffectForEffect", A_Err_GENERIC);
  EXPECT_EQ(vlam::SetParamVisible(&host.in_data, 7, false), A_Err_GENERIC);
  host.Fail("GetNewEffectStreamByIndex", A_Err_PARAMETER);
  EXPECT_EQ(vlam::SetParamVisible(&host.in_data, 7, false), A_Err_PARAMETER);
  EXPECT_EQ(host.CallsOf("SetDynamicStreamFlag"), hidden);
  EXPECT_EQ(host.liveEffectRefs, 0);  // the effect reference was disposed
}

}  // namespace
}  // namespace vlam_test
