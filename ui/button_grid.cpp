#include "ui/button_grid.h"

#include <cmath>

namespace vlam {

ButtonGrid::ButtonGrid(float origin_x, float origin_y, const ButtonGridSetup &setup, A_long count) {
  if (count <= 0) {
    return;
  }
  const A_long rows = setup.rows > 0 ? setup.rows : 1;
  const A_long columns = (count + rows - 1) / rows;
  const double width = (static_cast<double>(setup.width) - (columns + 1) * static_cast<double>(setup.spacing)) /
                       static_cast<double>(columns);
  button_width_ = static_cast<float>(width);
  buttons_.reserve(static_cast<std::size_t>(count));
  for (A_long k = 0; k < count; ++k) {
    const A_long column = k % columns;
    const A_long row = k / columns;
    const double x = std::floor(origin_x + setup.spacing + column * (width + setup.spacing)) + 0.5;
    const double y =
        std::floor(origin_y + setup.spacing + row * (static_cast<double>(setup.button_height) + setup.spacing)) +
        0.5;
    buttons_.push_back(GridButton{k, static_cast<float>(x), static_cast<float>(y),
                                  static_cast<float>(std::floor(width)),
                                  static_cast<float>(std::floor(setup.button_height))});
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
