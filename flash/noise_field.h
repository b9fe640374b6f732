// Deterministic gradient noise: 2D and 3D improved noise over a permutation
// table, and the shaped one-dimensional forms read along one row of the 2D
// noise.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VLAM_NOISE_SSE2 1
#endif

namespace vlam {

// One coordinate placed on the noise lattice: its cell (masked to the table),
// its offset within the cell and the faded offset. Loops that use the same
// coordinate in many noise calls place it once.
struct LatticeCoord {
  uint32_t cell;
  double frac;
  double fade;
};
inline LatticeCoord PlaceOnLattice(double v);

struct NoiseField {
  uint32_t perm[512];  // a permutation of 0..255, stored twice in a row
  double row;          // first coordinate of the 1D forms; also the offset o
  double baseFreq;     // f: octave base frequency
  double octaveAmp;    // A: octave amplitude
  double largeAmp;     // B: large-scale displacement amplitude
  double largeFreq;    // g: large-scale displacement frequency

  // The reference permutation of the improved-noise paper; row = a x b.
  static NoiseField MakeReference(double a, double b);
  // 0..255 shuffled with an MT19937 seeded with `seed`; row and the settings
  // are 0 and left to the caller.
  static NoiseField MakeSeeded(uint32_t seed);

  double Noise2(double x, double y) const;
  double Noise3(double x, double y, double z) const;
  // The same noise from coordinates already on the lattice; equal to Noise3
  // of the coordinates they were placed from, bit for bit.
  double Noise3(const LatticeCoord& x, const LatticeCoord& y, const LatticeCoord& z) const;
  // The same noise again, evaluated two corners at a time. It equals Noise3
  // bit for bit except that a result of zero may carry the other sign: use
  // it only where the sign of a zero cannot matter (sums, magnitudes).
  double Noise3Paired(const LatticeCoord& x, const LatticeCoord& y, const LatticeCoord& z) const;

