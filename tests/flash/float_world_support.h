// A float image buffer owned by a test, with optional padding at the end of
// each row so that code which ignores the row stride shows up.
#pragma once

#include <vector>

#include "AE_Effect.h"

namespace vlam {

class FloatWorld {
 public:
  FloatWorld(A_long width, A_long height, A_long padPixels = 0, float alpha = 1.0f);

  PF_EffectWorld& World() { return world_; }
  PF_PixelFloat& At(A_long x, A_long y);
  const PF_PixelFloat& At(A_long x, A_long y) const;
  // Every pixel's red, green and blue summed.
  double SumRgb() const;
  // True when every alpha still holds the value it was made with.
  bool AlphaUntouched() const;
  // Bytes of the visible pixels, row by row (padding left out).
  std::vector<unsigned char> Bytes() const;

 private:
  std::vector<PF_PixelFloat> storage_;
  PF_EffectWorld world_{};
  A_long stride_;
  float alpha_;
};
}  // namespace vlam
