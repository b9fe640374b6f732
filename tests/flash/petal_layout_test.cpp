#include "flash/petal_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

namespace vlam {
namespace {

// Packed record fields are compared as values (+field): gtest takes its
// arguments by reference, which a packed field's alignment does not allow.

struct Storage {
  PetalLayout entries[kPetalLayoutEntries];
  std::int16_t rows[kPetalConfigurationCount];
  std::int16_t variants[kPetalConfigurationCount];
  PetalLayoutTable Table() { return PetalLayoutTable{entries, rows, variants}; }
};

TEST(PetalLayout, TableEntriesAndAnglesPerConfigurationAndNoneLeavesTheTable) {
  Storage s;
  std::memset(&s, 0x5A, sizeof s);
  BuildPetalLayouts(s.Table());
  const int expectedEntry[] = {0, 2, 4, 6, 7, 8, 9, 10, 12, 14};
  const int expectedCount[] = {0, 1, 2, 3, 3, 4, 4, 5, 6, 8};
  for (int v = 1; v <= 10; ++v) {
    const int index = PetalLayoutIndex(s.Table(), v);
    EXPECT_EQ(index, expectedEntry[v - 1]) << "item " << v;
    EXPECT_EQ(s.entries[index].count, expectedCount[v - 1]) << "item " << v;
  }
  // Entries no configuration uses stay empty.
  for (int unused : {1, 3, 5, 11, 13, 15}) {
    EXPECT_TRUE(s.entries[unused].count == 0 && s.entries[unused].angles[0] == 0.0) << unused;
  }

  const PetalLayout& eight = s.entries[PetalLayoutIndex(s.Table(), 10)];
  for (int i = 0; i < 8; ++i) EXPECT_EQ(+eight.angles[i], std::numbers::pi * (2 * i + 1) / 8.0) << i;
  const PetalLayout& xwing = s.entries[PetalLayoutIndex(s.Table(), 7)];
  EXPECT_NEAR(xwing.angles[0], 65 * std::numbers::pi / 180, 1e-15);
  EXPECT_NEAR(xwing.angles[3], 295 * std::numbers::pi / 180, 1e-14);
  const PetalLayout& two = s.entries[PetalLayoutIndex(s.Table(), 3)];
  EXPECT_EQ(+two.angles[0], std::numbers::pi / 2);
  EXPECT_EQ(+two.angles[1], std::numbers::pi * 1.5);

  // Out of range configurations never leave the table.
  for (std::int32_t v : {0, -1, 11, 1000, INT32_MIN, INT32_MAX}) EXPECT_EQ(PetalLayoutIndex(s.Table(), v), 0) << v;
  for (const std::int16_t damaged : {300, -4}) {  // a damaged row would point past the table
    s.rows[9] = damaged;
    EXPECT_EQ(PetalLayoutIndex(s.Table(), 10), 0) << damaged;
  }
}

}  // namespace
}  // namespace vlam
