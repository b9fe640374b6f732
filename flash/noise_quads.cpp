// The 3D gradient noise at four points at once. The AVX2 form is compiled for
// that instruction set alone and chosen at run time, so the module still runs
// on processors with SSE2 only. Each lane performs the scalar form's
// operations (no fused multiply-add, nothing reordered), so its values equal
// Noise3 bit for bit on every machine.
#include "flash/noise_field.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define VLAM_NOISE_AVX2 1
#define VLAM_TARGET_AVX2 __attribute__((target("avx2")))
#define VLAM_TARGET_AVX2_INLINE inline __attribute__((target("avx2"), always_inline))
#endif

namespace vlam {

void Noise3QuadsPortable(const NoiseField& field, const NoiseQuadPoints* points, int count, double* out) {
  for (int i = 0; i < count; ++i) {
    const NoiseQuadPoints& pt = points[i];
    for (int k = 0; k < 4; ++k) {
      const LatticeCoord x{pt.x->cell[k], pt.x->frac[k], pt.x->fade[k]};
      const LatticeCoord y{pt.y->cell[k], pt.y->frac[k], pt.y->fade[k]};
      const LatticeCoord z{pt.z->cell[k], pt.z->frac[k], pt.z->fade[k]};
      out[4 * i + k] = field.Noise3Paired(x, y, z);
    }
  }
}

#if defined(VLAM_NOISE_AVX2)

namespace {

// The gradient choices of each hash (see GradientPick) as flag bits, looked
// up 16 at a time by the low four bits of the hash.
constexpr uint8_t kUIsY = 0x80;     // u is y (else x)
constexpr uint8_t kVIsNotY = 0x40;  // v is x or z (else y)
constexpr uint8_t kVIsX = 0x20;     // with kVIsNotY: v is x (else z)
constexpr uint8_t kUNeg = 0x10;     // u negated
constexpr uint8_t kVNeg = 0x08;     // v negated

constexpr uint8_t Flags(uint32_t h) {
  const noise_detail::GradientPick p = noise_detail::Pick(h);
  return static_cast<uint8_t>((p.u == 1 ? kUIsY : 0) | (p.v != 1 ? kVIsNotY : 0) | (p.v == 0 ? kVIsX : 0) |
                              (p.uSign ? kUNeg : 0) | (p.vSign ? kVNeg : 0));
}

static_assert(Flags(0) == 0, "bytes of a hash above its lowest look up hash 0 and must give no flags");

// The flag bits of eight hashes (the 32-bit lanes of `hashes`), each in the
// lowest byte of its lane; the other bytes of a hash below 256 are zero and
// look up Flags(0), zero as well.
VLAM_TARGET_AVX2_INLINE __m256i GradientFlags(__m256i hashes) {
  const __m256i table = _mm256_setr_epi8(
      Flags(0), Flags(1), Flags(2), Flags(3), Flags(4), Flags(5), Flags(6), Flags(7), Flags(8), Flags(9),
      Flags(10), Flags(11), Flags(12), Flags(13), Flags(14), Flags(15), Flags(0), Flags(1), Flags(2), Flags(3),
      Flags(4), Flags(5), Flags(6), Flags(7), Flags(8), Flags(9), Flags(10), Flags(11), Flags(12), Flags(13),
      Flags(14), Flags(15));
  return _mm256_shuffle_epi8(table, _mm256_and_si256(hashes, _mm256_set1_epi32(15)));
}

// Four of those flags (lanes 0-3 of `flags`, or 4-7 when `high`) as 64-bit
// lanes with the flags in the top byte: bit 63 is kUIsY. The bits below
// hold a copy of the flags that only the sign masks see, and they are
// masked there.
VLAM_TARGET_AVX2_INLINE __m256i FlagsToTop(__m256i flags, bool high) {
  const __m256i order = high ? _mm256_setr_epi32(4, 4, 5, 5, 6, 6, 7, 7) : _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3);
  return _mm256_slli_epi64(_mm256_permutevar8x32_epi32(flags, order), 24);
}

// The gradient of each lane's hash dotted with its corner offset: (+-u) +
// (+-v), as Grad3 forms it.
VLAM_TARGET_AVX2_INLINE __m256d Grad4(__m256i flags, __m256d x, __m256d y, __m256d z) {
  const __m256d sign = _mm256_castsi256_pd(_mm256_set1_epi64x(static_cast<long long>(noise_detail::kSignBit)));
  const __m256d u = _mm256_blendv_pd(x, y, _mm256_castsi256_pd(flags));
  const __m256d xOrZ = _mm256_blendv_pd(z, x, _mm256_castsi256_pd(_mm256_slli_epi64(flags, 2)));
  const __m256d v = _mm256_blendv_pd(y, xOrZ, _mm256_castsi256_pd(_mm256_slli_epi64(flags, 1)));
  const __m256d uSign = _mm256_and_pd(_mm256_castsi256_pd(_mm256_slli_epi64(flags, 3)), sign);
  const __m256d vSign = _mm256_and_pd(_mm256_castsi256_pd(_mm256_slli_epi64(flags, 4)), sign);
  return _mm256_add_pd(_mm256_xor_pd(u, uSign), _mm256_xor_pd(v, vSign));
}

VLAM_TARGET_AVX2_INLINE __m256d Lerp4(__m256d t, __m256d a, __m256d b) {
  return _mm256_add_pd(a, _mm256_mul_pd(t, _mm256_sub_pd(b, a)));
}

VLAM_TARGET_AVX2_INLINE __m128i Cells(const LatticeQuad& q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q.cell));
}

