// Rectangles of the accumulation buffer that hold light, as the passes that
// finish a firing grow, scale and clamp them. Right and bottom are exclusive;
// a rectangle without width or height is empty and stays empty.
#pragma once
#include "AE_Effect.h"
#include "flash/mark_vectors.h"

namespace vlam {

bool RectEmpty(const PF_Rect &r);

// The marked rows and columns as a rectangle; empty when nothing was marked.
PF_Rect RectFromDirty(const DirtyRect &drawn);

// Grown by p on every side; an empty rectangle stays as it is.
PF_Rect GrowRect(const PF_Rect &r, A_long p);
// Clamped to [0, width] x [0, height].
PF_Rect ClampRect(const PF_Rect &r, A_long width, A_long height);

// The smallest rectangle holding both; an empty one adds nothing.
PF_Rect UnionRect(const PF_Rect &a, const PF_Rect &b);

// The parts of `outer` that lie outside `inner`, as at most four disjoint
// rectangles written to `parts`; returns how many.
int RectsOutside(const PF_Rect &outer, const PF_Rect &inner, PF_Rect parts[4]);

// Scaled by s about the whole-pixel centre (cx, cy): the width and height
// become trunc(size x s) and the left and top edges keep their relative
// distance to the centre. An empty rectangle stays as it is.
PF_Rect ScaleRectAbout(const PF_Rect &r, A_long cx, A_long cy, double s);

}  // namespace vlam
