// Edits the curve editor makes to a profile curve: picking, inserting,
// deleting and dragging points. Coordinates are curve units, [0, 1] each.
// The editor keeps x increasing from the first point (x = 0) to the last
// (x = 1); these operations never break that order.
#pragma once
#include "flash/shape_curve.h"

namespace vlam {

// How close a click must come to a point to pick it.
inline constexpr double kPickToleranceX = 0.05;
inline constexpr double kPickToleranceY = 0.15000000000000002;
// The least horizontal gap a dragged point keeps to its neighbours.
inline constexpr double kNeighbourGap = 0.01;

// The first point within the pick tolerance of (fx, fy), or -1.
int PickCurvePoint(const ShapeCurve &curve, double fx, double fy);

// Inserts (fx, fy) after the first point i with x[i] <= fx <= x[i+1] and
// returns its index; -1, changing nothing, when the curve is full or no
// segment holds fx.
int InsertCurvePoint(ShapeCurve &curve, double fx, double fy);

// Removes point k unless it is the first or the last (or not a point);
// returns whether it was removed.
bool DeleteCurvePoint(ShapeCurve &curve, int k);

// Moves point k to (fx, fy), both clamped to [0, 1]: the first point keeps
// x = 0, the last x = 1, a middle point stays 0.01 clear of its neighbours
// (the right neighbour's limit wins when they are closer than that). An
// index that names no point changes nothing.
void DragCurvePoint(ShapeCurve &curve, int k, double fx, double fy);

// Whether both signatures of the two curves are equal: how the editor tells
// that a curve is a preset.
bool SameCurveSignatures(const ShapeCurve &a, const ShapeCurve &b);

}  // namespace vlam