  // Shaped forms of Noise2(row, t).
  double N1(double t) const;   // -1 .. 1
  double N01(double t) const;  // 0 .. 1
  double Range(double t, double lo, double hi) const { return lo + (hi - lo) * N01(t); }
  int32_t Int(double t, int32_t n) const;  // 0 .. n, rounded
};

// The 256 values of the reference permutation.
extern const uint8_t kReferencePermutation[256];

// The 3D noise is defined here, and inlined into its callers, so that the
// loops calling it many times per splat keep several calls in flight.
#if defined(__GNUC__)
#define VLAM_NOISE_INLINE inline __attribute__((always_inline))
#elif defined(_MSC_VER)
#define VLAM_NOISE_INLINE __forceinline
#else
#define VLAM_NOISE_INLINE inline
#endif

namespace noise_detail {

inline double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }
inline double Lerp(double t, double a, double b) { return a + t * (b - a); }

// Lattice cell of a coordinate, masked to the table; coordinates too large to
// be represented as integers (and NaN) fall into cell 0 instead of
// overflowing the conversion.
inline uint32_t Cell(double floored) {
  if (!(std::fabs(floored) < 9.0e15)) return 0;
  return static_cast<uint32_t>(static_cast<int64_t>(floored)) & 255u;
}

// The gradient of hash h dotted with (x, y, z) is (+-u) + (+-v): u is x for
// h < 8, else y; v is y for h < 4, x for h 12 and 14, else z; bit 0 of h
// negates u and bit 1 negates v. The choices are read from a table instead
// of branched on: the hashes are random, so such branches are mispredicted
// about half the time. The sum is formed from the same two terms in the same
// order and a sign is flipped by its bit, which is exactly the negation, so
// the value is the same bit for bit.
struct GradientPick {
  uint8_t u;       // index of u in (x, y, z)
  uint8_t v;       // index of v
  uint64_t uSign;  // the sign bit when u is negated, else 0
  uint64_t vSign;
};

inline constexpr uint64_t kSignBit = uint64_t{1} << 63;

constexpr GradientPick Pick(uint32_t h) {
  return GradientPick{static_cast<uint8_t>(h < 8 ? 0 : 1),
                      static_cast<uint8_t>(h < 4 ? 1 : (h == 12 || h == 14 ? 0 : 2)),
                      (h & 1u) ? kSignBit : 0, (h & 2u) ? kSignBit : 0};
}

inline constexpr GradientPick kGradientPicks[16] = {
    Pick(0), Pick(1), Pick(2),  Pick(3),  Pick(4),  Pick(5),  Pick(6),  Pick(7),
    Pick(8), Pick(9), Pick(10), Pick(11), Pick(12), Pick(13), Pick(14), Pick(15)};

inline double FlipSign(double v, uint64_t sign) {
  return std::bit_cast<double>(std::bit_cast<uint64_t>(v) ^ sign);
}

inline double Grad3(uint32_t hash, double x, double y, double z) {
  const GradientPick& g = kGradientPicks[hash & 15u];
  const double c[3] = {x, y, z};
  return FlipSign(c[g.u], g.uSign) + FlipSign(c[g.v], g.vSign);
}

// The same gradients as coefficients (gx, gy, gz) in {-1, 0, 1}, padded to
// four: gx * x + gy * y + gz * z is the sum of the two picked terms, the
// third term adding a zero that can change only the sign of a zero sum.
struct alignas(16) GradientCoeffs {
  double g[4];
};

constexpr GradientCoeffs Coeffs(uint32_t h) {
  const GradientPick pick = Pick(h);
  GradientCoeffs c{{0.0, 0.0, 0.0, 0.0}};
  c.g[pick.u] = pick.uSign ? -1.0 : 1.0;
  c.g[pick.v] = pick.vSign ? -1.0 : 1.0;
  return c;
}

inline constexpr GradientCoeffs kGradientCoeffs[16] = {
    Coeffs(0), Coeffs(1), Coeffs(2),  Coeffs(3),  Coeffs(4),  Coeffs(5),  Coeffs(6),  Coeffs(7),
    Coeffs(8), Coeffs(9), Coeffs(10), Coeffs(11), Coeffs(12), Coeffs(13), Coeffs(14), Coeffs(15)};

inline constexpr double kNoise3Scale = 0.9359999895095825;  // the f32 value 0.936

}  // namespace noise_detail

inline LatticeCoord PlaceOnLattice(double v) {
  const double fl = std::floor(v);
  const double frac = v - fl;
  return LatticeCoord{noise_detail::Cell(fl), frac, noise_detail::Fade(frac)};
}

VLAM_NOISE_INLINE double NoiseField::Noise3(const LatticeCoord& lx, const LatticeCoord& ly,
                                            const LatticeCoord& lz) const {
  using noise_detail::Grad3;
  using noise_detail::Lerp;
  const uint32_t X = lx.cell, Y = ly.cell, Z = lz.cell;
  const double dx = lx.frac, dy = ly.frac, dz = lz.frac;
  const double u = lx.fade, v = ly.fade, w = lz.fade;
  const uint32_t* p = perm;
  // The hash takes the coordinates in reverse order: z first, then y, then x.
  const uint32_t z0 = p[Z], z1 = p[Z + 1];
  const uint32_t y00 = p[z0 + Y], y10 = p[z0 + Y + 1];
  const uint32_t y01 = p[z1 + Y], y11 = p[z1 + Y + 1];
  const double c000 = Grad3(p[y00 + X], dx, dy, dz);
  const double c100 = Grad3(p[y00 + X + 1], dx - 1.0, dy, dz);
  const double c010 = Grad3(p[y10 + X], dx, dy - 1.0, dz);
  const double c110 = Grad3(p[y10 + X + 1], dx - 1.0, dy - 1.0, dz);
  const double c001 = Grad3(p[y01 + X], dx, dy, dz - 1.0);
  const double c101 = Grad3(p[y01 + X + 1], dx - 1.0, dy, dz - 1.0);
  const double c011 = Grad3(p[y11 + X], dx, dy - 1.0, dz - 1.0);
  const double c111 = Grad3(p[y11 + X + 1], dx - 1.0, dy - 1.0, dz - 1.0);
  const double near = Lerp(v, Lerp(u, c000, c100), Lerp(u, c010, c110));
  const double far = Lerp(v, Lerp(u, c001, c101), Lerp(u, c011, c111));
  return Lerp(w, near, far) * noise_detail::kNoise3Scale;
}

