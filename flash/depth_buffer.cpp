#include "flash/depth_buffer.h"

#include "flash/raster_target.h"

namespace vlam {

void DepthBuffer::Reset(A_long width, A_long height, A_long originX, A_long originY) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  originX_ = originX;
  originY_ = originY;
  depths_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), FLT_MAX);
}

bool DepthBuffer::Index(A_long x, A_long y, size_t& index) const {
  const int64_t lx = static_cast<int64_t>(x) - originX_;
  const int64_t ly = static_cast<int64_t>(y) - originY_;
  if (lx < 0 || ly < 0 || lx >= width_ || ly >= height_) return false;
  index = static_cast<size_t>(ly) * static_cast<size_t>(width_) + static_cast<size_t>(lx);
  return true;
}

void DepthBuffer::KeepNearest(A_long x, A_long y, float z) {
  size_t i;
  if (Index(x, y, i) && z <= depths_[i]) depths_[i] = z;
}

float DepthBuffer::Read(A_long x, A_long y) const {
  size_t i;
  return Index(x, y, i) ? depths_[i] : FLT_MAX;
}

bool DepthBuffer::Occluded(float z, double X, double Y) const {
  size_t i;
  return Index(TruncToPixel(X), TruncToPixel(Y), i) && depths_[i] < z;
}

}  // namespace vlam
