// Rounded distances from the origin, looked up instead of square roots in the
// inner loops of the flash passes.
#pragma once

#include <cstdint>

namespace vlam {

// Entries of the Render effect's table per side (offsets 0..120).
inline constexpr int kRenderDistanceTableSize = 121;

// Fills size x size entries, row-major: entry (i, j) = sqrt(i² + j²) rounded
// half away from zero.
void FillDistanceTable(uint16_t* table, int size);

// The rounded distance for offsets (i, j) of either sign. Offsets beyond the
// table are computed rather than read past its end.
int32_t DistanceLookup(const uint16_t* table, int size, int32_t i, int32_t j);

}  // namespace vlam
