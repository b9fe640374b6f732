// Nearest barrel depth per buffer pixel, used to hide the core behind the
// barrel.
#pragma once

#include <cfloat>
#include <cstddef>
#include <vector>

#include "A.h"

namespace vlam {

class DepthBuffer {
 public:
  // Sizes the buffer and sets every entry to the largest finite float.
  void Reset(A_long width, A_long height, A_long originX, A_long originY);

  // Stores z at (x, y) when it is nearer than (or as near as) what is there.
  void KeepNearest(A_long x, A_long y, float z);
  // The stored depth; the largest finite float outside the buffer.
  float Read(A_long x, A_long y) const;
  // True when the pixel under (X, Y) holds a depth nearer than z.
  bool Occluded(float z, double X, double Y) const;

  A_long Width() const { return width_; }
  A_long Height() const { return height_; }

 private:
  bool Index(A_long x, A_long y, size_t& index) const;

  std::vector<float> depths_;
  A_long width_ = 0;
  A_long height_ = 0;
  A_long originX_ = 0;
  A_long originY_ = 0;
};

}  // namespace vlam
