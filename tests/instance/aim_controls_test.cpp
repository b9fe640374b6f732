#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/fake_host_support.h"
#include "frame/effect_entries.h"
#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

using vlam_test::FakeEffectHost;

constexpr PF_Fixed kOne = 65536;

class AimControlsTest : public ::testing::Test {
 protected:
  AimControlsTest() {
    host.Param(kInstanceAimSystem, PF_Param_POPUP).u.pd.value = 1;
    host.Param(kInstancePosition, PF_Param_POINT_3D).u.point3d_d = {960.0, 540.0, 0, 0, 0, 0, {}};
    PF_PointDef &aim = host.Param(kInstanceAim, PF_Param_POINT).u.td;
    aim.x_value = 960 * kOne;
    aim.y_value = 340 * kOne;
    host.Param(kInstancePointAway, PF_Param_CHECKBOX);
    host.Param(kInstanceSweep, PF_Param_ANGLE);
    host.Param(kInstanceTilt, PF_Param_ANGLE);
  }

  PF_ParamDef &P(PF_ParamIndex i) { return host.values[i]; }
  bool Changed(PF_ParamIndex i) { return P(i).uu.change_flags == PF_ChangeFlag_CHANGED_VALUE; }

  PF_Err Send(PF_Cmd cmd, PF_ParamIndex changed = 0) {
    for (PF_ParamDef &def : host.values) def.uu.change_flags = 0;
    PF_UserChangedParamExtra extra{changed};
    return CallEffect(EntryPoint_VlamInstancer, cmd, host, &extra, true);
  }

  FakeEffectHost host;
};

TEST_F(AimControlsTest, MovingAimOrPositionUnderEzAimRewritesSweepAndTilt) {
  ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, kInstanceAim), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 90 * kOne);  // straight above, 200 px up
  EXPECT_EQ(P(kInstanceTilt).u.ad.value, 90 * kOne);
  EXPECT_TRUE(Changed(kInstanceSweep) && Changed(kInstanceTilt));
  EXPECT_FALSE(Changed(kInstanceAim));

  P(kInstancePosition).u.point3d_d.x_value = 600.0;  // aim 360 px to the right
  P(kInstancePosition).u.point3d_d.y_value = 370.0;
  P(kInstancePointAway).u.bd.value = 1;
  ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, kInstancePosition), PF_Err_NONE);
  const AimAngles a = EzAimAngles(600, 370, 960, 340, true);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 180 * kOne);  // 2 pi - pi
  EXPECT_EQ(P(kInstanceTilt).u.ad.value, std::lround(a.tilt * 57.29577951308232 * kOne));
}

TEST_F(AimControlsTest, EditingSweepOrTiltRewritesAimAndPointAwayUnderEitherSystem) {
  for (const A_long system : {1, 2}) {
    P(kInstanceAimSystem).u.pd.value = system;
    P(kInstanceSweep).u.ad.value = -90 * kOne;
    P(kInstanceTilt).u.ad.value = 45 * kOne;
    ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, kInstanceSweep), PF_Err_NONE);
    EXPECT_EQ(P(kInstanceAim).u.td.x_value, 960 * kOne);  // t = 0: above the muzzle
    EXPECT_EQ(P(kInstanceAim).u.td.y_value, 440 * kOne);  // 45 degrees: 100 px up
    EXPECT_EQ(P(kInstancePointAway).u.bd.value, 1);
    EXPECT_TRUE(Changed(kInstanceAim) && Changed(kInstancePointAway));
  }
  P(kInstanceSweep).u.ad.value = 180 * kOne;
  P(kInstanceTilt).u.ad.value = 0;
  ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, kInstanceTilt), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceAim).u.td.x_value, 1260 * kOne);
  EXPECT_EQ(P(kInstancePointAway).u.bd.value, 0);
}

TEST_F(AimControlsTest, PointAwayOtherParametersAndYzxAimRewriteNothing) {
  P(kInstanceSweep).u.ad.value = 777;
  for (const PF_ParamIndex i : std::initializer_list<PF_ParamIndex>{
           kInstancePointAway, kInstanceRoll, kInstanceAimSystem, 99}) {
    ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, i), PF_Err_NONE);
    EXPECT_EQ(P(kInstanceSweep).u.ad.value, 777);
    EXPECT_EQ(P(kInstanceAim).u.td.x_value, 960 * kOne);
  }
  EXPECT_TRUE(host.calls.empty());
  // Under YZX rotation moving the aim point leaves the angles alone.
  P(kInstanceAimSystem).u.pd.value = 2;
  ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, kInstanceAim), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 777);
  EXPECT_FALSE(Changed(kInstanceSweep));
}

TEST_F(AimControlsTest, AimSystemEnablesAimPointOrAngleControls) {
  using Updates = std::vector<std::pair<PF_ParamIndex, PF_ParamUIFlags>>;
  constexpr PF_ParamUIFlags kOff = PF_PUI_DISABLED;
  ASSERT_EQ(Send(PF_Cmd_UPDATE_PARAMS_UI), PF_Err_NONE);
  EXPECT_EQ(host.uiUpdates, (Updates{{kInstanceAim, 0},
                                     {kInstancePointAway, 0},
                                     {kInstanceSweep, kOff},
                                     {kInstanceTilt, kOff}}));
  host.uiUpdates.clear();
  P(kInstanceAimSystem).u.pd.value = 2;
  ASSERT_EQ(Send(PF_Cmd_UPDATE_PARAMS_UI), PF_Err_NONE);
  EXPECT_EQ(host.uiUpdates, (Updates{{kInstanceAim, kOff},
                                     {kInstancePointAway, kOff},
                                     {kInstanceSweep, 0},
                                     {kInstanceTilt, 0}}));
  // Every control is updated even after an error; the first error is kept.
  host.uiUpdates.clear();
  host.Fail("PF_UpdateParamUI " + std::to_string(kInstancePointAway), PF_Err_INVALID_INDEX);
  host.Fail("PF_UpdateParamUI " + std::to_string(kInstanceTilt), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Send(PF_Cmd_UPDATE_PARAMS_UI), PF_Err_INVALID_INDEX);
  EXPECT_EQ(host.uiUpdates.size(), 4u);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

}  // namespace
}  // namespace vlam
