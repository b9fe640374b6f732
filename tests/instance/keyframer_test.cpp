#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fake_instance_host_support.h"
#include "frame/effect_entries.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

using vlam_test::FakeInstanceHost;
using vlam_test::ParamOfType;
using Keys = std::map<A_long, double>;

class KeyframerTest : public ::testing::Test {
 protected:
  KeyframerTest() {
    host.values[kInstanceRateOfFire] = ParamOfType(PF_Param_FLOAT_SLIDER);
    host.values[kInstanceNumberOfRounds] = ParamOfType(PF_Param_FLOAT_SLIDER);
    Set(12.0, 3.0);
    host.layerCurrentTime = {10, 24};
  }

  void Set(double rate, double rounds) {
    host.values[kInstanceRateOfFire].u.fs_d.value = rate;
    host.values[kInstanceNumberOfRounds].u.fs_d.value = rounds;
  }

  PF_Err Press() {
    PF_UserChangedParamExtra extra{kInstanceAddKeyframes};
    std::vector<PF_ParamDef *> params = host.ParamsArray();
    return EntryPoint_VlamInstancer(PF_Cmd_USER_CHANGED_PARAM, &host.in_data, &host.out_data,
                                    params.data(), nullptr, &extra);
  }

  // Nothing is left behind, whatever happened.
  void ExpectCleanedUp() {
    EXPECT_EQ(host.liveEffectRefs, 0);
    EXPECT_EQ(host.liveStreams, 0);
    EXPECT_EQ(host.openUndoGroups, 0);
    EXPECT_EQ(host.Outstanding(), 0);
  }

  FakeInstanceHost host;
};

TEST_F(KeyframerTest, ThreeRoundsAtTwelvePerSecondFromFrameTen) {
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {10, 1}, {11, 0}, {12, 1}, {13, 0}, {14, 1}, {15, 0}}));
  EXPECT_EQ(host.keyScales, (std::set<A_u_long>{24}));
  const std::vector<std::string> expected = {
      "GetEffectLayer",
      "GetLayerCurrentTime comp",
      "GetNewEffectForEffect",
      "GetNewEffectStreamByIndex 18",
      "GetLayerParentComp",
      "GetCompFramerate",
      "StartUndoGroup Add Vlam Keyframes",
      "InsertKeyframe 0/24",
      "SetKeyframeValue 0=0",
      "InsertKeyframe 10/24",
      "SetKeyframeValue 10=1",
      "InsertKeyframe 11/24",
      "SetKeyframeValue 11=0",
      "InsertKeyframe 12/24",
      "SetKeyframeValue 12=1",
      "InsertKeyframe 13/24",
      "SetKeyframeValue 13=0",
      "InsertKeyframe 14/24",
      "SetKeyframeValue 14=1",
      "InsertKeyframe 15/24",
      "SetKeyframeValue 15=0",
      "EndUndoGroup",
      "DisposeStream",
      "DisposeEffect",
  };
  EXPECT_EQ(host.calls, expected);
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, IntervalComesFromTheCompFrameRate) {
  host.frameRate = 30.0;
  Set(20.0, 2.0);  // 1.5 frames: every second frame
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {10, 1}, {11, 0}, {12, 1}, {13, 0}}));
}

TEST_F(KeyframerTest, IntervalOfOneFrameHoldsTheTriggerOnThroughTheBurst) {
  Set(20.0, 3.0);  // 24 / 20 rounds to 1
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {10, 1}, {11, 1}, {12, 1}, {13, 0}}));
}

TEST_F(KeyframerTest, TimesUseTheLayersScaleAndTheLocalTimeStep) {
  host.layerCurrentTime = {1000, 2400};
  host.in_data.local_time_step = 100;
  Set(12.0, 2.0);
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {1000, 1}, {1100, 0}, {1200, 1}, {1300, 0}}));
  EXPECT_EQ(host.keyScales, (std::set<A_u_long>{2400}));
}

TEST_F(KeyframerTest, PressingAtTimeZeroTurnsTheInitialOffKeyOn) {
  host.layerCurrentTime = {0, 24};
  Set(12.0, 2.5);  // rounds to 3
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 1}, {1, 0}, {2, 1}, {3, 0}, {4, 1}, {5, 0}}));
}

TEST_F(KeyframerTest, SecondBurstKeepsTheFirstExceptItsKeyAtZero) {
  host.layerCurrentTime = {0, 24};
  Set(12.0, 1.0);
  ASSERT_EQ(Press(), PF_Err_NONE);
  host.layerCurrentTime = {20, 24};
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {1, 0}, {20, 1}, {21, 0}}));
}

