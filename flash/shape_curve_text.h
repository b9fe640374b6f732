// Text form of a profile curve, as the user's preset slots store it:
// "[x:0;y:0.75],[x:1;y:0.75]".
#pragma once
#include <string>
#include <string_view>

#include "flash/shape_curve.h"

namespace vlam {

// Empties the curve (count 0, capacity kept, stored points left as they were)
// and adds every bracketed point the text holds. The reader accepts any bytes:
// a missing key or number reads 0, a sign is skipped, values are clamped to
// [0, 1], points beyond the capacity are dropped.
void ParseShapeCurveText(std::string_view text, ShapeCurve& curve);

// "[x:<x>;y:<y>]" per point, separated by ",", numbers with six significant
// digits as a default-formatted stream would print them. Empty curve: "".
std::string WriteShapeCurveText(const ShapeCurve& curve);

}  // namespace vlam
