#include "render/tone_table.h"

#include <algorithm>
#include <cmath>

namespace vlam {

void BuildToneTable(float *table, int n) {
  const double step = kToneRange / n;
  // The knee's index: n / (range / knee) entries below it are linear.
  const int knee = static_cast<int>(std::floor(n / (kToneRange / kToneKnee)));
  const double kneeInput = knee * step;
  // Beyond the knee the curve climbs 0.625 per decade, starting where the
  // linear part ends.
  const double offset = kToneKnee + std::log10(kneeInput) - std::log10(kToneKnee);
  for (int i = 0; i < n; ++i) {
    const double x = i * step;
    const double v = i < knee ? x : offset + 0.625 * (std::log10(x) - std::log10(kneeInput));
    table[i] = static_cast<float>(std::min(1.0, v));
  }
}

}  // namespace vlam
