#include "instance/trigger_keys.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace vlam {
namespace {

using Keys = std::vector<std::pair<A_long, double>>;

Keys Pattern(A_long frame, double fps, double rate, double rounds) {
  Keys out;
  for (const TriggerKey &k : TriggerKeyPattern({frame, 1, fps, rate, rounds})) {
    out.emplace_back(k.timeValue, k.value);
  }
  return out;
}

TEST(TriggerKeys, IntervalRoundsKeyOrderAndBounds) {
  EXPECT_EQ(TriggerInterval(30, 20), 2.0f);  // 1.5 frames
  EXPECT_EQ(TriggerInterval(25, 10), 3.0f);  // 2.5 frames
  EXPECT_EQ(TriggerInterval(24, 20), 1.0f);
  EXPECT_EQ(TriggerRoundCount(2.5), 3);
  EXPECT_EQ(TriggerRoundCount(2.49), 2);
  EXPECT_EQ(Pattern(8, 24, 12, 1), (Keys{{0, 0}, {8, 1}, {9, 0}}));
  // At time zero the first on key follows the initial off key.
  EXPECT_EQ(Pattern(0, 24, 12, 1), (Keys{{0, 0}, {0, 1}, {1, 0}}));
  // A one-frame interval writes each off key before the next round's on
  // key: the later on key wins at each shared time, on from frame 3 to 5.
  EXPECT_EQ(Pattern(3, 24, 20, 3), (Keys{{0, 0}, {3, 1}, {4, 0}, {4, 1}, {5, 0}, {5, 1}, {6, 0}}));
  EXPECT_EQ(TriggerInterval(24, 0), 0.0f);  // a rate read as 0: no infinite spacing
  EXPECT_EQ(Pattern(4, 24, 0, 2), (Keys{{0, 0}, {4, 1}, {5, 0}, {4, 1}, {5, 0}}));
  EXPECT_EQ(Pattern(4, 24, 12, -3).size(), 1u);
  EXPECT_EQ(TriggerRoundCount(1e12), 1000);
  // Rounds whose times would overflow the 32-bit time value are not written.
  const std::vector<TriggerKey> far = TriggerKeyPattern({2'000'000'000, 100'000, 24, 1, 1000});
  ASSERT_GE(far.size(), 3u);
  EXPECT_LT(far.size(), 2001u);
  for (const TriggerKey &k : far) EXPECT_GE(k.timeValue, 0);
  // An off key at the largest time value itself still fits.
  const A_long last = std::numeric_limits<A_long>::max();
  EXPECT_EQ(Pattern(last - 1, 24, 12, 1), (Keys{{0, 0}, {last - 1, 1}, {last, 0}}));
}

}  // namespace
}  // namespace vlam
