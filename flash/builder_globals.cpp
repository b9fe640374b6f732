#include "flash/builder_globals.h"

#include <cmath>
#include <cstring>

namespace vlam {

void InitBuilderTables(BuilderGlobals& g) {
  g.mainHandlerH = nullptr;
  g.mainHandler = nullptr;
  g.petalHandlerH = nullptr;
  g.petalHandler = nullptr;
  for (int i = 0; i < kDistanceTableSize; ++i) {
    for (int j = 0; j < kDistanceTableSize; ++j) {
      // std::round rounds half away from zero.
      g.distances[i][j] = static_cast<std::int16_t>(std::round(std::sqrt(double(i * i + j * j))));
    }
  }
  for (ShapeCurve& slot : g.mainPresets) ResetShapeCurve(slot, kShapeCurveMaxPoints);
  for (ShapeCurve& slot : g.petalPresets) ResetShapeCurve(slot, kShapeCurveMaxPoints);
  BuildPetalLayouts(PetalTableOf(g));
}

}  // namespace vlam