TEST_F(KeyframerTest, LayerWithoutCompositionFiresAtTwentyFourFrames) {
  host.comp = nullptr;
  host.frameRate = 60.0;  // not asked for
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {10, 1}, {11, 0}, {12, 1}, {13, 0}, {14, 1}, {15, 0}}));
  for (const std::string &call : host.calls) EXPECT_NE(call, "GetCompFramerate");
}

TEST_F(KeyframerTest, FailingKeyWriteStillClosesTheGroupAndDisposesBothReferences) {
  host.Fail("InsertKeyframe", A_Err_GENERIC, 3);
  EXPECT_EQ(Press(), A_Err_GENERIC);
  // The first two keys were written, nothing after the failure.
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {10, 1}}));
  const std::vector<std::string> tail(host.calls.end() - 4, host.calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"InsertKeyframe 11/24", "EndUndoGroup", "DisposeStream",
                                            "DisposeEffect"}));
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, FailingValueWriteStopsTheBurst) {
  host.Fail("SetKeyframeValue", A_Err_PARAMETER, 1);
  EXPECT_EQ(Press(), A_Err_PARAMETER);
  EXPECT_EQ(host.CallsWithout({"GetEffectLayer", "GetLayerCurrentTime", "GetNewEffectForEffect",
                               "GetNewEffectStreamByIndex", "GetLayerParentComp",
                               "GetCompFramerate", "StartUndoGroup"}),
            (std::vector<std::string>{"InsertKeyframe 0/24", "SetKeyframeValue 0=0", "EndUndoGroup",
                                      "DisposeStream", "DisposeEffect"}));
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, FrameRateErrorMeansNoGroupAndNoKeys) {
  host.Fail("GetCompFramerate", A_Err_GENERIC);
  EXPECT_EQ(Press(), A_Err_GENERIC);
  EXPECT_TRUE(host.keys.empty());
  EXPECT_EQ(host.CallsWithout({"GetEffectLayer", "GetLayerCurrentTime", "GetNewEffectForEffect",
                               "GetNewEffectStreamByIndex"}),
            (std::vector<std::string>{"GetLayerParentComp", "GetCompFramerate", "DisposeStream",
                                      "DisposeEffect"}));
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, ParentCompErrorIsKeptAndNoKeysAreWritten) {
  host.Fail("GetLayerParentComp", A_Err_STRUCT);
  EXPECT_EQ(Press(), A_Err_STRUCT);
  EXPECT_TRUE(host.keys.empty());
  EXPECT_EQ(host.openUndoGroups, 0);
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, NoStreamSkipsToDisposingTheEffect) {
  host.Fail("GetNewEffectStreamByIndex", A_Err_PARAMETER);
  EXPECT_EQ(Press(), A_Err_PARAMETER);
  EXPECT_EQ(host.calls, (std::vector<std::string>{
                            "GetEffectLayer", "GetLayerCurrentTime comp", "GetNewEffectForEffect",
                            "GetNewEffectStreamByIndex 18", "DisposeEffect"}));
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, NoLayerMakesNoReferences) {
  host.Fail("GetEffectLayer", A_Err_GENERIC);
  EXPECT_EQ(Press(), A_Err_GENERIC);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"GetEffectLayer"}));
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, FirstErrorWinsOverCleanUpErrors) {
  host.Fail("DisposeStream", A_Err_STRUCT);
  host.Fail("DisposeEffect", A_Err_PARAMETER);
  EXPECT_EQ(Press(), A_Err_STRUCT);  // the first of the two
  EXPECT_EQ(host.keys.size(), 7u);   // the keys themselves were written

  FakeInstanceHost second;
  second.values = host.values;
  second.Fail("InsertKeyframe", A_Err_GENERIC);
  second.Fail("EndUndoGroup", A_Err_STRUCT);
  PF_UserChangedParamExtra extra{kInstanceAddKeyframes};
  std::vector<PF_ParamDef *> params = second.ParamsArray();
  EXPECT_EQ(EntryPoint_VlamInstancer(PF_Cmd_USER_CHANGED_PARAM, &second.in_data, &second.out_data,
                                     params.data(), nullptr, &extra),
            A_Err_GENERIC);  // the key write's error wins over the group's
}

TEST_F(KeyframerTest, MissingKeyframeSuiteEndsThePressButLeavesNothingOpen) {
  host.refused.insert(kAEGPKeyframeSuite);
  EXPECT_EQ(Press(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(host.keys.empty());
  ExpectCleanedUp();
}

TEST_F(KeyframerTest, MissingEffectSuiteIsFoundBeforeAnyReferenceIsMade) {
  host.refused.insert(kAEGPEffectSuite);
  EXPECT_EQ(Press(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.Outstanding(), 0);
}

}  // namespace
}  // namespace vlam
