// Where the petals sit around the main flame for each "Petal Configuration".
#pragma once
#include <cstddef>
#include <cstdint>

namespace vlam {

inline constexpr int kMaxPetals = 8;
inline constexpr int kPetalLayoutEntries = 16;
inline constexpr int kPetalConfigurationCount = 10;  // "None" ... "Eight Star"

#pragma pack(push, 4)
struct PetalLayout {
  std::int16_t count;
  std::int16_t padding;
  double angles[kMaxPetals];  // radians; the first `count` have meaning
};
#pragma pack(pop)

static_assert(sizeof(PetalLayout) == 68);
static_assert(offsetof(PetalLayout, count) == 0);
static_assert(offsetof(PetalLayout, angles) == 4);

// Row and variant of every "Petal Configuration" item; the layout of item v
// (1-based) is entry row[v-1] * 2 + variant[v-1] of the layout table.
struct PetalLayoutTable {
  PetalLayout (&entries)[kPetalLayoutEntries];
  std::int16_t (&rows)[kPetalConfigurationCount];
  std::int16_t (&variants)[kPetalConfigurationCount];
};

// Zeroes every entry, then fills the ten configurations' entries, rows and variants.
void BuildPetalLayouts(PetalLayoutTable table);

// Index into the layout table for a "Petal Configuration" value; a value
// outside the popup's items, or a damaged row/variant pair, gives entry 0 (no
// petals), so no value ever reaches outside the table.
int PetalLayoutIndex(const PetalLayoutTable& table, std::int32_t configuration);

}  // namespace vlam
