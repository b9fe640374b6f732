#include "ui/button_grid.h"

#include <cmath>

namespace vlam {

ButtonGrid::ButtonGrid(float origin_x, float origin_y, const ButtonGridSpec &spec, A_long count) {
  if (count <= 0) {
    return;
  }
  const A_long rows = spec.rows > 0 ? spec.rows : 1;
  const A_long columns = (count + rows - 1) / rows;
  const double width = (static_cast<double>(spec.width) - (columns + 1) * static_cast<double>(spec.spacing)) /
                       static_cast<double>(columns);
  button_width_ = static_cast<float>(width);
  buttons_.reserve(static_cast<std::size_t>(count));
  for (A_long k = 0; k < count; ++k) {
    const A_long column = k % columns;
    const A_long row = k / columns;
    const double x = std::floor(origin_x + spec.spacing + column * (width + spec.spacing)) + 0.5;
    const double y =
        std::floor(origin_y + spec.spacing + row * (static_cast<double>(spec.button_height) + spec.spacing)) +
        0.5;
    buttons_.push_back(GridButton{k, static_cast<float>(x), static_cast<float>(y),
                                  static_cast<float>(std::floor(width)),
                                  static_cast<float>(std::floor(spec.button_height))});
  }
}

A_long ButtonGrid::HitTest(A_long x, A_long y) const {
  const float px = static_cast<float>(x);
  const float py = static_cast<float>(y);
  for (const GridButton &b : buttons_) {
    if (b.x <= px && px <= b.x + b.width && b.y <= py && py <= b.y + b.height) {
      return b.index;
    }
  }
  return -1;
}

PF_Rect ButtonGrid::InvalidationRect(A_long index) const {
  if (index < 0 || index >= static_cast<A_long>(buttons_.size())) {
    return PF_Rect{0, 0, 0, 0};
  }
  const GridButton &b = buttons_[static_cast<std::size_t>(index)];
  return PF_Rect{static_cast<A_long>(b.x), static_cast<A_long>(b.y),
                 static_cast<A_long>(b.x + b.width), static_cast<A_long>(b.y + b.height)};
}

}  // namespace vlam
