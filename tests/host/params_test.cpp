// Parameter streams and their keys: blending and holding, keys written
// through the keyframe suite, and a user's changes to an instance's controls
// carried out through the built module (the effect is told, rewrites other
// controls, writes keys inside an undo group).
#include "host/HostError.h"
#include "host/effect/UserEdits.h"
#include "host/project/ParamCodec.h"
#include "host/project/ParamStream.h"
#include "host/ui/ParamText.h"
#include "host_support.h"

#include <AE_GeneralPlug.h>

using namespace vlam::host;
using namespace vlam;
using namespace vlam::test;

namespace {

ParamStream twoKeys(Interpolation first) {
  ParamStream s(ParamValue::scalar(-1));
  s.setKey({10, ParamValue::scalar(100), first});
  s.setKey({20, ParamValue::scalar(200), Interpolation::Linear});
  return s;
}

// Linear keys blend every component; outside the keys the nearest key holds.
TEST(ParamStream, KeysBlendHoldStaySortedAndSplitWhereAValueIsSet) {
  ParamStream s;
  ParamValue a, b;
  a.number = {0, 10, -4, 1};
  b.number = {1, 20, 4, 1};
  s.setKey({0, a, Interpolation::Linear});
  s.setKey({4, b, Interpolation::Linear});
  ParamValue mid = s.valueAt(1, true);
  EXPECT_EQ(mid.number, (std::array<double, 4>{0.25, 12.5, -2, 1}));
  // A colour (alpha, red, green, blue) reads as its red, green, blue bytes.
  PF_ParamDef colour{};
  colour.param_type = PF_Param_COLOR;
  mid.number = {1, 1, 0.5, 0};
  EXPECT_EQ(paramValueText(ParamDefinition(colour), mid), "#FF8000");
  // Outside the keys the nearest key holds (between keys, hold keys and
  // checkboxes are checked through the checkout in the effect call tests).
  ParamStream two = twoKeys(Interpolation::Linear);
  EXPECT_EQ(two.valueAt(-1000, true).number[0], 100);
  EXPECT_EQ(two.valueAt(1 << 30, true).number[0], 200);
  EXPECT_EQ(two.staticValue().number[0], -1) << "the static value is kept but not used while animated";
  EXPECT_EQ(twoKeys(Interpolation::Hold).valueAt(20, true).number[0], 200) << "a hold ends at the next key";
  // Keys stay sorted and replace a key at the same time; a value set on an
  // animated stream adds a key there.
  s = ParamStream();
  s.setKey({30, ParamValue::scalar(3), Interpolation::Hold});
  s.setKey({10, ParamValue::scalar(1), Interpolation::Hold});
  EXPECT_EQ(s.setKey({20, ParamValue::scalar(2), Interpolation::Hold}), 1u);
  EXPECT_EQ(s.setKey({10, ParamValue::scalar(9), Interpolation::Linear}), 0u);
  ASSERT_EQ(s.keys().size(), 3u);
  EXPECT_EQ(s.keys()[0].value.number[0], 9);
  EXPECT_EQ(s.keys()[0].interpolation, Interpolation::Linear);
  ParamStream held = twoKeys(Interpolation::Hold);
  held.setValueAt(15, ParamValue::scalar(7));
  ASSERT_EQ(held.keys().size(), 3u);
  EXPECT_EQ(held.keys()[1].ticks, 15);
  EXPECT_EQ(held.keys()[1].interpolation, Interpolation::Hold) << "takes the interpolation of the stretch it splits";
  EXPECT_EQ(held.staticValue().number[0], -1);
  ParamStream still;
  still.setValueAt(15, ParamValue::scalar(7));
  EXPECT_FALSE(still.animated());
  EXPECT_EQ(still.valueAt(0, true).number[0], 7);
  // Arbitrary bytes take part in equality.
  a = b = ParamValue();
  a.flat = std::make_shared<std::vector<std::uint8_t>>(std::vector<std::uint8_t>{1, 2});
  b.flat = std::make_shared<std::vector<std::uint8_t>>(std::vector<std::uint8_t>{1, 2});
  EXPECT_EQ(a, b);
  b.flat = std::make_shared<std::vector<std::uint8_t>>(std::vector<std::uint8_t>{1, 3});
  EXPECT_FALSE(a == b);
  b.flat.reset();
  EXPECT_FALSE(a == b);
}

// Keys of effect parameter streams written through "AEGP Keyframe Suite".
class KeyframeSuite : public test::HostTest {
protected:
  std::unique_ptr<FakeEffect> fake;
  host::EffectInstance *effect = nullptr;
  const AEGP_KeyframeSuite4 *keys = nullptr;

