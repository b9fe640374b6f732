// The curves a new profile parameter starts with.
#pragma once
#include "flash/shape_curve.h"

namespace vlam {

// Capacity 16: (0, 0.16), (0.03, 0.65) ... (1, 0), nine points.
void MakeDefaultMainCurve(ShapeCurve& curve);
// Capacity 8: (0, 0.26), (0.13, 0.75) ... (1, 0), eight points.
void MakeDefaultPetalCurve(ShapeCurve& curve);

}  // namespace vlam
