// Keys of effect parameter streams written through "AEGP Keyframe Suite".
#include "host_support.h"

#include <AE_GeneralPlug.h>

using namespace vlam;
using namespace vlam::test;

namespace {

class KeyframeSuite : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));
  std::unique_ptr<FakeEffect> fake;
  host::EffectInstance *effect = nullptr;
  const AEGP_KeyframeSuite4 *keys = nullptr;

  void SetUp() override {
    PF_ParamDef fixed = floatParam("Fixed", 3, 0, 10, 1);
    fixed.flags = PF_ParamFlag_CANNOT_TIME_VARY;
    PF_ParamDef controlOnly = floatParam("Control Only", 4, 0, 10, 1);
    controlOnly.ui_flags = PF_PUI_STD_CONTROL_ONLY;
    fake = std::make_unique<FakeEffect>(*host, "keyed",
                                        std::vector<PF_ParamDef>{floatParam("Amount", 1, 0, 100, 10),
                                                                 checkboxParam("On", 2, true), fixed, controlOnly});
    host::Layer &plate = test::openSolidProject(*host);
    effect = host->applyEffect(plate, "keyed");
    ASSERT_NE(effect, nullptr);
    keys = acquire<AEGP_KeyframeSuite4>(*host, kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4);
    ASSERT_NE(keys, nullptr);
  }
  void TearDown() override { host->basicSuite()->ReleaseSuite(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4); }
  AEGP_StreamRefH stream(int index) {
    return reinterpret_cast<AEGP_StreamRefH>(host->streamRefs().make({effect->id(), index}));
  }
  A_Err setKey(AEGP_StreamRefH s, A_long frame, double value, AEGP_KeyframeIndex *index = nullptr) {
    AEGP_KeyframeIndex i = -1;
    const A_Time t{frame, 24};
    A_Err err = keys->AEGP_InsertKeyframe(s, AEGP_LTimeMode_CompTime, &t, &i);
    AEGP_StreamValue2 v{};
    v.val.one_d = value;
    if (!err) err = keys->AEGP_SetKeyframeValue(s, i, &v);
    if (index) *index = i;
    return err;
  }
};

TEST_F(KeyframeSuite, NumberKeysBlendAndCheckboxKeysHold) {
  AEGP_StreamRefH amount = stream(1), on = stream(2);
  ASSERT_EQ(setKey(amount, 0, 0), A_Err_NONE);
  ASSERT_EQ(setKey(amount, 10, 50), A_Err_NONE);
  EXPECT_DOUBLE_EQ(effect->streams[1].valueAt(5, true).number[0], 25);
  ASSERT_EQ(setKey(on, 10, 0), A_Err_NONE);
  ASSERT_EQ(setKey(on, 0, 1), A_Err_NONE);
  ASSERT_EQ(effect->streams[2].keys().size(), 2u);
  EXPECT_EQ(effect->streams[2].keys()[0].interpolation, host::Interpolation::Hold);
  EXPECT_EQ(effect->streams[2].valueAt(9, false).number[0], 1);
  EXPECT_EQ(effect->streams[2].valueAt(10, false).number[0], 0);
  A_long count = 0;
  EXPECT_EQ(keys->AEGP_GetStreamNumKFs(on, &count), A_Err_NONE);
  EXPECT_EQ(count, 2);
  A_Time time{};
  EXPECT_EQ(keys->AEGP_GetKeyframeTime(on, 1, AEGP_LTimeMode_CompTime, &time), A_Err_NONE);
  EXPECT_EQ(time.value, 10);
  EXPECT_EQ(time.scale, 24u);
  // Asking for linear keys on a checkbox still holds.
  EXPECT_EQ(keys->AEGP_SetKeyframeInterpolation(on, 0, AEGP_KeyInterp_LINEAR, AEGP_KeyInterp_LINEAR), A_Err_NONE);
  EXPECT_EQ(effect->streams[2].keys()[0].interpolation, host::Interpolation::Hold);
  EXPECT_EQ(keys->AEGP_SetKeyframeInterpolation(amount, 0, AEGP_KeyInterp_HOLD, AEGP_KeyInterp_HOLD), A_Err_NONE);
  EXPECT_DOUBLE_EQ(effect->streams[1].valueAt(5, true).number[0], 0);
  EXPECT_TRUE(host->streamRefs().dispose(amount));
  EXPECT_TRUE(host->streamRefs().dispose(on));
}

