// The Flash Instance: the aim controls and the EZ Aim angles they follow,
// the Add Keyframes button with the trigger key pattern it writes, its
// parameters, and the instance record it writes when the Render effect asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"
#include "instance/exchange_block.h"
#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"
#include "instance/trigger_keys.h"

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

// Moving the aim point under EZ Aim rewrites Sweep and Tilt: the host's
// UserEdits tests and EzAim below.
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
  // Under EZ Aim moving the muzzle rewrites them as moving the aim point does.
  P(kInstanceAimSystem).u.pd.value = 1;
  ASSERT_EQ(Send(PF_Cmd_USER_CHANGED_PARAM, kInstancePosition), PF_Err_NONE);
  EXPECT_EQ(P(kInstanceSweep).u.ad.value, 90 * kOne);  // straight above, 200 px up
  EXPECT_TRUE(Changed(kInstanceSweep) && Changed(kInstanceTilt));
}

TEST_F(AimControlsTest, AimSystemEnablesAimPointOrAngleControls) {
  using Updates = std::vector<std::pair<PF_ParamIndex, PF_ParamUIFlags>>;
  for (const A_long system : {1, 2}) {  // EZ Aim: the aim point; YZX: the angles
    P(kInstanceAimSystem).u.pd.value = system;
    ASSERT_EQ(Send(PF_Cmd_UPDATE_PARAMS_UI), PF_Err_NONE);
    const PF_ParamUIFlags point = system == 1 ? 0 : PF_PUI_DISABLED;
    const PF_ParamUIFlags angles = PF_PUI_DISABLED - point;
    EXPECT_EQ(host.uiUpdates, (Updates{{kInstanceAim, point}, {kInstancePointAway, point},
                                       {kInstanceSweep, angles}, {kInstanceTilt, angles}}));
    host.uiUpdates.clear();
  }
  // Every control is updated even after an error; the first error is kept.
  host.Fail("PF_UpdateParamUI " + std::to_string(kInstancePointAway), PF_Err_INVALID_INDEX);
  host.Fail("PF_UpdateParamUI " + std::to_string(kInstanceTilt), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Send(PF_Cmd_UPDATE_PARAMS_UI), PF_Err_INVALID_INDEX);
  EXPECT_EQ(host.uiUpdates.size(), 4u);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

constexpr double kPi = std::numbers::pi;

TEST(EzAim, SweepTiltAndPointAwayFromTheAimPoint) {
  EXPECT_EQ(EzAimAngles(100, 100, 100, 0, false).sweep, kPi / 2);
  EXPECT_NEAR(EzAimAngles(100, 100, 100, 0, false).tilt, kPi / 4, 1e-12);  // 100 of 200 px
  for (const double up : {200.0, 5000.0}) {
    EXPECT_NEAR(EzAimAngles(100, 300, 100, 300 - up, false).tilt, kPi / 2, 1e-12) << up;
  }
  EXPECT_NEAR(EzAimAngles(0, 0, 0, 250, false).tilt, -kPi / 2, 1e-12);
  EXPECT_EQ(EzAimAngles(500, 0, 800, 0, false).sweep, kPi);
  EXPECT_EQ(EzAimAngles(500, 0, 1500, 0, false).sweep, kPi);
  EXPECT_EQ(EzAimAngles(500, 0, 200, 0, false).sweep, 0.0);
  EXPECT_EQ(EzAimAngles(500, 0, -900, 0, false).sweep, 0.0);
  // Fully sideways 100 pixels up count as 37.5.
  const double tilt = (37.5 + 200.0) * (kPi / 400.0) - kPi / 2;
  EXPECT_NEAR(EzAimAngles(0, 100, 300, 0, false).tilt, tilt, 1e-12);
  EXPECT_NEAR(EzAimAngles(0, 100, -300, 0, false).tilt, tilt, 1e-12);
  // Half way (t = 0.5) the weight is 1 - s + 0.375 s with s = 2|t| - t^2.
  const double w = 1.0 - 0.75 + 0.375 * 0.75;
  EXPECT_NEAR(EzAimAngles(0, 40, 150, 0, false).tilt, (40 * w + 200) * kPi / 400 - kPi / 2, 1e-12);
  const double plain = EzAimAngles(300, 0, 150, 0, false).sweep;
  EXPECT_DOUBLE_EQ(EzAimAngles(300, 0, 150, 0, true).sweep, -plain);   // aim on the left
  EXPECT_DOUBLE_EQ(EzAimAngles(10, 10, 10, 0, true).sweep, -kPi / 2);  // straight above: left
  const double right = EzAimAngles(0, 0, 150, 0, false).sweep;
  EXPECT_DOUBLE_EQ(EzAimAngles(0, 0, 150, 0, true).sweep, 2 * kPi - right);
  const AimPoint minus90 = AimPointFromAngles(-90, 0, 640, 360);
  EXPECT_TRUE(minus90.pointAway);
  EXPECT_NEAR(minus90.x, 640, 1e-9);
  EXPECT_NEAR(minus90.y, 360, 1e-9);
  for (const double sweep : {270.0, 630.0}) {  // 630 wraps to 270, reflected to 90
    const AimPoint p = AimPointFromAngles(sweep, 0, 100, 50);
    EXPECT_TRUE(p.pointAway) << sweep;
    EXPECT_NEAR(p.x, 100, 1e-9) << sweep;
  }
  // Exactly 180 is not reflected: full deflection to the right.
  EXPECT_FALSE(AimPointFromAngles(180, 0, 100, 0).pointAway);
  EXPECT_NEAR(AimPointFromAngles(180, 0, 100, 0).x, 400, 1e-9);
  EXPECT_TRUE(AimPointFromAngles(-180, 0, 100, 0).pointAway);
  EXPECT_NEAR(AimPointFromAngles(0, 0, 100, 0).x, -200, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90, kPi / 2, 0, 500).y, 300, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90, 3.0, 0, 500).y, 300, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(90, -3.0, 0, 500).y, 700, 1e-9);
  EXPECT_NEAR(AimPointFromAngles(180, 3.0, 0, 0).y, -200 / 0.375, 1e-6);
  EXPECT_NEAR(AimPointFromAngles(0, -3.0, 0, 0).y, 200 / 0.375, 1e-6);
  for (const double x : {-250.0, 0.0, 45.0, 299.0}) {
    const AimAngles a = EzAimAngles(0, 0, x, -120, false);
    EXPECT_NEAR(AimPointFromAngles(a.sweep * 180 / kPi, a.tilt, 0, 0).x, x, 1e-6) << x;
  }
  const AimAngles level = EzAimAngles(0, 0, 0, -120, false);  // t = 0: both weights are 1
  EXPECT_NEAR(AimPointFromAngles(90, level.tilt, 0, 0).y, -120, 1e-9);
}

