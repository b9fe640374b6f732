#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "flash/mt19937.h"
#include "flash/noise_field.h"

namespace vlam {
namespace {

// The reference permutation is a permutation, stored twice; the row is the
// product of the two arguments. The seeded shuffle and its generator match
// the standard library's.
TEST(NoiseField, PermutationsStoredTwiceAndGeneratorMatchesTheStandardLibrary) {
  const NoiseField f = NoiseField::MakeReference(2.0, 1.5);
  std::set<uint32_t> seen(f.perm, f.perm + 256);
  EXPECT_EQ(seen.size(), 256u);
  EXPECT_EQ(*seen.rbegin(), 255u);
  EXPECT_TRUE(std::equal(f.perm, f.perm + 256, f.perm + 256));
  EXPECT_DOUBLE_EQ(f.row, 3.0);

  // The seeded one: the same shuffle driven by the standard library's own MT19937.
  for (uint32_t seed : {0u, 1u, 5489u, 4000000000u}) {
    std::mt19937 ref(seed);
    uint32_t p[256];
    for (uint32_t i = 0; i < 256; ++i) p[i] = i;
    for (uint32_t k = 1; k <= 255; ++k) std::swap(p[k], p[ref() % (k + 1)]);
    const NoiseField f = NoiseField::MakeSeeded(seed);
    EXPECT_TRUE(std::equal(p, p + 256, f.perm)) << seed;
    EXPECT_TRUE(std::equal(f.perm, f.perm + 256, f.perm + 256)) << "stored twice";
  }
  // The generator itself (by default seeded 5489), past its first regeneration.
  Mt19937 byDefault;
  std::mt19937 standard;
  for (int i = 0; i < 1500; ++i) ASSERT_EQ(byDefault.Next(), standard()) << i;
  for (uint32_t seed : {0u, 42u, 0xffffffffu}) {
    std::mt19937 ref(seed);
    Mt19937 mt(seed);
    for (int i = 0; i < 1500; ++i) ASSERT_EQ(mt.Next(), ref()) << seed << " " << i;
  }
}

// Noise is zero at lattice points, continuous across cell borders, and huge
// or non-finite coordinates do not overflow.
TEST(NoiseField, ZeroAtLatticePointsContinuousAndSafeForAnyCoordinate) {
  const NoiseField r = NoiseField::MakeReference(0, 0);
  const NoiseField s = NoiseField::MakeSeeded(9);
  for (int x = -3; x <= 300; x += 7)
    for (int y = -2; y <= 5; ++y) {
      EXPECT_EQ(r.Noise2(x, y), 0.0);
      EXPECT_EQ(s.Noise3(x, y, x - y), 0.0);
      EXPECT_EQ(r.Noise3(y, x, 3), 0.0);
    }

  const double eps = 1e-7;
  for (int c = -4; c <= 260; c += 13)
    for (double o : {0.25, 0.5, 0.8}) {
      // Crossing x, y and z lattice planes.
      EXPECT_NEAR(r.Noise3(c - eps, o, o * 2), r.Noise3(c + eps, o, o * 2), 1e-5);
      EXPECT_NEAR(r.Noise3(o, c - eps, o), r.Noise3(o, c + eps, o), 1e-5);
      EXPECT_NEAR(r.Noise3(o, o, c - eps), r.Noise3(o, o, c + eps), 1e-5);
      EXPECT_NEAR(r.Noise2(c - eps, o), r.Noise2(c + eps, o), 1e-5);
      EXPECT_NEAR(r.Noise2(o, c - eps), r.Noise2(o, c + eps), 1e-5);
    }

  EXPECT_TRUE(std::isfinite(s.Noise3(1e30, -1e30, 0.5)));
  EXPECT_TRUE(std::isnan(s.Noise3(NAN, 0.5, 0.5)));
  EXPECT_TRUE(std::isnan(s.Noise2(0.5, INFINITY)));
}

TEST(NoiseField, HashTakesCoordinatesInReverseOrder) {
  // Close to a lattice corner the noise is that corner's gradient dotted with
  // the offset (the fades of the other corners vanish). With the identity
  // table with entries 0 and 1 swapped, corner (1, 1, 0) hashes to
  // perm[perm[perm[0] + 1] + 1] = 3 in the reversed order and to
  // perm[perm[perm[1] + 1] + 0] = 1 in the published one.
  NoiseField f{};
  for (int i = 0; i < 512; ++i) f.perm[i] = static_cast<uint32_t>(i & 255);
  std::swap(f.perm[0], f.perm[1]);
  std::swap(f.perm[256], f.perm[257]);
  const double dx = -0.001, dy = -0.002, dz = 0.003;
  const double n = f.Noise3(1 + dx, 1 + dy, dz);
  // Hash 3: -dx - dy. Hash 1 would give -dx + dy.
  EXPECT_NEAR(n, (-dx - dy) * 0.9359999895095825, 2e-6);
  // In two dimensions corner (0, 0) hashes to perm[perm[0]]: with the
  // identity table but for perm[0] = h that is h, whose gradient at
  // (x, y) = (0.001, 0.003) is +-u +-2v (bit 0 negates u, bit 1 v), u = x and
  // v = y below 4, swapped from 4 on; scaled by 0.507.
  const double gradient[8] = {0.007, 0.005, -0.005, -0.007, 0.005, -0.001, 0.001, -0.005};
  f.perm[1] = f.perm[257] = 1;
  for (uint32_t h = 0; h < 8; ++h) {
    f.perm[0] = f.perm[256] = h;
    EXPECT_NEAR(f.Noise2(0.001, 0.003), gradient[h] * 0.507, 2e-6) << h;
  }
}

TEST(NoiseField, ShapedFormsStayInTheirRanges) {
  NoiseField f = NoiseField::MakeReference(3.1, 1.372490586);
  bool sawNegative = false, sawOne = false;
  for (int i = 0; i < 5000; ++i) {
    const double t = i * 0.377;
    const double n1 = f.N1(t), n01 = f.N01(t);
    EXPECT_TRUE(n1 >= -1.0 && n1 <= 1.0 && n01 >= 0.0 && n01 <= 1.0) << t;
    EXPECT_EQ(std::fabs(n1), n01);
    sawNegative |= n1 < 0;
    sawOne |= n01 == 1.0;
    const double r = f.Range(t, 2.0, 5.0);
    EXPECT_TRUE(r >= 2.0 && r <= 5.0) << t;
    EXPECT_EQ(f.Int(t, 0) + f.Int(t, -3), 0);
    EXPECT_EQ(f.Int(t, 1), n01 >= 0.5 ? 1 : 0);
    EXPECT_EQ(f.Int(t, 7), static_cast<int32_t>(std::round(n01 * 7)));
  }
  EXPECT_TRUE(sawNegative && sawOne);  // the shaping saturates above 0.628545
}

TEST(NoiseField, PairedFormGivesTheSameValues) {
  // Equal as values (a zero may differ in sign), over every hash and both
  // tables, cells near the ends of the table and exact lattice planes.
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> d(-300.0, 300.0);
  for (const NoiseField& f : {NoiseField::MakeReference(0, 0), NoiseField::MakeSeeded(77)}) {
    for (int i = 0; i < 20000; ++i) {
      const double x = d(rng), y = i % 7 == 0 ? std::floor(d(rng)) : d(rng), z = i % 5 == 0 ? 255.5 : d(rng);
      const LatticeCoord lx = PlaceOnLattice(x), ly = PlaceOnLattice(y), lz = PlaceOnLattice(z);
      ASSERT_EQ(f.Noise3Paired(lx, ly, lz), f.Noise3(lx, ly, lz)) << x << " " << y << " " << z;
    }
  }
}

}  // namespace
}  // namespace vlam
