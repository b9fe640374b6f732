#include <gtest/gtest.h>

#include <random>

#include "flash/splat_list.h"
#include "float_world_support.h"

namespace vlam {
namespace {

std::vector<SplatSlot> RandomSlots(int slots, int perSlot, A_long width, A_long height,
                                   uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<SplatSlot> out(slots);
  for (SplatSlot& slot : out) {
    slot.Reset(width, height);
    for (int i = 0; i < perSlot; ++i) {
      Splat s;
      s.kind = static_cast<A_long>(rng() % 3);
      s.x = static_cast<A_long>(rng() % (width + 40)) - 20;
      s.y = static_cast<A_long>(rng() % (height + 40)) - 20;
      s.size = static_cast<A_long>(rng() % 25);
      s.factor = static_cast<float>(rng() % 1000) / 1000.0f;
      s.red = static_cast<float>(rng() % 97) / 31.0f;
      s.green = 0.25f;
      s.blue = static_cast<float>(rng() % 13) / 7.0f;
      slot.splats.push_back(s);
    }
  }
  return out;
}

TEST(SplatBands, BandsCoverEveryRowOnce) {
  const std::vector<SplatSlot> slots = RandomSlots(3, 50, 40, 30, 1);
  for (A_long bands : {1, 2, 3, 7, 40}) {
    std::vector<A_long> bounds;
    BalanceBands(slots, 30, bands, bounds);
    ASSERT_EQ(bounds.size(), static_cast<size_t>(bands) + 1);
    EXPECT_EQ(bounds.front(), 0);
    EXPECT_EQ(bounds.back(), 30);
    for (size_t i = 1; i < bounds.size(); ++i) EXPECT_LE(bounds[i - 1], bounds[i]);
  }
  std::vector<A_long> none;
  BalanceBands({}, 10, 4, none);
  EXPECT_EQ(none.front(), 0);
  EXPECT_EQ(none.back(), 10);
}

TEST(SplatBands, BandsFollowTheWork) {
  // All the splats between rows 40 and 60 of 100: two bands split there.
  std::vector<SplatSlot> slots(1);
  slots[0].Reset(50, 100);
  for (A_long y = 40; y <= 60; ++y) slots[0].splats.push_back({Splat::kSoft, 25, y, 9, 1.0f, 1, 1, 1});
  std::vector<A_long> bounds;
  BalanceBands(slots, 100, 2, bounds);
  EXPECT_GE(bounds[1], 45);
  EXPECT_LE(bounds[1], 56);
}

TEST(SplatBands, DrawingBandByBandEqualsDrawingInOrder) {
  const std::vector<SplatSlot> slots = RandomSlots(4, 60, 45, 33, 2);
  FloatWorld whole(45, 33, 2), banded(45, 33, 2);
  const RasterTarget all = RasterTarget::Whole(whole.World());
  for (const SplatSlot& slot : slots)
    for (const Splat& s : slot.splats) DrawSplat(all, s);
  for (A_long bands : {1, 2, 5, 33}) {
    FloatWorld out(45, 33, 2);
    std::vector<A_long> bounds;
    BalanceBands(slots, 33, bands, bounds);
    const RasterTarget t = RasterTarget::Whole(out.World());
    // Bands in reverse order: each band's rows are its own.
    for (A_long b = bands - 1; b >= 0; --b) DrawSlotsInBand(slots, t.Band(bounds[b], bounds[b + 1]));
    EXPECT_EQ(out.Bytes(), whole.Bytes()) << bands;
    EXPECT_TRUE(out.AlphaUntouched());
  }
}

}  // namespace
}  // namespace vlam
