// Rounded distances from the origin, looked up instead of square roots in the
// inner loops of the flash passes.
#pragma once

#include <cmath>
#include <cstdint>

namespace vlam {

// Entries of the Render effect's table per side (offsets 0..120).
inline constexpr int kRenderDistanceTableSize = 121;

// Fills size x size entries, row-major: entry (i, j) = sqrt(i² + j²) rounded
// half away from zero.
void FillDistanceTable(uint16_t* table, int size);

// The rounded distance for offsets (i, j) of either sign. Offsets beyond the
// table are computed rather than read past its end.
inline int32_t DistanceLookup(const uint16_t* table, int size, int32_t i, int32_t j) {
  const int64_t ai = i < 0 ? -static_cast<int64_t>(i) : i;
  const int64_t aj = j < 0 ? -static_cast<int64_t>(j) : j;
  if (ai < size && aj < size) return table[ai * size + aj];
  return static_cast<int32_t>(std::round(std::sqrt(static_cast<double>(ai * ai + aj * aj))));
}

}  // namespace vlam
