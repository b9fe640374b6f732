#include "flash/petal_layout.h"

#include <cstring>
#include <initializer_list>
#include <numbers>

namespace vlam {

namespace {

struct Configuration {
  std::int16_t row;
  std::int16_t variant;
  std::initializer_list<double> degrees;
};

const Configuration kConfigurations[kPetalConfigurationCount] = {
    {0, 0, {}},                                                 // None
    {1, 0, {0}},                                                // One Up
    {2, 0, {90, 270}},                                          // Two Across
    {3, 0, {0, 120, 240}},                                      // Three Star
    {3, 1, {0, 90, 270}},                                       // Three T
    {4, 0, {45, 135, 225, 315}},                                // Four Star
    {4, 1, {65, 115, 245, 295}},                                // Four X-Wing
    {5, 0, {0, 72, 144, 216, 288}},                             // Five Star
    {6, 0, {0, 60, 120, 180, 240, 300}},                        // Six Star
    {7, 0, {22.5, 67.5, 112.5, 157.5, 202.5, 247.5, 292.5, 337.5}},  // Eight Star
};

// Radians as pi times the angle's fraction of a half turn, so that 22.5, 45,
// 90 ... degrees come out as exactly pi/8, pi/4, pi/2 ...
double ToRadians(double degrees) { return std::numbers::pi * (degrees / 180.0); }

}  // namespace

void BuildPetalLayouts(PetalLayoutTable table) {
  std::memset(&table.entries[0], 0, sizeof(PetalLayout) * kPetalLayoutEntries);
  for (int v = 0; v < kPetalConfigurationCount; ++v) {
    const Configuration& c = kConfigurations[v];
    table.rows[v] = c.row;
    table.variants[v] = c.variant;
    PetalLayout& entry = table.entries[c.row * 2 + c.variant];
    entry.count = 0;
    for (double d : c.degrees) entry.angles[entry.count++] = ToRadians(d);
  }
}

int PetalLayoutIndex(const PetalLayoutTable& table, std::int32_t configuration) {
  if (configuration < 1 || configuration > kPetalConfigurationCount) return 0;
  const int index = table.rows[configuration - 1] * 2 + table.variants[configuration - 1];
  return index >= 0 && index < kPetalLayoutEntries ? index : 0;
}

}  // namespace vlam
