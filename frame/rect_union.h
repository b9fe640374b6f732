// Rectangle union used by every smart pre-render.
#pragma once
#include "AE_Effect.h"

namespace vlam {

inline bool IsEmptyRect(const PF_LRect &rect) {
  return rect.left >= rect.right || rect.top >= rect.bottom;
}

// An empty destination takes the source as it is; otherwise a non-empty
// source grows the destination to the smallest rect holding both.
void UnionLRect(const PF_LRect &src, PF_LRect *dst);

}  // namespace vlam
