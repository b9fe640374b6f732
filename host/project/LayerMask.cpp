#include "host/project/LayerMask.h"

#include <algorithm>

namespace vlam::host {

void MaskShapeStream::setKey(MaskShapeKey key) {
  auto at = std::lower_bound(keys_.begin(), keys_.end(), key.ticks,
                             [](const MaskShapeKey &k, std::int64_t t) { return k.ticks < t; });
  if (at != keys_.end() && at->ticks == key.ticks) *at = std::move(key);
  else keys_.insert(at, std::move(key));
}

MaskShape MaskShapeStream::valueAt(std::int64_t ticks) const {
  if (keys_.empty()) return value_;
  if (ticks <= keys_.front().ticks) return keys_.front().shape;
  if (ticks >= keys_.back().ticks) return keys_.back().shape;
  auto next = std::upper_bound(keys_.begin(), keys_.end(), ticks,
                               [](std::int64_t t, const MaskShapeKey &k) { return t < k.ticks; });
  const MaskShapeKey &a = *(next - 1);
  const MaskShapeKey &b = *next;
  if (a.interpolation == Interpolation::Hold || a.shape.closed != b.shape.closed ||
      a.shape.vertices.size() != b.shape.vertices.size())
    return a.shape;
  const double f = static_cast<double>(ticks - a.ticks) / static_cast<double>(b.ticks - a.ticks);
  auto mix = [f](double u, double v) { return u + (v - u) * f; };
  MaskShape out = a.shape;
  for (std::size_t i = 0; i < out.vertices.size(); ++i) {
    const MaskVertex &p = a.shape.vertices[i], &q = b.shape.vertices[i];
    out.vertices[i] = {mix(p.x, q.x),     mix(p.y, q.y),       mix(p.inX, q.inX),
                       mix(p.inY, q.inY), mix(p.outX, q.outX), mix(p.outY, q.outY)};
  }
  return out;
}

} // namespace vlam::host
