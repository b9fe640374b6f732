#include "frame/rect_union.h"

#include <algorithm>

namespace vlam {

void UnionLRect(const PF_LRect &src, PF_LRect *dst) {
  if (IsEmptyRect(*dst)) {
    *dst = src;
    return;
  }
  if (IsEmptyRect(src)) {
    return;
  }
  dst->left = std::min(dst->left, src.left);
  dst->top = std::min(dst->top, src.top);
  dst->right = std::max(dst->right, src.right);
  dst->bottom = std::max(dst->bottom, src.bottom);
}

}  // namespace vlam
