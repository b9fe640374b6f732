// Deterministic gradient noise: 2D and 3D improved noise over a permutation
// table, and the shaped one-dimensional forms read along one row of the 2D
// noise.
#pragma once

#include <cstdint>

namespace vlam {

// One coordinate placed on the noise lattice: its cell (masked to the table),
// its offset within the cell and the faded offset. Loops that use the same
// coordinate in many noise calls place it once.
struct LatticeCoord {
  uint32_t cell;
  double frac;
  double fade;
};
LatticeCoord PlaceOnLattice(double v);

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

  // Shaped forms of Noise2(row, t).
  double N1(double t) const;   // -1 .. 1
  double N01(double t) const;  // 0 .. 1
  double Range(double t, double lo, double hi) const { return lo + (hi - lo) * N01(t); }
  int32_t Int(double t, int32_t n) const;  // 0 .. n, rounded
};

// The 256 values of the reference permutation.
extern const uint8_t kReferencePermutation[256];

}  // namespace vlam