#if defined(VLAM_NOISE_SSE2)

namespace noise_detail {

// Two corners that differ only in y: lane 0 holds the corner at y, lane 1
// the one at y - 1, each with the gradient of its own hash.
inline __m128d GradPair(uint32_t h0, uint32_t h1, __m128d xs, __m128d ys, __m128d zs) {
  const double* g0 = kGradientCoeffs[h0 & 15u].g;
  const double* g1 = kGradientCoeffs[h1 & 15u].g;
  const __m128d a = _mm_load_pd(g0), b = _mm_load_pd(g1);
  const __m128d gx = _mm_unpacklo_pd(a, b), gy = _mm_unpackhi_pd(a, b);
  const __m128d gz = _mm_loadh_pd(_mm_load_sd(g0 + 2), g1 + 2);
  return _mm_add_pd(_mm_add_pd(_mm_mul_pd(gx, xs), _mm_mul_pd(gy, ys)), _mm_mul_pd(gz, zs));
}

inline __m128d LerpPair(__m128d t, __m128d a, __m128d b) { return _mm_add_pd(a, _mm_mul_pd(t, _mm_sub_pd(b, a))); }

}  // namespace noise_detail

VLAM_NOISE_INLINE double NoiseField::Noise3Paired(const LatticeCoord& lx, const LatticeCoord& ly,
                                                  const LatticeCoord& lz) const {
  using noise_detail::GradPair;
  using noise_detail::LerpPair;
  const uint32_t X = lx.cell, Y = ly.cell, Z = lz.cell;
  const uint32_t* p = perm;
  const uint32_t z0 = p[Z], z1 = p[Z + 1];
  const uint32_t y00 = p[z0 + Y], y10 = p[z0 + Y + 1];
  const uint32_t y01 = p[z1 + Y], y11 = p[z1 + Y + 1];
  const __m128d x0 = _mm_set1_pd(lx.frac), x1 = _mm_set1_pd(lx.frac - 1.0);
  const __m128d ys = _mm_set_pd(ly.frac - 1.0, ly.frac);
  const __m128d zNear = _mm_set1_pd(lz.frac), zFar = _mm_set1_pd(lz.frac - 1.0);
  const __m128d u = _mm_set1_pd(lx.fade);
  // Along x first, both y rows at once: (Lerp(u, c000, c100), Lerp(u, c010, c110)).
  const __m128d near = LerpPair(u, GradPair(p[y00 + X], p[y10 + X], x0, ys, zNear),
                                GradPair(p[y00 + X + 1], p[y10 + X + 1], x1, ys, zNear));
  const __m128d far = LerpPair(u, GradPair(p[y01 + X], p[y11 + X], x0, ys, zFar),
                               GradPair(p[y01 + X + 1], p[y11 + X + 1], x1, ys, zFar));
  // Then along y, the near and far planes at once.
  const __m128d planes = LerpPair(_mm_set1_pd(ly.fade), _mm_unpacklo_pd(near, far), _mm_unpackhi_pd(near, far));
  const double n = _mm_cvtsd_f64(planes), f = _mm_cvtsd_f64(_mm_unpackhi_pd(planes, planes));
  return noise_detail::Lerp(lz.fade, n, f) * noise_detail::kNoise3Scale;
}

#else

VLAM_NOISE_INLINE double NoiseField::Noise3Paired(const LatticeCoord& x, const LatticeCoord& y,
                                                  const LatticeCoord& z) const {
  return Noise3(x, y, z);
}

#endif

}  // namespace vlam
