#include <gtest/gtest.h>

#include <random>

#include "flash/splat_list.h"
#include "render/render_host_support.h"

namespace vlam {
namespace {

using vlam_render_test::FloatWorld;

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

// Bands cover every row once (drawn band by band, in any order, they give
// what drawing everything at once gives), and split where the work is.
TEST(SplatBands, BandsCoverEveryRowOnceFollowTheWorkAndDrawAsInOrder) {
  std::vector<A_long> none;
  BalanceBands({}, 10, 4, none);
  EXPECT_EQ(std::pair(none.front(), none.back()), (std::pair<A_long, A_long>(0, 10)));

  // All the splats between rows 40 and 60 of 100: two bands split there.
  std::vector<SplatSlot> one(1);
  one[0].Reset(50, 100);
  for (A_long y = 40; y <= 60; ++y) one[0].splats.push_back({Splat::kSoft, 25, y, 9, 1.0f, 1, 1, 1});
  std::vector<A_long> bounds;
  BalanceBands(one, 100, 2, bounds);
  EXPECT_GE(bounds[1], 45);
  EXPECT_LE(bounds[1], 56);
  // Splats wholly above or below the frame are no band's work.
  for (A_long y : {-30, -30, -30, 130}) one[0].splats.push_back({Splat::kSoft, 25, y, 24, 1.0f, 1, 1, 1});
  std::vector<A_long> outside;
  BalanceBands(one, 100, 2, outside);
  EXPECT_EQ(outside, bounds);

  const std::vector<SplatSlot> drawn = RandomSlots(4, 60, 45, 33, 2);
  FloatWorld whole(45, 33, 2), banded(45, 33, 2);
  const RasterTarget all = RasterTarget::Whole(whole.World());
  for (const SplatSlot& slot : drawn)
    for (const Splat& s : slot.splats) DrawSplat(all, s);
  for (A_long bands : {1, 2, 5, 33, 40}) {
    FloatWorld out(45, 33, 2);
    std::vector<A_long> bandBounds;
    BalanceBands(drawn, 33, bands, bandBounds);
    ASSERT_EQ(bandBounds.size(), static_cast<size_t>(bands) + 1);
    for (size_t i = 1; i < bandBounds.size(); ++i) ASSERT_LE(bandBounds[i - 1], bandBounds[i]);
    const RasterTarget t = RasterTarget::Whole(out.World());
    // Bands in reverse order: each band's rows are its own.
    for (A_long b = bands - 1; b >= 0; --b) DrawSlotsInBand(drawn, t.Band(bandBounds[b], bandBounds[b + 1]));
    EXPECT_EQ(out.Bytes(), whole.Bytes()) << bands;
    EXPECT_TRUE(out.AlphaUntouched());
  }
}

// A splat's light is centred where it says, with its colour's proportions:
// a point and an odd brush on its pixel, an even brush on the corner
// above-left of it, the two-pixel soft stamp on the corner below-right.
TEST(DrawSplat, LightIsCentredWhereTheSplatSays) {
  const struct { Splat::Kind kind; A_long size; double dx, dy; } cases[] = {
      {Splat::kPoint, 0, 0.0, 0.0},  {Splat::kSoft, 1, 0.0, 0.0},   {Splat::kSoft, 2, 0.5, 0.5},
      {Splat::kSoft, 3, 0.0, 0.0},   {Splat::kSoft, 5, 0.0, 0.0},   {Splat::kSoft, 8, -0.5, -0.5},
      {Splat::kSquare, 3, 0.0, 0.0}, {Splat::kSquare, 4, -0.5, -0.5}};
  for (const auto& [kind, size, dx, dy] : cases) {
    FloatWorld w(21, 17, 1);
    DrawSplat(RasterTarget::Whole(w.World()), Splat{kind, 9, 7, size, 0.5f, 1.0f, 2.0f, 0.5f});
    double sum = 0.0, sx = 0.0, sy = 0.0;
    for (A_long y = 0; y < 17; ++y)
      for (A_long x = 0; x < 21; ++x) {
        const PF_PixelFloat& p = w.At(x, y);
        sum += p.red;
        sx += x * p.red;
        sy += y * p.red;
        ASSERT_EQ(p.green, 2.0f * p.red);
        ASSERT_EQ(p.blue, 0.5f * p.red);
      }
    ASSERT_GT(sum, 0.0) << kind << " " << size;
    EXPECT_NEAR(sx / sum, 9 + dx, 1e-6) << kind << " " << size;
    EXPECT_NEAR(sy / sum, 7 + dy, 1e-6) << kind << " " << size;
    EXPECT_TRUE(w.AlphaUntouched());
  }
}

}  // namespace
}  // namespace vlam