  void SetUp() override {
    PF_ParamDef fixed = floatParam("Fixed", 3, 0, 10, 1);
    fixed.flags = PF_ParamFlag_CANNOT_TIME_VARY;
    PF_ParamDef controlOnly = floatParam("Control Only", 4, 0, 10, 1);
    controlOnly.ui_flags = PF_PUI_STD_CONTROL_ONLY;
    fake = std::make_unique<FakeEffect>(host, "keyed",
                                        std::vector<PF_ParamDef>{floatParam("Amount", 1, 0, 100, 10),
                                                                 checkboxParam("On", 2, true), fixed, controlOnly});
    host::Layer &plate = test::openSolidProject(host);
    effect = host.applyEffect(plate, "keyed");
    ASSERT_NE(effect, nullptr);
    keys = suite<AEGP_KeyframeSuite4>(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4);
    ASSERT_NE(keys, nullptr);
  }
  AEGP_StreamRefH stream(int index) {
    return reinterpret_cast<AEGP_StreamRefH>(host.streamRefs().make({effect->id(), index}));
  }
  A_Err setKey(AEGP_StreamRefH s, A_long frame, double value) {
    AEGP_KeyframeIndex i = -1;
    const A_Time t{frame, 24};
    AEGP_StreamValue2 v{};
    v.val.one_d = value;
    const A_Err err = keys->AEGP_InsertKeyframe(s, AEGP_LTimeMode_CompTime, &t, &i);
    return err ? err : keys->AEGP_SetKeyframeValue(s, i, &v);
  }
};

TEST_F(KeyframeSuite, NumberKeysBlendCheckboxKeysHoldAndKeysAreRefusedWhereTheyCannotBe) {
  AEGP_StreamRefH amount = stream(1);
  ASSERT_EQ(setKey(amount, 0, 0), A_Err_NONE);
  ASSERT_EQ(setKey(amount, 10, 50), A_Err_NONE);
  EXPECT_DOUBLE_EQ(effect->streams[1].valueAt(5, true).number[0], 25);
  // Checkbox keys hold: the Flash Instance's trigger keys show it.
  // (Inserting at a key's time finds that key: pressing Vlam's Add Keyframes
  // again changes nothing, as the user edit test sees.)
  // Keys are refused where they cannot be.
  AEGP_StreamRefH fixed = stream(3), controlOnly = stream(4);
  AEGP_KeyframeIndex index = -1;
  const A_Time zero{0, 24}, noScale{0, 0};
  EXPECT_NE(keys->AEGP_InsertKeyframe(fixed, AEGP_LTimeMode_CompTime, &zero, &index), A_Err_NONE)
      << "a parameter that cannot vary over time";
  EXPECT_NE(keys->AEGP_InsertKeyframe(controlOnly, AEGP_LTimeMode_CompTime, &zero, &index), A_Err_NONE)
      << "a parameter without a stream (PF_PUI_STD_CONTROL_ONLY)";
  host.streamRefs().dispose(controlOnly);
  EXPECT_NE(keys->AEGP_InsertKeyframe(amount, AEGP_LTimeMode_CompTime, &noScale, &index), A_Err_NONE);
  AEGP_StreamValue2 v{};
  EXPECT_NE(keys->AEGP_SetKeyframeValue(amount, 2, &v), A_Err_NONE) << "no key 2";
  EXPECT_NE(keys->AEGP_SetKeyframeValue(amount, -1, &v), A_Err_NONE);
  ASSERT_EQ(setKey(amount, 0, 500), A_Err_NONE);
  EXPECT_EQ(effect->streams[1].keys()[0].value.number[0], 100) << "values are kept inside the valid range";
  host.streamRefs().dispose(amount);
  EXPECT_NE(keys->AEGP_InsertKeyframe(amount, AEGP_LTimeMode_CompTime, &zero, &index), A_Err_NONE)
      << "a disposed reference";
  host.streamRefs().dispose(fixed);
}

// A user's changes to an instance's controls, carried out by the host
// through the built module: the effect is told, rewrites other controls,
// writes keys inside an undo group.
// Indices of the Flash Instance's parameters.
constexpr std::size_t kAimSystem = 4, kAim = 7, kPointAway = 8, kSweep = 9, kTilt = 10,
                      kRounds = 16, kAddKeyframes = 17, kTrigger = 18;

host::ParamValue point(double x, double y) {
  host::ParamValue v;
  v.number = {x, y, 0, 0};
  return v;
}

class UserEdits : public test::HostTest {
protected:
  void SetUp() override {
    plate = &test::openSolidProject(host, 640, 360);
    instance = host.applyEffect(*plate, "zk_VlamInstance");
    ASSERT_NE(instance, nullptr);
  }
  double valueOf(std::size_t index, std::int64_t ticks = 0) {
    return instance->streams[index].valueAt(ticks, instance->param(index).blendable()).number[0];
  }
  host::UserEditResult set(std::size_t index, host::ParamValue value, std::int64_t ticks = 0) {
    return host::userSetParam(host, *instance, index, std::move(value), ticks);
  }

