// Conversions between the host's pixel depths and float.
#pragma once

#include "AE_Effect.h"

namespace vlam {

inline float FloatFrom8(A_u_char v) { return v * 0.003921569f; }
inline float FloatFrom16(A_u_short v) { return v * (1.0f / 32768.0f); }

// Truncating conversions back; values below 0 (and NaN) give 0 instead of
// wrapping around.
inline A_u_char To8(float v) {
  const float s = v * 255.0f;
  if (!(s > 0.0f)) return 0;
  return static_cast<A_u_char>(s < 255.0f ? s : 255.0f);
}
inline A_u_short To16(float v) {
  const float s = v * 32768.0f;
  if (!(s > 0.0f)) return 0;
  return static_cast<A_u_short>(s < 32768.0f ? s : 32768.0f);
}

inline PF_Pixel8 ToPixel8(const PF_PixelFloat& c) {
  return PF_Pixel8{To8(c.alpha), To8(c.red), To8(c.green), To8(c.blue)};
}
inline PF_Pixel16 ToPixel16(const PF_PixelFloat& c) {
  return PF_Pixel16{To16(c.alpha), To16(c.red), To16(c.green), To16(c.blue)};
}

}  // namespace vlam