// The Add Keyframes button and the trigger key pattern it writes.
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
  Calls expected = {"GetEffectLayer", "GetLayerCurrentTime comp", "GetNewEffectForEffect",
                    "GetNewEffectStreamByIndex 18", "GetLayerParentComp", "GetCompFramerate",
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
  host.keys.clear();
  // Spacing follows the comp's frame rate, the layer's time scale and the
  // time step.
  host.comp = FakeEffectHost().comp;
  host.frameRate = 30.0;
  Set(20.0, 2.0);  // 1.5 frames rounds to 2
  host.layerCurrentTime = {1000, 3000};
  host.in_data.local_time_step = 100;
  ASSERT_EQ(Press(), PF_Err_NONE);
  EXPECT_EQ(host.keys, (Keys{{0, 0}, {1000, 1}, {1100, 0}, {1200, 1}, {1300, 0}}));
  EXPECT_EQ(host.CallsOf("InsertKeyframe").back(), "InsertKeyframe 1300/3000");
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

// The trigger keys a pattern holds, as (time, value).
using KeyList = std::vector<std::pair<A_long, double>>;

KeyList Pattern(A_long frame, double fps, double rate, double rounds) {
  KeyList out;
  for (const TriggerKey &k : TriggerKeyPattern({frame, 1, fps, rate, rounds})) {
    out.emplace_back(k.timeValue, k.value);
  }
  return out;
}

TEST_F(KeyframerTest, MissingKeyframeSuiteAndTheTriggerKeyPattern) {
  host.registry.Withdraw(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4);
  EXPECT_EQ(Press(), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(host.keys.empty());
  ExpectCleanedUp(host);
  // The trigger key pattern itself: intervals, rounds, key order and bounds.
  EXPECT_EQ(TriggerInterval(30, 20), 2.0f);  // 1.5 frames
  EXPECT_EQ(TriggerInterval(25, 10), 3.0f);  // 2.5 frames
  EXPECT_EQ(TriggerInterval(24, 20), 1.0f);
  EXPECT_EQ(TriggerRoundCount(2.5), 3);
  EXPECT_EQ(TriggerRoundCount(2.49), 2);
  EXPECT_EQ(Pattern(8, 24, 12, 1), (KeyList{{0, 0}, {8, 1}, {9, 0}}));
  // At time zero the first on key follows the initial off key.
  EXPECT_EQ(Pattern(0, 24, 12, 1), (KeyList{{0, 0}, {0, 1}, {1, 0}}));
  // A one-frame interval writes each off key before the next round's on
  // key: the later on key wins at each shared time, on from frame 3 to 5.
  EXPECT_EQ(Pattern(3, 24, 20, 3), (KeyList{{0, 0}, {3, 1}, {4, 0}, {4, 1}, {5, 0}, {5, 1}, {6, 0}}));
  EXPECT_EQ(TriggerInterval(24, 0), 0.0f);  // a rate read as 0: no infinite spacing
  EXPECT_EQ(Pattern(4, 24, 0, 2), (KeyList{{0, 0}, {4, 1}, {5, 0}, {4, 1}, {5, 0}}));
  EXPECT_EQ(Pattern(4, 24, 12, -3).size(), 1u);
  EXPECT_EQ(TriggerRoundCount(1e12), 1000);
  // Rounds whose times would overflow the 32-bit time value are not written.
  const std::vector<TriggerKey> far = TriggerKeyPattern({2'000'000'000, 100'000, 24, 1, 1000});
  ASSERT_GE(far.size(), 3u);
  EXPECT_LT(far.size(), 2001u);
  for (const TriggerKey &k : far) EXPECT_GE(k.timeValue, 0);
  // An off key at the largest time value itself still fits.
  const A_long last = std::numeric_limits<A_long>::max();
  EXPECT_EQ(Pattern(last - 1, 24, 12, 1), (KeyList{{0, 0}, {last - 1, 1}, {last, 0}}));
}

// The Flash Instance's parameters, and the instance record it writes when
// the Render effect asks.

PF_Err ParamsSetup(FakeEffectHost &host) {
  return CallEffect(EntryPoint_VlamInstancer, PF_Cmd_PARAMS_SETUP, host);
}

// Names (read as the host reads them: at most the 32 bytes of the field) and
// disk ids in host order, and the parameters the instance supervises.
TEST(InstanceParams, NamesDiskIdsAndSupervisionInHostOrder) {
  FakeEffectHost host;
  ASSERT_EQ(ParamsSetup(host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 29);
  std::string names;
  std::vector<A_long> ids, supervised;
  for (const PF_ParamDef &def : host.added) {
    names += std::string(def.name, std::find(def.name, def.name + sizeof def.name, '\0')) + "|";
    ids.push_back(def.uu.id);
    if (def.flags & PF_ParamFlag_SUPERVISE) supervised.push_back(def.uu.id);
  }
  EXPECT_EQ(names,
            "|Flash Identifier|Transform|Aim System|Barrel Shape (UI only)|Position|Aim|Point Away|"
            "Sweep|Tilt|Roll|Post Scale||Keyframer|Rate of Fire (Rounds Per Second)|"
            "Number of Rounds|Add Keyframes|Trigger||Instance Options|Random Seed|"
            "Randomness Override|Brightness|Defocus||Mask|Mask Path||");
  EXPECT_EQ(ids, (std::vector<A_long>{119, 100, 101, 126, 129, 122, 123, 125, 103, 104, 105, 128,
                                      101, 107, 108, 109, 112, 113, 107, 114, 127, 121, 115, 116,
                                      114, 117, 118, 117}));
  EXPECT_EQ(supervised, (std::vector<A_long>{126, 129, 122, 123, 103, 104, 108, 109, 112}));
  // Custom UI for comp, layer and effect controls.
  ASSERT_EQ(host.registeredUi.size(), 1u);
  PF_CustomUIInfo ui;
  std::memset(&ui, 0, sizeof ui);
  ui.events = PF_CustomEFlag_COMP | PF_CustomEFlag_LAYER | PF_CustomEFlag_EFFECT;
  EXPECT_EQ(std::memcmp(&host.registeredUi[0], &ui, sizeof ui), 0);
  // A failed add ends the setup at once; a host without parameter callbacks
  // is refused; a registration error is the result after every add.
  struct Case {
    const char *what;
    void (*fail)(FakeEffectHost &);
    PF_Err expected;
    std::size_t added;
    std::size_t registered;
    A_long num_params;
  };
  const Case cases[] = {
      {"add fails", [](FakeEffectHost &h) { h.Fail("add_param", PF_Err_OUT_OF_MEMORY, 6); },
       PF_Err_OUT_OF_MEMORY, 5, 0, 0},
      {"no register_ui", [](FakeEffectHost &h) { h.in_data.inter.register_ui = nullptr; },
       PF_Err_INVALID_CALLBACK, 0, 0, 0},
      {"registration fails",
       [](FakeEffectHost &h) { h.Fail("register_ui", PF_Err_INVALID_CALLBACK); },
       PF_Err_INVALID_CALLBACK, 28, 1, 29},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    FakeEffectHost host;
    c.fail(host);
    EXPECT_EQ(ParamsSetup(host), c.expected);
    EXPECT_EQ(host.added.size(), c.added);
    EXPECT_EQ(host.registeredUi.size(), c.registered);
    EXPECT_EQ(host.out_data.num_params, c.num_params);
  }
}

constexpr double kDegree = kPi / 180.0;

class RecordAnswerTest : public ::testing::Test {
 protected:
  RecordAnswerTest() {
    host.Param(kInstanceFlashIdentifier, PF_Param_POPUP).u.pd.value = 3;
    host.Param(kInstanceTrigger, PF_Param_CHECKBOX);
    host.Param(kInstanceAimSystem, PF_Param_POPUP).u.pd.value = 2;
    host.Param(kInstancePosition, PF_Param_POINT_3D).u.point3d_d = {400.0, 300.0, -50.0, 0, 0, 0, {}};
    PF_PointDef &aim = host.Param(kInstanceAim, PF_Param_POINT).u.td;
    aim.x_value = 550 * 65536;
    aim.y_value = 250 * 65536;
    host.Param(kInstancePointAway, PF_Param_CHECKBOX).u.bd.value = 1;
    host.Param(kInstanceSweep, PF_Param_ANGLE).u.ad.value = 30 * 65536;
    host.Param(kInstanceTilt, PF_Param_ANGLE).u.ad.value = -15 * 65536;
    host.Param(kInstanceRoll, PF_Param_ANGLE);
    const std::pair<PF_ParamIndex, double> sliders[] = {
        {kInstancePostScale, 250.0}, {kInstanceRandomSeed, 12.9}, {kInstanceRandomness, 100.0},
        {kInstanceBrightness, 150.0}, {kInstanceDefocus, 3.5}};
    for (const auto &[index, value] : sliders) {
      host.Param(index, PF_Param_FLOAT_SLIDER).u.fs_d.value = value;
    }
    host.Param(kInstanceMaskPath, PF_Param_PATH).u.path_d.path_id = 42;
    // "Trigger" is keyed on at frame 10 only.
    host.valueAtTime = [](PF_ParamIndex index, A_long time, PF_ParamDef &def) {
      if (index == kInstanceTrigger) def.u.bd.value = (time == 10) ? 1 : 0;
    };
    std::memset(&block, 0xAB, sizeof block);
  }

  PF_Err Ask(std::int32_t count) {
    block.table.instanceCount = count;
    return CallEffect(EntryPoint_VlamInstancer, PF_Cmd_COMPLETELY_GENERAL, host, &block);
  }

  // The slots the call must not touch still hold the fill pattern.
  void ExpectOnlySlotWritten(int slot) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(&block);
    for (std::size_t i = 0; i < sizeof block; ++i) {
      const std::size_t begin = offsetof(ExchangeBlock, instances) + slot * sizeof(InstanceRecord);
      const bool inSlot = slot >= 0 && i >= begin && i < begin + sizeof(InstanceRecord);
      const bool isCount = i >= offsetof(FlashDesignTable, instanceCount) &&
                           i < offsetof(FlashDesignTable, instanceCount) + 4;
      if (!inSlot && !isCount) {
        ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;
      }
    }
  }

  FakeEffectHost host;
  ExchangeBlock block;
};

TEST_F(RecordAnswerTest, WritesTheSlotOfTheCallersCountEzAimAndSaturatedSeed) {
  ASSERT_EQ(Ask(3), PF_Err_NONE);
  ExpectOnlySlotWritten(2);
  // Packed doubles are compared by value: a reference to one may be misaligned.
  const InstanceRecord &r = block.instances[2];
  EXPECT_EQ((std::vector<double>{double(r.designIndex), double(r.randomSeed), r.randomness,
                                 r.triggerLevel, double(r.ezAim), r.position[0], r.position[1],
                                 r.position[2], double(r.pointAway), r.roll, r.postScale,
                                 r.brightness, r.defocus, double(r.maskId)}),
            (std::vector<double>{2, 12, 1.0, 0.4, 0, 400, 300, -50, 1, kPi + 0.22689280275926285,
                                 2.5, 1.5, 3.5, 42}));
  EXPECT_NEAR(double{r.aimA}, 30 * kDegree, 1e-12);
  EXPECT_NEAR(double{r.aimB}, -15 * kDegree, 1e-12);
  const auto *bytes = reinterpret_cast<const unsigned char *>(&r);
  EXPECT_EQ(bytes[25], 0);  // padding is not left with stale bytes
  EXPECT_EQ(bytes[53], 0);
  // Read at the asked time, every parameter checked out and back in.
  host.checkouts.clear();
  host.in_data.current_time = 11;
  ASSERT_EQ(Ask(1), PF_Err_NONE);
  EXPECT_EQ(double{block.instances[0].triggerLevel}, 0.0);
  EXPECT_EQ(host.checkouts.size(), 15u);
  for (const auto &c : host.checkouts) {
    EXPECT_EQ(std::tuple(c.time, c.time_step, c.time_scale), std::tuple(11, 1, 24u)) << c.index;
  }
  EXPECT_EQ(host.checkedIn.size(), 30u);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // EZ Aim angles come from the position and aim point; a seed from a
  // damaged project saturates.
  host.values[kInstanceAimSystem].u.pd.value = 1;
  host.values[kInstanceRandomSeed].u.fs_d.value = 1e30;
  ASSERT_EQ(Ask(1), PF_Err_NONE);
  const AimAngles expected = EzAimAngles(400.0, 300.0, 550.0, 250.0, true);
  EXPECT_EQ(block.instances[0].ezAim, 1);
  EXPECT_DOUBLE_EQ(double{block.instances[0].aimA}, expected.sweep);
  EXPECT_DOUBLE_EQ(double{block.instances[0].aimB}, expected.tilt);
  EXPECT_GT(double{block.instances[0].aimA}, kPi);  // aim to the right, pointing away
  EXPECT_EQ(block.instances[0].randomSeed, 2147483647);
}

TEST_F(RecordAnswerTest, UnreadableParametersFailAndTheCountChoosesTheSlot) {
  for (const PF_ParamIndex index : {kInstanceAimSystem, kInstanceAim, kInstanceRoll, kInstanceDefocus}) {
    host.Fail("checkout_param " + std::to_string(index), PF_Err_INVALID_INDEX);
  }
  EXPECT_EQ(Ask(2), PF_Err_INVALID_INDEX);
  ExpectOnlySlotWritten(-1);
  EXPECT_EQ(host.checkedIn.size(), 11u);  // only what was checked out goes back
  // The first and last slots are written; a count outside the sixteen slots
  // writes nothing and reads no parameter.
  const std::pair<std::int32_t, int> cases[] = {{1, 0}, {16, 15}, {0, -1}, {-1, -1}, {17, -1}, {1000, -1}};
  for (const auto &[count, slot] : cases) {
    SCOPED_TRACE(count);
    host.checkouts.clear();
    std::memset(&block, 0xAB, sizeof block);
    EXPECT_EQ(Ask(count), slot < 0 ? PF_Err_BAD_CALLBACK_PARAM : PF_Err_NONE);
    ExpectOnlySlotWritten(slot);
    EXPECT_EQ(host.checkouts.empty(), slot < 0);
    if (slot >= 0) {
      EXPECT_EQ(block.instances[slot].maskId, 42u);
    }
  }
  EXPECT_EQ(CallEffect(EntryPoint_VlamInstancer, PF_Cmd_COMPLETELY_GENERAL, host),
            PF_Err_BAD_CALLBACK_PARAM);
}

}  // namespace
}  // namespace vlam