  host::Layer *plate = nullptr;
  host::EffectInstance *instance = nullptr;
};

// What the module rewrites for each control, and the keys Vlam writes, are
// checked with its own tests and the tool's set and press tests; here, that
// the host reports only what changed and which edits it supervised, keeps
// values in range, refuses bad edits and closes the undo group.
TEST_F(UserEdits, OnlyChangesAreReportedValuesClampedBadEditsRefusedAndKeysWrittenInOneGroup) {
  // Position defaults to the layer centre (320, 180); aim 200 pixels above it.
  const host::UserEditResult r = set(kAim, point(320, -20));
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_TRUE(r.supervised);
  EXPECT_TRUE(r.undoGroups.empty());
  std::vector<std::size_t> changed;
  for (const auto &edit : r.edits) changed.push_back(edit.index);
  EXPECT_EQ(changed, (std::vector<std::size_t>{kAim, kSweep, kTilt}));
  set(kAimSystem, host::ParamValue::scalar(2));
  const host::UserEditResult again = set(kAim, point(100, 180));
  ASSERT_EQ(again.edits.size(), 1u);
  EXPECT_TRUE(again.supervised);
  EXPECT_DOUBLE_EQ(valueOf(kSweep), 90.0) << "left as it was";
  const host::UserEditResult away = set(kPointAway, host::ParamValue::scalar(1));
  ASSERT_EQ(away.edits.size(), 1u);
  EXPECT_FALSE(away.supervised);
  // Values are clamped; only buttons are pressed, only parameters with values set.
  set(kRounds, host::ParamValue::scalar(5000));
  EXPECT_EQ(valueOf(kRounds), 1000.0);
  EXPECT_THROW(host::userPressButton(host, *instance, kTrigger, 0), host::HostError);
  EXPECT_THROW(set(kAddKeyframes, host::ParamValue::scalar(1)), host::HostError);
  EXPECT_THROW(set(instance->paramCount(), host::ParamValue::scalar(1)), host::HostError);
  EXPECT_THROW(set(0, host::ParamValue::scalar(1)), host::HostError);
  // One burst of hold keys in one closed undo group.
  set(kRounds, host::ParamValue::scalar(3));
  const host::UserEditResult burst = host::userPressButton(host, *instance, kAddKeyframes, 10);
  EXPECT_EQ(burst.err, PF_Err_NONE);
  EXPECT_EQ(burst.undoGroups, std::vector<std::string>{"Add Vlam Keyframes"});
  EXPECT_TRUE(burst.unclosedUndoGroups.empty());
  ASSERT_EQ(burst.edits.size(), 1u);
  EXPECT_EQ(burst.edits[0].keysWritten.size(), 7u);
  for (const auto &key : instance->streams[kTrigger].keys())
    EXPECT_EQ(key.interpolation, host::Interpolation::Hold) << key.ticks;
  // Pressing again at the same time rewrites the same keys: nothing changes.
  EXPECT_TRUE(host::userPressButton(host, *instance, kAddKeyframes, 10).edits.empty());
}

TEST_F(UserEdits, AFailingKeyWriteStillClosesTheGroupAndDisposesTheReferences) {
  host.monitor().failCall("AEGP_SetKeyframeValue", 2, A_Err_GENERIC);
  const host::UserEditResult r = host::userPressButton(host, *instance, kAddKeyframes, 10);
  EXPECT_EQ(r.err, A_Err_GENERIC);
  EXPECT_EQ(r.undoGroups, std::vector<std::string>{"Add Vlam Keyframes"});
  EXPECT_TRUE(r.unclosedUndoGroups.empty()) << "the keyframer closes its own group";
  EXPECT_EQ(host.monitor().callCount("AEGP_SetKeyframeValue"), 2) << "no key write after the failure";
}
} // namespace
