// A user's changes to an instance's controls, carried out by the host
// through the built module: the effect is told, rewrites other controls,
// writes keys inside an undo group.
#include "host/HostError.h"
#include "host/effect/UserEdits.h"
#include "host/project/ParamCodec.h"
#include "host_support.h"

#include <cmath>

using namespace vlam;
using vlam::test::TempDir;

namespace {

// Indices of the Flash Instance's parameters.
constexpr std::size_t kAimSystem = 4, kAim = 7, kPointAway = 8, kSweep = 9, kTilt = 10,
                      kRate = 15, kRounds = 16, kAddKeyframes = 17, kTrigger = 18;

host::ParamValue point(double x, double y) {
  host::ParamValue v;
  v.number = {x, y, 0, 0};
  return v;
}

class UserEdits : public ::testing::Test {
protected:
  void SetUp() override {
    plate = &test::openSolidProject(*host, 640, 360);
    instance = host->applyEffect(*plate, "zk_VlamInstance");
    ASSERT_NE(instance, nullptr);
  }
  double valueOf(std::size_t index, std::int64_t ticks = 0) {
    return instance->streams[index].valueAt(ticks, instance->param(index).blendable()).number[0];
  }
  host::UserEditResult set(std::size_t index, host::ParamValue value, std::int64_t ticks = 0) {
    return host::userSetParam(*host, *instance, index, std::move(value), ticks);
  }

  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));
  host::Layer *plate = nullptr;
  host::EffectInstance *instance = nullptr;
};

TEST_F(UserEdits, AimStraightAboveTheMuzzleRewritesSweepAndTilt) {
  // Position defaults to the layer centre (320, 180); aim 200 pixels above it.
  const host::UserEditResult r = set(kAim, point(320, -20));
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_TRUE(r.supervised);
  EXPECT_DOUBLE_EQ(valueOf(kSweep), 90.0);
  EXPECT_DOUBLE_EQ(valueOf(kTilt), 90.0);
  ASSERT_EQ(r.edits.size(), 3u) << "Aim, Sweep and Tilt";
  EXPECT_EQ(r.edits[0].index, kAim);
  EXPECT_EQ(r.edits[1].index, kSweep);
  EXPECT_EQ(r.edits[2].index, kTilt);
  EXPECT_TRUE(r.undoGroups.empty());
}

// What the module rewrites for each control is checked with its own tests;
// here, that the host reports only what changed, and which edits it
// supervised.
TEST_F(UserEdits, OnlyWhatTheEffectChangedIsReported) {
  set(kAimSystem, host::ParamValue::scalar(2));
  const host::UserEditResult r = set(kAim, point(320, -20));
  ASSERT_EQ(r.edits.size(), 1u);
  EXPECT_TRUE(r.supervised);
  EXPECT_DOUBLE_EQ(valueOf(kSweep), 0.0);
  const host::UserEditResult away = set(kPointAway, host::ParamValue::scalar(1));
  ASSERT_EQ(away.edits.size(), 1u);
  EXPECT_FALSE(away.supervised);
}

TEST_F(UserEdits, UserValuesAreClampedToTheValidRange) {
  set(kRounds, host::ParamValue::scalar(5000));
  EXPECT_EQ(valueOf(kRounds), 1000.0);
}

TEST_F(UserEdits, VlamWritesOneBurstOfHoldKeysInOneUndoGroup) {
  set(kRounds, host::ParamValue::scalar(3));
  ASSERT_EQ(valueOf(kRate), 12.0);
  const host::UserEditResult r = host::userPressButton(*host, *instance, kAddKeyframes, 10);
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_EQ(r.undoGroups, std::vector<std::string>{"Add Vlam Keyframes"});
  EXPECT_TRUE(r.unclosedUndoGroups.empty());
  ASSERT_FALSE(host->undoGroups.empty());
  EXPECT_TRUE(host->undoGroups.back().closed);
  const auto &keys = instance->streams[kTrigger].keys();
  const std::vector<std::pair<std::int64_t, double>> expected{{0, 0}, {10, 1}, {11, 0}, {12, 1},
                                                              {13, 0}, {14, 1}, {15, 0}};
  ASSERT_EQ(keys.size(), expected.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].ticks, expected[i].first) << i;
    EXPECT_EQ(keys[i].value.number[0], expected[i].second) << i;
    EXPECT_EQ(keys[i].interpolation, host::Interpolation::Hold) << i;
  }
  ASSERT_EQ(r.edits.size(), 1u);
  EXPECT_EQ(r.edits[0].keysWritten.size(), 7u);
  EXPECT_EQ(host->effectRefs().live(), 0u);
  EXPECT_EQ(host->streamRefs().live(), 0u);
  // Pressing again at the same time rewrites the same keys: nothing changes.
  const host::UserEditResult again = host::userPressButton(*host, *instance, kAddKeyframes, 10);
  EXPECT_TRUE(again.edits.empty());
  EXPECT_EQ(again.undoGroups.size(), 1u);
}

TEST_F(UserEdits, AFailingKeyWriteStillClosesTheGroupAndDisposesTheReferences) {
  host->monitor().failCall("AEGP_SetKeyframeValue", 2, A_Err_GENERIC);
  const host::UserEditResult r = host::userPressButton(*host, *instance, kAddKeyframes, 10);
  EXPECT_EQ(r.err, A_Err_GENERIC);
  EXPECT_EQ(r.undoGroups, std::vector<std::string>{"Add Vlam Keyframes"});
  EXPECT_TRUE(r.unclosedUndoGroups.empty()) << "the keyframer closes its own group";
  EXPECT_EQ(host->effectRefs().live(), 0u);
  EXPECT_EQ(host->streamRefs().live(), 0u);
  EXPECT_EQ(host->monitor().callCount("AEGP_SetKeyframeValue"), 2) << "no key write after the failure";
}

TEST_F(UserEdits, OnlyButtonsArePressedAndOnlyParametersWithValuesAreSet) {
  EXPECT_THROW(host::userPressButton(*host, *instance, kTrigger, 0), host::HostError);
  EXPECT_THROW(set(kAddKeyframes, host::ParamValue::scalar(1)), host::HostError);
  EXPECT_THROW(set(instance->paramCount(), host::ParamValue::scalar(1)), host::HostError);
  EXPECT_THROW(set(0, host::ParamValue::scalar(1)), host::HostError);
}

} // namespace
