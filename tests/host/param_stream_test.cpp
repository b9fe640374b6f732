#include "host/project/ParamStream.h"

#include <gtest/gtest.h>

using namespace vlam::host;

namespace {

ParamStream twoKeys(Interpolation first) {
  ParamStream s(ParamValue::scalar(-1));
  s.setKey({10, ParamValue::scalar(100), first});
  s.setKey({20, ParamValue::scalar(200), Interpolation::Linear});
  return s;
}

TEST(ParamStream, LinearKeysBlendEveryComponent) {
  ParamStream s;
  ParamValue a, b;
  a.number = {0, 10, -4, 1};
  b.number = {1, 20, 4, 1};
  s.setKey({0, a, Interpolation::Linear});
  s.setKey({4, b, Interpolation::Linear});
  ParamValue mid = s.valueAt(1, true);
  EXPECT_DOUBLE_EQ(mid.number[0], 0.25);
  EXPECT_DOUBLE_EQ(mid.number[1], 12.5);
  EXPECT_DOUBLE_EQ(mid.number[2], -2);
  EXPECT_DOUBLE_EQ(mid.number[3], 1);
}

TEST(ParamStream, OutsideTheKeysTheNearestKeyHolds) {
  ParamStream s = twoKeys(Interpolation::Linear);
  EXPECT_EQ(s.valueAt(-1000, true).number[0], 100);
  EXPECT_EQ(s.valueAt(10, true).number[0], 100);
  EXPECT_EQ(s.valueAt(15, true).number[0], 150);
  EXPECT_EQ(s.valueAt(20, true).number[0], 200);
  EXPECT_EQ(s.valueAt(1 << 30, true).number[0], 200);
  EXPECT_EQ(s.staticValue().number[0], -1) << "the static value is kept but not used while animated";
}

TEST(ParamStream, HoldKeysAndNonBlendableTypesStep) {
  ParamStream hold = twoKeys(Interpolation::Hold);
  EXPECT_EQ(hold.valueAt(19, true).number[0], 100);
  EXPECT_EQ(hold.valueAt(20, true).number[0], 200);
  ParamStream linear = twoKeys(Interpolation::Linear);
  EXPECT_EQ(linear.valueAt(19, false).number[0], 100) << "a checkbox never takes a value between keys";
}

TEST(ParamStream, KeysStaySortedAndReplaceAtTheSameTime) {
  ParamStream s;
  s.setKey({30, ParamValue::scalar(3), Interpolation::Hold});
  s.setKey({10, ParamValue::scalar(1), Interpolation::Hold});
  EXPECT_EQ(s.setKey({20, ParamValue::scalar(2), Interpolation::Hold}), 1u);
  EXPECT_EQ(s.setKey({10, ParamValue::scalar(9), Interpolation::Linear}), 0u);
  ASSERT_EQ(s.keys().size(), 3u);
  EXPECT_EQ(s.keys()[0].value.number[0], 9);
  EXPECT_EQ(s.keys()[0].interpolation, Interpolation::Linear);
  EXPECT_EQ(s.keys()[2].ticks, 30);
  EXPECT_FALSE(s.removeKey(3));
  EXPECT_TRUE(s.removeKey(0));
  EXPECT_EQ(s.keys().front().ticks, 20);
}

TEST(ParamStream, SettingAValueOnAnAnimatedStreamAddsAKeyThere) {
  ParamStream s = twoKeys(Interpolation::Hold);
  s.setValueAt(15, ParamValue::scalar(7));
  ASSERT_EQ(s.keys().size(), 3u);
  EXPECT_EQ(s.keys()[1].ticks, 15);
  EXPECT_EQ(s.keys()[1].interpolation, Interpolation::Hold) << "takes the interpolation of the stretch it splits";
  EXPECT_EQ(s.staticValue().number[0], -1);
  ParamStream still;
  still.setValueAt(15, ParamValue::scalar(7));
  EXPECT_FALSE(still.animated());
  EXPECT_EQ(still.valueAt(0, true).number[0], 7);
}

TEST(ParamStream, ArbitraryBytesTakePartInEquality) {
  ParamValue a, b;
  a.flat = std::make_shared<std::vector<std::uint8_t>>(std::vector<std::uint8_t>{1, 2});
  b.flat = std::make_shared<std::vector<std::uint8_t>>(std::vector<std::uint8_t>{1, 2});
  EXPECT_EQ(a, b);
  b.flat = std::make_shared<std::vector<std::uint8_t>>(std::vector<std::uint8_t>{1, 3});
  EXPECT_FALSE(a == b);
  b.flat.reset();
  EXPECT_FALSE(a == b);
}

} // namespace
