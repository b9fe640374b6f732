// 16.16 fixed-point values as the host stores angles and point coordinates.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

#include "A.h"

namespace vlam {

// value x 65536 rounded half away from zero. Values outside the 16.16 range
// (and NaN) saturate instead of overflowing the conversion.
inline A_long FixedFromDouble(double value) {
  const double scaled = std::round(value * 65536.0);
  if (!(scaled > static_cast<double>(std::numeric_limits<A_long>::min()))) {
    return std::isnan(scaled) ? 0 : std::numeric_limits<A_long>::min();
  }
  if (scaled >= static_cast<double>(std::numeric_limits<A_long>::max())) {
    return std::numeric_limits<A_long>::max();
  }
  return static_cast<A_long>(scaled);
}

inline double DoubleFromFixed(A_long fixed) { return static_cast<double>(fixed) / 65536.0; }

}  // namespace vlam
