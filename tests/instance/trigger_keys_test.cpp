#include "instance/trigger_keys.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vlam {
namespace {

using Keys = std::vector<std::pair<A_long, double>>;

Keys Pattern(A_long frame, double fps, double rate, double rounds, A_long step = 1) {
  Keys out;
  for (const TriggerKey &k : TriggerKeyPattern({frame * step, step, fps, rate, rounds})) {
    out.emplace_back(k.timeValue, k.value);
  }
  return out;
}

TEST(TriggerKeys, ThreeRoundsAtHalfTheFrameRate) {
  const Keys expected = {{0, 0.0},  {10, 1.0}, {11, 0.0}, {12, 1.0},
                         {13, 0.0}, {14, 1.0}, {15, 0.0}};
  EXPECT_EQ(Pattern(10, 24.0, 12.0, 3.0), expected);
}

TEST(TriggerKeys, TimesScaleWithTheFrameStep) {
  // Same burst with 100 time units per frame.
  const Keys expected = {{0, 0.0},    {1000, 1.0}, {1100, 0.0}, {1200, 1.0},
                         {1300, 0.0}, {1400, 1.0}, {1500, 0.0}};
  EXPECT_EQ(Pattern(10, 24.0, 12.0, 3.0, 100), expected);
}

TEST(TriggerKeys, IntervalRoundsHalfAwayFromZero) {
  EXPECT_EQ(TriggerInterval(30.0, 20.0), 2.0f);  // 1.5 frames
  EXPECT_EQ(TriggerInterval(24.0, 20.0), 1.0f);  // 1.2 frames
  EXPECT_EQ(TriggerInterval(25.0, 10.0), 3.0f);  // 2.5 frames
  EXPECT_EQ(TriggerInterval(24.0, 12.0), 2.0f);
  const Keys expected = {{0, 0.0}, {5, 1.0}, {6, 0.0}, {7, 1.0}, {8, 0.0}};
  EXPECT_EQ(Pattern(5, 30.0, 20.0, 2.0), expected);
}

TEST(TriggerKeys, IntervalOfOneFrameKeepsTheTriggerOnThroughTheBurst) {
  // Each off key shares its time with the next round's on key, which is
  // written after it, so the last write at every time but the final one is on.
  const Keys keys = Pattern(3, 24.0, 20.0, 3.0);
  const Keys expected = {{0, 0.0}, {3, 1.0}, {4, 0.0}, {4, 1.0}, {5, 0.0}, {5, 1.0}, {6, 0.0}};
  EXPECT_EQ(keys, expected);
}

TEST(TriggerKeys, RoundCountRoundsHalfAwayFromZero) {
  EXPECT_EQ(TriggerRoundCount(2.5), 3);
  EXPECT_EQ(TriggerRoundCount(2.49), 2);
  EXPECT_EQ(TriggerRoundCount(1.0), 1);
  EXPECT_EQ(Pattern(0, 24.0, 12.0, 2.5).size(), 7u);
  const Keys single = {{0, 0.0}, {8, 1.0}, {9, 0.0}};
  EXPECT_EQ(Pattern(8, 24.0, 12.0, 1.0), single);
}

TEST(TriggerKeys, CurrentTimeZeroPutsTheFirstOnKeyOverTheInitialOffKey) {
  const Keys keys = Pattern(0, 24.0, 12.0, 1.0);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0], std::make_pair(A_long{0}, 0.0));
  EXPECT_EQ(keys[1], std::make_pair(A_long{0}, 1.0));  // written later, wins
}

TEST(TriggerKeys, OutOfRangeInputsStayBounded) {
  // A rate read as 0 must not produce an infinite spacing.
  EXPECT_EQ(TriggerInterval(24.0, 0.0), 0.0f);
  const Keys stacked = {{0, 0.0}, {4, 1.0}, {5, 0.0}, {4, 1.0}, {5, 0.0}};
  EXPECT_EQ(Pattern(4, 24.0, 0.0, 2.0), stacked);
  // No rounds at all: only the initial off key.
  EXPECT_EQ(Pattern(4, 24.0, 12.0, 0.0).size(), 1u);
  EXPECT_EQ(Pattern(4, 24.0, 12.0, -3.0).size(), 1u);
  EXPECT_EQ(TriggerRoundCount(1e12), 1000);
  // Rounds whose times overflow the 32-bit time value are not written.
  const std::vector<TriggerKey> far = TriggerKeyPattern({2'000'000'000, 100'000, 24.0, 1.0, 1000});
  ASSERT_GE(far.size(), 3u);
  EXPECT_LT(far.size(), 2001u);
  for (const TriggerKey &k : far) {
    EXPECT_GE(k.timeValue, 0);
  }
}

}  // namespace
}  // namespace vlam