TEST_F(KeyframeSuite, InsertingAtAKeysTimeFindsThatKey) {
  AEGP_StreamRefH amount = stream(1);
  AEGP_KeyframeIndex first = -1, again = -1;
  ASSERT_EQ(setKey(amount, 12, 40, &first), A_Err_NONE);
  const A_Time t{12, 24};
  ASSERT_EQ(keys->AEGP_InsertKeyframe(amount, AEGP_LTimeMode_CompTime, &t, &again), A_Err_NONE);
  EXPECT_EQ(again, first);
  ASSERT_EQ(effect->streams[1].keys().size(), 1u);
  EXPECT_EQ(effect->streams[1].keys()[0].value.number[0], 40) << "the key keeps its value";
  // Removing the only key leaves the parameter at that key's value.
  EXPECT_EQ(keys->AEGP_DeleteKeyframe(amount, 0), A_Err_NONE);
  EXPECT_FALSE(effect->streams[1].animated());
  EXPECT_EQ(effect->streams[1].staticValue().number[0], 40);
  host->streamRefs().dispose(amount);
}

TEST_F(KeyframeSuite, KeysAreRefusedWhereTheyCannotBe) {
  AEGP_StreamRefH fixed = stream(3), amount = stream(1), controlOnly = stream(4);
  AEGP_KeyframeIndex index = -1;
  const A_Time t{0, 24}, noScale{0, 0};
  EXPECT_NE(keys->AEGP_InsertKeyframe(fixed, AEGP_LTimeMode_CompTime, &t, &index), A_Err_NONE)
      << "a parameter that cannot vary over time";
  EXPECT_NE(keys->AEGP_InsertKeyframe(controlOnly, AEGP_LTimeMode_CompTime, &t, &index), A_Err_NONE)
      << "a parameter without a stream (PF_PUI_STD_CONTROL_ONLY)";
  host->streamRefs().dispose(controlOnly);
  // A value set without a key is kept inside the valid range too.
  auto *streams = acquire<AEGP_StreamSuite3>(*host, kAEGPStreamSuite, kAEGPStreamSuiteVersion3);
  AEGP_StreamValue2 big{};
  big.val.one_d = 500;
  EXPECT_EQ(streams->AEGP_SetStreamValue(0, fixed, &big), A_Err_NONE);
  EXPECT_EQ(effect->streams[3].staticValue().number[0], 10);
  host->basicSuite()->ReleaseSuite(kAEGPStreamSuite, 8);
  EXPECT_NE(keys->AEGP_InsertKeyframe(amount, AEGP_LTimeMode_CompTime, &noScale, &index), A_Err_NONE);
  AEGP_StreamValue2 v{};
  EXPECT_NE(keys->AEGP_SetKeyframeValue(amount, 0, &v), A_Err_NONE) << "no key 0 yet";
  ASSERT_EQ(setKey(amount, 0, 500), A_Err_NONE);
  EXPECT_EQ(effect->streams[1].keys()[0].value.number[0], 100) << "values are kept inside the valid range";
  EXPECT_NE(keys->AEGP_SetKeyframeValue(amount, 1, &v), A_Err_NONE);
  EXPECT_NE(keys->AEGP_DeleteKeyframe(amount, -1), A_Err_NONE);
  host->streamRefs().dispose(amount);
  EXPECT_NE(keys->AEGP_InsertKeyframe(amount, AEGP_LTimeMode_CompTime, &t, &index), A_Err_NONE)
      << "a disposed reference";
  host->streamRefs().dispose(fixed);
}

} // namespace
