// Nearest barrel depth per buffer pixel, used to hide the core behind the
// barrel.
#pragma once

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "A.h"

namespace vlam {

// One depth to keep at a buffer pixel.
struct DepthPoint {
  A_long x;
  A_long y;
  float z;
};

// Every pixel of the buffer reads the largest finite float until a nearer
// depth is kept there. Only the rectangle of pixels written so far is
// stored: the barrel covers a few hundred pixels of a frame.
class DepthBuffer {
 public:
  // Sizes the buffer and sets every entry to the largest finite float.
  void Reset(A_long width, A_long height, A_long originX, A_long originY);

  // Stores z at (x, y) when it is nearer than (or as near as) what is there.
  void KeepNearest(A_long x, A_long y, float z);
  // KeepNearest for every point in order, with the storage grown once.
  void KeepNearest(const std::vector<DepthPoint>& points);
  // The stored depth; the largest finite float outside the buffer.
  float Read(A_long x, A_long y) const;
  // True when the pixel under (X, Y) holds a depth nearer than z.
  bool Occluded(float z, double X, double Y) const;

  A_long Width() const { return width_; }
  A_long Height() const { return height_; }

 private:
  // Buffer coordinates without the origin; false outside the buffer.
  bool Local(A_long x, A_long y, int64_t& lx, int64_t& ly) const;
  // The stored entry of a local pixel, or null outside the stored window.
  const float* Stored(int64_t lx, int64_t ly) const;
  // Widens the stored window to hold the local rectangle [x0, x1] x [y0, y1]
  // (inside the buffer); new entries take the largest finite float.
  void Grow(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

  std::vector<float> depths_;  // the stored window, row by row
  A_long width_ = 0;
  A_long height_ = 0;
  A_long originX_ = 0;
  A_long originY_ = 0;
  int64_t windowX_ = 0;
  int64_t windowY_ = 0;
  int64_t windowW_ = 0;
  int64_t windowH_ = 0;
};

}  // namespace vlam
