#include "flash/depth_buffer.h"

#include <algorithm>

#include "flash/raster_target.h"

namespace vlam {

void DepthBuffer::Reset(A_long width, A_long height, A_long originX, A_long originY) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  originX_ = originX;
  originY_ = originY;
  depths_.clear();
  windowX_ = windowY_ = windowW_ = windowH_ = 0;
}

bool DepthBuffer::Local(A_long x, A_long y, int64_t& lx, int64_t& ly) const {
  lx = static_cast<int64_t>(x) - originX_;
  ly = static_cast<int64_t>(y) - originY_;
  return lx >= 0 && ly >= 0 && lx < width_ && ly < height_;
}

const float* DepthBuffer::Stored(int64_t lx, int64_t ly) const {
  const int64_t wx = lx - windowX_, wy = ly - windowY_;
  if (wx < 0 || wy < 0 || wx >= windowW_ || wy >= windowH_) return nullptr;
  return &depths_[static_cast<size_t>(wy * windowW_ + wx)];
}

void DepthBuffer::Grow(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (windowW_ > 0 && windowH_ > 0) {
    x0 = std::min(x0, windowX_);
    y0 = std::min(y0, windowY_);
    x1 = std::max(x1, windowX_ + windowW_ - 1);
    y1 = std::max(y1, windowY_ + windowH_ - 1);
  }
  const int64_t w = x1 - x0 + 1, h = y1 - y0 + 1;
  if (w == windowW_ && h == windowH_) return;
  std::vector<float> grown(static_cast<size_t>(w * h), FLT_MAX);
  for (int64_t row = 0; row < windowH_; ++row)
    std::copy_n(depths_.begin() + static_cast<ptrdiff_t>(row * windowW_), windowW_,
                grown.begin() + static_cast<ptrdiff_t>((row + windowY_ - y0) * w + windowX_ - x0));
  depths_.swap(grown);
  windowX_ = x0;
  windowY_ = y0;
  windowW_ = w;
  windowH_ = h;
}

void DepthBuffer::KeepNearest(A_long x, A_long y, float z) {
  int64_t lx, ly;
  if (!Local(x, y, lx, ly)) return;
  if (!Stored(lx, ly)) Grow(lx, ly, lx, ly);
  float& d = const_cast<float&>(*Stored(lx, ly));
  if (z <= d) d = z;
}

void DepthBuffer::KeepNearest(const std::vector<DepthPoint>& points) {
  int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
  for (const DepthPoint& p : points) {
    int64_t lx, ly;
    if (!Local(p.x, p.y, lx, ly)) continue;
    x0 = std::min(x0, lx);
    y0 = std::min(y0, ly);
    x1 = std::max(x1, lx);
    y1 = std::max(y1, ly);
  }
  if (x1 >= x0) Grow(x0, y0, x1, y1);
  for (const DepthPoint& p : points) KeepNearest(p.x, p.y, p.z);
}

float DepthBuffer::Read(A_long x, A_long y) const {
  int64_t lx, ly;
  if (!Local(x, y, lx, ly)) return FLT_MAX;
  const float* d = Stored(lx, ly);
  return d ? *d : FLT_MAX;
}

bool DepthBuffer::Occluded(float z, double X, double Y) const {
  int64_t lx, ly;
  if (!Local(TruncToPixel(X), TruncToPixel(Y), lx, ly)) return false;
  const float* d = Stored(lx, ly);
  return (d ? *d : FLT_MAX) < z;
}

}  // namespace vlam
