#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fake_instance_host_support.h"
#include "frame/effect_entries.h"
#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

using vlam_test::FakeInstanceHost;
using vlam_test::ParamOfType;

constexpr double kPi = 3.141592653589793;

class AimControlsTest : public ::testing::Test {
 protected:
  AimControlsTest() {
    host.values[kInstanceAimSystem] = ParamOfType(PF_Param_POPUP);
    host.values[kInstancePosition] = ParamOfType(PF_Param_POINT_3D);
    host.values[kInstanceAim] = ParamOfType(PF_Param_POINT);
    host.values[kInstancePointAway] = ParamOfType(PF_Param_CHECKBOX);
    host.values[kInstanceSweep] = ParamOfType(PF_Param_ANGLE);
    host.values[kInstanceTilt] = ParamOfType(PF_Param_ANGLE);
    P(kInstanceAimSystem).u.pd.value = 1;
    P(kInstancePosition).u.point3d_d.x_value = 960.0;
    P(kInstancePosition).u.point3d_d.y_value = 540.0;
    SetAim(960.0, 340.0);
  }

  PF_ParamDef &P(PF_ParamIndex i) { return host.values[i]; }
  void SetAim(double x, double y) {
    P(kInstanceAim).u.td.x_value = static_cast<PF_Fixed>(x * 65536);
    P(kInstanceAim).u.td.y_value = static_cast<PF_Fixed>(y * 65536);
  }

  PF_Err Changed(PF_ParamIndex index) {
    for (PF_ParamDef &def : host.values) def.uu.change_flags = 0;
    PF_UserChangedParamExtra extra{index};
    std::vector<PF_ParamDef *> params = host.ParamsArray();
    return EntryPoint_VlamInstancer(PF_Cmd_USER_CHANGED_PARAM, &host.in_data, &host.out_data,
                                    params.data(), nullptr, &extra);
  }

  PF_Err UpdateUi() {
    std::vector<PF_ParamDef *> params = host.ParamsArray();
    return EntryPoint_VlamInstancer(PF_Cmd_UPDATE_PARAMS_UI, &host.in_data, &host.out_data,
                                    params.data(), nullptr, nullptr);
  }

  bool MarkedChanged(PF_ParamIndex i) {
    return P(i).uu.change_flags == PF_ChangeFlag_CHANGED_VALUE;
  }

  FakeInstanceHost host;
};

TEST_F(AimControlsTest, MovingTheAimUnderEzAimRewritesSweepAndTilt) {
  // Straight above by 200 pixels: sweep 90 degrees, tilt 90 degrees.
  ASSERT_EQ(Changed(kInstanceAim), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 90 * 65536);
  EXPECT_EQ(P(kInstanceTilt).u.ad.value, 90 * 65536);
  EXPECT_TRUE(MarkedChanged(kInstanceSweep));
  EXPECT_TRUE(MarkedChanged(kInstanceTilt));
  EXPECT_FALSE(MarkedChanged(kInstanceAim));

  // Moving the muzzle does the same; 300 pixels left of the aim is full sweep.
  P(kInstancePosition).u.point3d_d.x_value = 660.0;
  P(kInstancePosition).u.point3d_d.y_value = 340.0;
  ASSERT_EQ(Changed(kInstancePosition), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 180 * 65536);
  EXPECT_EQ(P(kInstanceTilt).u.ad.value, 0);
}

TEST_F(AimControlsTest, WrittenAnglesRoundHalfAwayFromZero) {
  SetAim(960.0 - 100.0, 540.0 + 30.0);  // left and below, with Point Away: negative sweep
  P(kInstancePointAway).u.bd.value = 1;
  ASSERT_EQ(Changed(kInstanceAim), PF_Err_NONE);
  const AimAngles a = EzAimAngles(960.0, 540.0, 860.0, 570.0, true);
  EXPECT_LT(a.sweep, 0.0);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, std::lround(a.sweep * 57.29577951308232 * 65536));
  EXPECT_EQ(P(kInstanceTilt).u.ad.value, std::lround(a.tilt * 57.29577951308232 * 65536));
}

TEST_F(AimControlsTest, AimPointChangesLeaveTheAnglesAloneUnderYzxRotation) {
  P(kInstanceAimSystem).u.pd.value = 2;
  P(kInstanceSweep).u.ad.value = 12345;
  ASSERT_EQ(Changed(kInstanceAim), PF_Err_NONE);
  ASSERT_EQ(Changed(kInstancePosition), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 12345);
  EXPECT_FALSE(MarkedChanged(kInstanceSweep));
}

