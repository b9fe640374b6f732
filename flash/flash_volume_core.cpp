// The barrel occluder and the core: drawn on the calling thread before the
// parallel body pass.
#include <vector>

#include "flash/flash_volume.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr size_t kDepthChunk = 65536;

}  // namespace

void FlashVolume::BarrelPass(A_long n, A_long m) {
  if (!Ready()) return;
  const PF_EffectWorld& w = target_->World();
  depth_.Reset(w.width, w.height, w.origin_x, w.origin_y);
  const double R = n * 0.5;
  const A_long o = static_cast<A_long>(-R);
  std::vector<DepthPoint> points;
  for (A_long k = 0; k < m; ++k) {
    for (A_long a = 0; a < n; ++a) {
      const A_long y = o + a;
      for (A_long b = 0; b < n; ++b) {
        const A_long z = o + b;
        const double r = Distance(y, z);
        // The first three rings are solid caps, the rest a tube wall.
        const bool take = k < 3 ? r < R : (R - 2.0 <= r && r <= R);
        if (!take) continue;
        Vec3f p;
        p.Set(-k, y, z);
        p.Transform(view_);
        double X, Y;
        float depth;
        ToBuffer(p, X, Y, depth);
        points.push_back(DepthPoint{TruncToPixel(X), TruncToPixel(Y), depth});
        // Kept in chunks: a damaged design can ask for a huge barrel.
        if (points.size() == kDepthChunk) {
          depth_.KeepNearest(points);
          points.clear();
        }
      }
    }
  }
  depth_.KeepNearest(points);
}

void FlashVolume::CorePass(A_long n, A_long m) {
  if (!Ready()) return;
  DirectSink sink = Direct();
  const double R = n * 0.5;
  const A_long o = static_cast<A_long>(-R);
  const float F = static_cast<float>(camera_->zoom);
  for (A_long k = 0; k < m; ++k) {
    // One ring only (m = 1) is drawn at the brightness of the first ring.
    const double beta = (1.0 - (m > 1 ? static_cast<double>(k) / (m - 1) : 0.0)) * 0.75;
    PF_PixelFloat c;
    ScaleColour(*colour_, beta, c);
    for (A_long a = 0; a < n; ++a) {
      const A_long y = o + a;
      for (A_long b = 0; b < n; ++b) {
        const A_long z = o + b;
        if (!(Distance(y, z) < R)) continue;
        const Placed at = Place(k, y, z, F);
        if (depth_.Occluded(at.depth, at.X, at.Y)) continue;
        const A_long x = TruncToPixel(at.X), yy = TruncToPixel(at.Y);
        sink.Mark(x, yy);
        const double size =
            TruncToPixel(F * (baseBrush_ - 6.0) * at.q / (at.p.z + static_cast<double>(F))) *
            scale_;
        Stamp(sink, x, yy, TruncToPixel(size), c, 0.0f);
      }
    }
  }
}

}  // namespace vlam
