#include "render/flash_rect.h"

#include <algorithm>
#include <cmath>

namespace vlam {

bool RectEmpty(const PF_Rect &r) { return r.right <= r.left || r.bottom <= r.top; }

PF_Rect RectFromDirty(const DirtyRect &drawn) {
  if (drawn.x1 < drawn.x0 || drawn.y1 < drawn.y0) return PF_Rect{0, 0, 0, 0};
  // The marks name the last row and column; the rectangle ends after them.
  return PF_Rect{drawn.x0, drawn.y0, drawn.x1 + 1, drawn.y1 + 1};
}

PF_Rect GrowRect(const PF_Rect &r, A_long p) {
  if (RectEmpty(r)) return r;
  return PF_Rect{r.left - p, r.top - p, r.right + p, r.bottom + p};
}

PF_Rect ClampRect(const PF_Rect &r, A_long width, A_long height) {
  return PF_Rect{std::clamp<A_long>(r.left, 0, width), std::clamp<A_long>(r.top, 0, height),
                 std::clamp<A_long>(r.right, 0, width), std::clamp<A_long>(r.bottom, 0, height)};
}

namespace {

// One direction: new size trunc(size x s), the low edge at
// trunc(c - (c - low) / size x new size).
void ScaleSpan(A_long low, A_long high, A_long c, double s, A_long &outLow, A_long &outHigh) {
  const A_long size = high - low;
  const A_long scaled = static_cast<A_long>(size * s);
  outLow = static_cast<A_long>(std::floor(c - static_cast<double>(c - low) / size * scaled));
  outHigh = outLow + scaled;
}

}  // namespace

PF_Rect ScaleRectAbout(const PF_Rect &r, A_long cx, A_long cy, double s) {
  if (RectEmpty(r)) return r;
  PF_Rect out{};
  ScaleSpan(r.left, r.right, cx, s, out.left, out.right);
  ScaleSpan(r.top, r.bottom, cy, s, out.top, out.bottom);
  return out;
}

}  // namespace vlam
