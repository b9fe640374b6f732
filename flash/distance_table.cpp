#include "flash/distance_table.h"

#include <cmath>

namespace vlam {

namespace {
inline int32_t RoundedDistance(int64_t i, int64_t j) {
  return static_cast<int32_t>(std::round(std::sqrt(static_cast<double>(i * i + j * j))));
}
}  // namespace

void FillDistanceTable(uint16_t* table, int size) {
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j) table[i * size + j] = static_cast<uint16_t>(RoundedDistance(i, j));
}

int32_t DistanceLookup(const uint16_t* table, int size, int32_t i, int32_t j) {
  const int64_t ai = i < 0 ? -static_cast<int64_t>(i) : i;
  const int64_t aj = j < 0 ? -static_cast<int64_t>(j) : j;
  if (ai < size && aj < size) return table[ai * size + aj];
  return RoundedDistance(ai, aj);
}

}  // namespace vlam
