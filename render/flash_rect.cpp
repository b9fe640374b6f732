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

PF_Rect UnionRect(const PF_Rect &a, const PF_Rect &b) {
  if (RectEmpty(a)) return b;
  if (RectEmpty(b)) return a;
  return PF_Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
}

int RectsOutside(const PF_Rect &outer, const PF_Rect &inner, PF_Rect parts[4]) {
  if (RectEmpty(outer)) return 0;
  const A_long top = std::clamp(inner.top, outer.top, outer.bottom);
  const A_long bottom = std::clamp(inner.bottom, top, outer.bottom);
  if (RectEmpty(inner) || bottom == top) {
    parts[0] = outer;
    return 1;
  }
  const A_long left = std::clamp(inner.left, outer.left, outer.right);
  const A_long right = std::clamp(inner.right, left, outer.right);
  const PF_Rect candidates[4] = {{outer.left, outer.top, outer.right, top},
                                 {outer.left, bottom, outer.right, outer.bottom},
                                 {outer.left, top, left, bottom},
                                 {right, top, outer.right, bottom}};
  int n = 0;
  for (const PF_Rect &r : candidates)
    if (!RectEmpty(r)) parts[n++] = r;
  return n;
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
