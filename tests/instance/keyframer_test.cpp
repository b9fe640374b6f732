#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "frame/fake_host_support.h"
#include "frame/effect_entries.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

using vlam_test::FakeEffectHost;
using Keys = std::map<A_long, double>;
using Calls = std::vector<std::string>;

const Keys kThreeRoundsFromTen = {{0, 0}, {10, 1}, {11, 0}, {12, 1}, {13, 0}, {14, 1}, {15, 0}};

class KeyframerTest : public ::testing::Test {
 protected:
  KeyframerTest() {
    host.Param(kInstanceRateOfFire, PF_Param_FLOAT_SLIDER);
    host.Param(kInstanceNumberOfRounds, PF_Param_FLOAT_SLIDER);
    Set(12.0, 3.0);
    host.layerCurrentTime = {10, 24};
  }

  void Set(double rate, double rounds) {
    host.values[kInstanceRateOfFire].u.fs_d.value = rate;
    host.values[kInstanceNumberOfRounds].u.fs_d.value = rounds;
  }

  static PF_Err Press(FakeEffectHost &on) {
    PF_UserChangedParamExtra extra{kInstanceAddKeyframes};
    return CallEffect(EntryPoint_VlamInstancer, PF_Cmd_USER_CHANGED_PARAM, on, &extra, true);
  }
  PF_Err Press() { return Press(host); }

  // Nothing is left open, whatever happened.
  static void ExpectCleanedUp(const FakeEffectHost &on) {
    EXPECT_EQ(on.liveEffectRefs, 0);
    EXPECT_EQ(on.liveStreams, 0);
    EXPECT_EQ(on.openUndoGroups, 0);
    EXPECT_EQ(on.registry.outstanding(), 0);
  }

  FakeEffectHost host;
};

TEST_F(KeyframerTest, ThreeRoundsAtTwelvePerSecondFromFrameTenInOneUndoGroup) {
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, kThreeRoundsFromTen);
  Calls expected = {"GetEffectLayer",
                    "GetLayerCurrentTime comp",
                    "GetNewEffectForEffect",
                    "GetNewEffectStreamByIndex 18",
                    "GetLayerParentComp",
                    "GetCompFramerate",
                    "StartUndoGroup Add Vlam Keyframes"};
  for (const auto &[time, value] : kThreeRoundsFromTen) {
    expected.push_back("InsertKeyframe " + std::to_string(time) + "/24");
    expected.push_back("SetKeyframeValue " + std::to_string(time) + "=" +
                       std::to_string(static_cast<int>(value)));
  }
  expected.insert(expected.end(), {"EndUndoGroup", "DisposeStream", "DisposeEffect"});
  EXPECT_EQ(host.calls, expected);
  ExpectCleanedUp(host);
  // A layer without a composition fires at 24 frames per second.
  host.keys.clear();
  host.comp = nullptr;
  host.frameRate = 60.0;  // must not be asked for
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, kThreeRoundsFromTen);
}

TEST_F(KeyframerTest, SpacingFollowsTheCompFrameRateTheLayersScaleAndTheTimeStep) {
  host.frameRate = 30.0;
  Set(20.0, 2.0);  // 1.5 frames rounds to 2
  host.layerCurrentTime = {1000, 3000};
  host.in_data.local_time_step = 100;
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {1000, 1}, {1100, 0}, {1200, 1}, {1300, 0}}));
  EXPECT_EQ(host.CallsOf("InsertKeyframe"),
            (Calls{"InsertKeyframe 0/3000", "InsertKeyframe 1000/3000", "InsertKeyframe 1100/3000",
                   "InsertKeyframe 1200/3000", "InsertKeyframe 1300/3000"}));
}

// Whatever call fails, the press ends with its error, writes no key after
// it and closes the undo group and the references it opened; the first
// error wins over clean-up errors.
TEST_F(KeyframerTest, AFailingHostCallEndsThePressAndClosesWhatWasOpened) {
  struct Case {
    const char *call;
    A_Err err;
    int nth;
    Keys keys;
    Calls tail;
    const char *cleanup = nullptr;  // a clean-up call failing as well, with A_Err_STRUCT
  };
  const Case cases[] = {
      {"DisposeStream", A_Err_PARAMETER, 1, kThreeRoundsFromTen,
       {"EndUndoGroup", "DisposeStream", "DisposeEffect"}, "DisposeEffect"},
      {"InsertKeyframe", A_Err_GENERIC, 1, {},
       {"InsertKeyframe 0/24", "EndUndoGroup", "DisposeStream", "DisposeEffect"}, "EndUndoGroup"},
      {"InsertKeyframe", A_Err_GENERIC, 3, {{0, 0}, {10, 1}},
       {"InsertKeyframe 11/24", "EndUndoGroup", "DisposeStream", "DisposeEffect"}},
      {"SetKeyframeValue", A_Err_PARAMETER, 2, {{0, 0}, {10, 0}},  // inserted, value not set
       {"SetKeyframeValue 10=1", "EndUndoGroup", "DisposeStream", "DisposeEffect"}},
      {"GetCompFramerate", A_Err_GENERIC, 1, {},  // no group, no keys
       {"GetLayerParentComp", "GetCompFramerate", "DisposeStream", "DisposeEffect"}},
      {"GetNewEffectStreamByIndex", A_Err_PARAMETER, 1, {},
       {"GetNewEffectStreamByIndex 18", "DisposeEffect"}},
      {"GetEffectLayer", A_Err_GENERIC, 1, {}, {"GetEffectLayer"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.call);
    FakeEffectHost fresh;
    fresh.values = host.values;
    fresh.layerCurrentTime = host.layerCurrentTime;
    fresh.Fail(c.call, c.err, c.nth);
    if (c.cleanup) fresh.Fail(c.cleanup, A_Err_STRUCT);
    EXPECT_EQ(Press(fresh), c.err);
    EXPECT_EQ(fresh.keys, c.keys);
    ASSERT_GE(fresh.calls.size(), c.tail.size());
    EXPECT_EQ(Calls(fresh.calls.end() - static_cast<std::ptrdiff_t>(c.tail.size()), fresh.calls.end()), c.tail);
    ExpectCleanedUp(fresh);
  }
}

TEST_F(KeyframerTest, MissingKeyframeSuiteEndsThePressButLeavesNothingOpen) {
  host.registry.Withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4);
  EXPECT_EQ(Press(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(host.keys.empty());
  ExpectCleanedUp(host);
}

}  // namespace
}  // namespace vlam
