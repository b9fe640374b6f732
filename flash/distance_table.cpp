#include "flash/distance_table.h"

#include <cmath>

namespace vlam {

void FillDistanceTable(uint16_t* table, int size) {
  // Looking past an empty table computes every entry.
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j) table[i * size + j] = static_cast<uint16_t>(DistanceLookup(table, 0, i, j));
}

}  // namespace vlam
