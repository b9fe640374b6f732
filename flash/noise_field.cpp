#include "flash/noise_field.h"

#include <cmath>

#include "flash/mt19937.h"

namespace vlam {

const uint8_t kReferencePermutation[256] = {
    151, 160, 137, 91,  90,  15,  131, 13,  201, 95,  96,  53,  194, 233, 7,   225, 140, 36,
    103, 30,  69,  142, 8,   99,  37,  240, 21,  10,  23,  190, 6,   148, 247, 120, 234, 75,
    0,   26,  197, 62,  94,  252, 219, 203, 117, 35,  11,  32,  57,  177, 33,  88,  237, 149,
    56,  87,  174, 20,  125, 136, 171, 168, 68,  175, 74,  165, 71,  134, 139, 48,  27,  166,
    77,  146, 158, 231, 83,  111, 229, 122, 60,  211, 133, 230, 220, 105, 92,  41,  55,  46,
    245, 40,  244, 102, 143, 54,  65,  25,  63,  161, 1,   216, 80,  73,  209, 76,  132, 187,
    208, 89,  18,  169, 200, 196, 135, 130, 116, 188, 159, 86,  164, 100, 109, 198, 173, 186,
    3,   64,  52,  217, 226, 250, 124, 123, 5,   202, 38,  147, 118, 126, 255, 82,  85,  212,
    207, 206, 59,  227, 47,  16,  58,  17,  182, 189, 28,  42,  223, 183, 170, 213, 119, 248,
    152, 2,   44,  154, 163, 70,  221, 153, 101, 155, 167, 43,  172, 9,   129, 22,  39,  253,
    19,  98,  108, 110, 79,  113, 224, 232, 178, 185, 112, 104, 218, 246, 97,  228, 251, 34,
    242, 193, 238, 210, 144, 12,  191, 179, 162, 241, 81,  51,  145, 235, 249, 14,  239, 107,
    49,  192, 214, 31,  181, 199, 106, 157, 184, 84,  204, 176, 115, 121, 50,  45,  127, 4,
    150, 254, 138, 236, 205, 93,  222, 114, 67,  29,  24,  72,  243, 141, 128, 195, 78,  66,
    215, 61,  156, 180};

namespace {

constexpr double kNoise2Scale = 0.50700002908706665;  // the f32 value 0.507
constexpr double kShapeLimit = 0.628545;
constexpr double kShapeGain = 1.5909759842175182;  // 1 / 0.628545

using noise_detail::Fade;
using noise_detail::Lerp;
using noise_detail::Cell;

inline double Grad2(uint32_t hash, double x, double y) {
  const uint32_t h = hash & 7u;
  const double u = h < 4 ? x : y;
  const double v = h < 4 ? y : x;
  return ((h & 1u) ? -u : u) + ((h & 2u) ? -2.0 * v : 2.0 * v);
}

inline double Shape(double n) {
  const double a = std::fabs(n);
  const double q = 2.0 * a - a * a;
  if (q < 0.0) return 0.0;
  if (q > kShapeLimit) return 1.0;
  return q * kShapeGain;
}

}  // namespace

NoiseField NoiseField::MakeReference(double a, double b) {
  NoiseField f{};
  for (int i = 0; i < 256; ++i) f.perm[i] = f.perm[i + 256] = kReferencePermutation[i];
  f.row = a * b;
  return f;
}

NoiseField NoiseField::MakeSeeded(uint32_t seed) {
  NoiseField f{};
  for (uint32_t i = 0; i < 256; ++i) f.perm[i] = i;
  Mt19937 mt(seed);
  for (uint32_t k = 1; k <= 255; ++k) {
    const uint32_t j = mt.Next() % (k + 1);
    const uint32_t tmp = f.perm[k];
    f.perm[k] = f.perm[j];
    f.perm[j] = tmp;
  }
  for (int i = 0; i < 256; ++i) f.perm[i + 256] = f.perm[i];
  return f;
}

double NoiseField::Noise2(double x, double y) const {
  const double flx = std::floor(x), fly = std::floor(y);
  const uint32_t X = Cell(flx), Y = Cell(fly);
  const double dx = x - flx, dy = y - fly;
  const double u = Fade(dx), v = Fade(dy);
  const uint32_t* p = perm;
  const double g00 = Grad2(p[p[Y] + X], dx, dy);
  const double g10 = Grad2(p[p[Y] + X + 1], dx - 1.0, dy);
  const double g01 = Grad2(p[p[Y + 1] + X], dx, dy - 1.0);
  const double g11 = Grad2(p[p[Y + 1] + X + 1], dx - 1.0, dy - 1.0);
  return Lerp(v, Lerp(u, g00, g10), Lerp(u, g01, g11)) * kNoise2Scale;
}


double NoiseField::Noise3(double x, double y, double z) const {
  return Noise3(PlaceOnLattice(x), PlaceOnLattice(y), PlaceOnLattice(z));
}


double NoiseField::N1(double t) const {
  const double n = Noise2(row, t);
  const double m = Shape(n);
  return n >= 0.0 ? m : -m;
}

double NoiseField::N01(double t) const { return Shape(Noise2(row, t)); }

int32_t NoiseField::Int(double t, int32_t n) const {
  if (n < 1) return 0;
  return static_cast<int32_t>(std::round(N01(t) * n));  // halves away from zero
}

}  // namespace vlam