TEST_F(AimControlsTest, EditingSweepOrTiltRewritesAimAndPointAway) {
  for (const A_long system : {1, 2}) {
    P(kInstanceAimSystem).u.pd.value = system;
    P(kInstanceSweep).u.ad.value = -90 * 65536;
    P(kInstanceTilt).u.ad.value = 45 * 65536;
    ASSERT_EQ(Changed(kInstanceSweep), PF_Err_NONE);
    // t = 0: the aim sits straight above, 100 pixels up for 45 degrees.
    EXPECT_EQ(P(kInstanceAim).u.td.x_value, 960 * 65536);
    EXPECT_EQ(P(kInstanceAim).u.td.y_value, 440 * 65536);
    EXPECT_EQ(P(kInstancePointAway).u.bd.value, 1);
    EXPECT_TRUE(MarkedChanged(kInstanceAim));
    EXPECT_TRUE(MarkedChanged(kInstancePointAway));
  }

  P(kInstanceSweep).u.ad.value = 180 * 65536;
  P(kInstanceTilt).u.ad.value = 0;
  ASSERT_EQ(Changed(kInstanceTilt), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceAim).u.td.x_value, 1260 * 65536);
  EXPECT_EQ(P(kInstanceAim).u.td.y_value, 540 * 65536);
  EXPECT_EQ(P(kInstancePointAway).u.bd.value, 0);
}

TEST_F(AimControlsTest, AnglesWrittenFromTheAimComeBackToTheSameSweep) {
  SetAim(960.0 + 120.0, 540.0);
  ASSERT_EQ(Changed(kInstanceAim), PF_Err_NONE);
  SetAim(0.0, 0.0);
  ASSERT_EQ(Changed(kInstanceSweep), PF_Err_NONE);
  EXPECT_NEAR(P(kInstanceAim).u.td.x_value / 65536.0, 1080.0, 1e-3);
}

TEST_F(AimControlsTest, PointAwayAndOtherParametersChangeNothing) {
  const std::vector<PF_ParamDef> before = host.values;
  for (const PF_ParamIndex i :
       std::initializer_list<PF_ParamIndex>{kInstancePointAway, kInstanceRoll, kInstanceAimSystem,
                                            kInstanceTrigger, PF_ParamIndex{99}}) {
    ASSERT_EQ(Changed(i), PF_Err_NONE);
    EXPECT_EQ(P(kInstanceSweep).u.ad.value, before[kInstanceSweep].u.ad.value);
    EXPECT_EQ(P(kInstanceAim).u.td.x_value, before[kInstanceAim].u.td.x_value);
  }
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(AimControlsTest, AimSystemSwitchesBetweenAimPointAndAngleControls) {
  ASSERT_EQ(UpdateUi(), PF_Err_NONE);
  ASSERT_EQ(host.uiUpdates.size(), 4u);
  EXPECT_EQ(host.uiUpdates[0].index, kInstanceAim);
  EXPECT_EQ(host.uiUpdates[0].uiFlags, 0);
  EXPECT_EQ(host.uiUpdates[1].index, kInstancePointAway);
  EXPECT_EQ(host.uiUpdates[1].uiFlags, 0);
  EXPECT_EQ(host.uiUpdates[2].index, kInstanceSweep);
  EXPECT_EQ(host.uiUpdates[2].uiFlags, PF_PUI_DISABLED);
  EXPECT_EQ(host.uiUpdates[3].index, kInstanceTilt);
  EXPECT_EQ(host.uiUpdates[3].uiFlags, PF_PUI_DISABLED);

  host.uiUpdates.clear();
  P(kInstanceAimSystem).u.pd.value = 2;
  ASSERT_EQ(UpdateUi(), PF_Err_NONE);
  ASSERT_EQ(host.uiUpdates.size(), 4u);
  EXPECT_EQ(host.uiUpdates[0].uiFlags, PF_PUI_DISABLED);
  EXPECT_EQ(host.uiUpdates[1].uiFlags, PF_PUI_DISABLED);
  EXPECT_EQ(host.uiUpdates[2].uiFlags, 0);
  EXPECT_EQ(host.uiUpdates[3].uiFlags, 0);

  // An unreadable aim system (0) counts as EZ-Aim for the aim point controls
  // and switches the angles off.
  host.uiUpdates.clear();
  P(kInstanceAimSystem).u.pd.value = 0;
  ASSERT_EQ(UpdateUi(), PF_Err_NONE);
  EXPECT_EQ(host.uiUpdates[0].uiFlags, 0);
  EXPECT_EQ(host.uiUpdates[2].uiFlags, PF_PUI_DISABLED);
}

TEST_F(AimControlsTest, EveryControlIsUpdatedEvenAfterAnError) {
  host.uiUpdateErrors[kInstancePointAway] = PF_Err_INVALID_INDEX;
  host.uiUpdateErrors[kInstanceTilt] = PF_Err_OUT_OF_MEMORY;
  EXPECT_EQ(UpdateUi(), PF_Err_INVALID_INDEX);
  EXPECT_EQ(host.uiUpdates.size(), 4u);
  EXPECT_EQ(host.Outstanding(), 0);
}

}  // namespace
}  // namespace vlam