VLAM_TARGET_AVX2_INLINE __m256i Twice(__m128i v) {
  return _mm256_inserti128_si256(_mm256_castsi128_si256(v), v, 1);
}

VLAM_TARGET_AVX2 void Noise3QuadsWithAvx2(const NoiseField& field, const NoiseQuadPoints* points, int count,
                                          double* out) {
  // The table holds 0..255 twice over, so every index below stays within it.
  const int* p = reinterpret_cast<const int*>(field.perm);
  const __m256i one = _mm256_set1_epi32(1);
  const __m256d unit = _mm256_set1_pd(1.0);
  const __m256d scale = _mm256_set1_pd(noise_detail::kNoise3Scale);
  for (int i = 0; i < count; ++i) {
    const LatticeQuad& qx = *points[i].x;
    const LatticeQuad& qy = *points[i].y;
    const LatticeQuad& qz = *points[i].z;
    // The hashes of Noise3, z first, with the near plane (z) in the low half
    // of each register and the far plane (z + 1) in the high half.
    const __m128i Z = Cells(qz);
    const __m256i zHash = _mm256_i32gather_epi32(
        p, _mm256_inserti128_si256(_mm256_castsi128_si256(Z), _mm_add_epi32(Z, _mm_set1_epi32(1)), 1), 4);
    const __m256i zy = _mm256_add_epi32(zHash, Twice(Cells(qy)));
    const __m256i yHash0 = _mm256_i32gather_epi32(p, zy, 4);                         // y00 | y01
    const __m256i yHash1 = _mm256_i32gather_epi32(p, _mm256_add_epi32(zy, one), 4);  // y10 | y11
    const __m256i X = Twice(Cells(qx));
    const __m256i y0x = _mm256_add_epi32(yHash0, X), y1x = _mm256_add_epi32(yHash1, X);
    const __m256i h00 = _mm256_i32gather_epi32(p, y0x, 4);                         // c000 | c001
    const __m256i h10 = _mm256_i32gather_epi32(p, _mm256_add_epi32(y0x, one), 4);  // c100 | c101
    const __m256i h01 = _mm256_i32gather_epi32(p, y1x, 4);                         // c010 | c011
    const __m256i h11 = _mm256_i32gather_epi32(p, _mm256_add_epi32(y1x, one), 4);  // c110 | c111

    const __m256d x0 = _mm256_loadu_pd(qx.frac), x1 = _mm256_sub_pd(x0, unit);
    const __m256d y0 = _mm256_loadu_pd(qy.frac), y1 = _mm256_sub_pd(y0, unit);
    const __m256d z0 = _mm256_loadu_pd(qz.frac), z1 = _mm256_sub_pd(z0, unit);
    const __m256i f00 = GradientFlags(h00), f10 = GradientFlags(h10);
    const __m256i f01 = GradientFlags(h01), f11 = GradientFlags(h11);
    const __m256d c000 = Grad4(FlagsToTop(f00, false), x0, y0, z0);
    const __m256d c100 = Grad4(FlagsToTop(f10, false), x1, y0, z0);
    const __m256d c010 = Grad4(FlagsToTop(f01, false), x0, y1, z0);
    const __m256d c110 = Grad4(FlagsToTop(f11, false), x1, y1, z0);
    const __m256d c001 = Grad4(FlagsToTop(f00, true), x0, y0, z1);
    const __m256d c101 = Grad4(FlagsToTop(f10, true), x1, y0, z1);
    const __m256d c011 = Grad4(FlagsToTop(f01, true), x0, y1, z1);
    const __m256d c111 = Grad4(FlagsToTop(f11, true), x1, y1, z1);

    const __m256d u = _mm256_loadu_pd(qx.fade), v = _mm256_loadu_pd(qy.fade), w = _mm256_loadu_pd(qz.fade);
    const __m256d near = Lerp4(v, Lerp4(u, c000, c100), Lerp4(u, c010, c110));
    const __m256d far = Lerp4(v, Lerp4(u, c001, c101), Lerp4(u, c011, c111));
    _mm256_storeu_pd(out + 4 * i, _mm256_mul_pd(Lerp4(w, near, far), scale));
  }
}

}  // namespace

Noise3QuadsFn Noise3QuadsAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? &Noise3QuadsWithAvx2 : nullptr;
}

#else

Noise3QuadsFn Noise3QuadsAvx2() { return nullptr; }

#endif

Noise3QuadsFn SelectNoise3Quads() {
  static const Noise3QuadsFn chosen = [] {
    const Noise3QuadsFn avx2 = Noise3QuadsAvx2();
    return avx2 ? avx2 : &Noise3QuadsPortable;
  }();
  return chosen;
}

}  // namespace vlam
