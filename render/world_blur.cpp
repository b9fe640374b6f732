// Separable blurs of a float buffer: one box of the given radii, or four
// boxes approximating a Gaussian. Red, green and blue are filtered; the
// copies that move whole buffers carry alpha along unchanged.
#include <cmath>

#include "frame/row_bands.h"
#include "render/line_filter.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

struct Region {
  A_long left, top, right, bottom;
};

// One direction of a box pass: lines of `from` filtered into `to`.
struct LineJob {
  const PF_EffectWorld* from;
  PF_EffectWorld* to;
  Region region;
  double radius;
};

float* Channel(const PF_EffectWorld& w, A_long x, A_long y, int channel) {
  char* row = reinterpret_cast<char*>(w.data) + static_cast<ptrdiff_t>(w.rowbytes) * y;
  return reinterpret_cast<float*>(row) + 4 * static_cast<ptrdiff_t>(x) + channel;
}

// Red, green and blue are the channels 1, 2 and 3 of a float pixel; one row
// is one pixel wide line per channel.
A_Err HorizontalBand(void* data, A_long first, A_long last, A_long) {
  const LineJob& job = *static_cast<const LineJob*>(data);
  const Region& g = job.region;
  for (A_long y = g.top + first; y <= g.top + last; ++y)
    PixelLineFilter(Channel(*job.from, g.left, y, 0), 4, Channel(*job.to, g.left, y, 0), 4, 1,
                    g.right - g.left, job.radius);
  return A_Err_NONE;
}

// The columns of the band side by side, read row by row.
A_Err VerticalBand(void* data, A_long first, A_long last, A_long) {
  const LineJob& job = *static_cast<const LineJob*>(data);
  const Region& g = job.region;
  const ptrdiff_t fromStride = job.from->rowbytes / static_cast<ptrdiff_t>(sizeof(float));
  const ptrdiff_t toStride = job.to->rowbytes / static_cast<ptrdiff_t>(sizeof(float));
  if (last < first) return A_Err_NONE;
  PixelLineFilter(Channel(*job.from, g.left + first, g.top, 0), fromStride,
                  Channel(*job.to, g.left + first, g.top, 0), toStride, last - first + 1,
                  g.bottom - g.top, job.radius);
  return A_Err_NONE;
}

// Box pass from A into B: B = A, then rows of B filtered into A, then columns
// of A filtered into B. The result is in B; A holds the horizontal step.
PF_Err BoxPass(WorldBuffer& a, WorldBuffer& b, const Region& region, double rx, double ry) {
  PF_Err err = b.CopyFrom(&a.World(), nullptr, nullptr);
  if (err != PF_Err_NONE) return err;
  LineJob rows{&b.World(), &a.World(), region, rx};
  err = RunRowBands(a.InData(), region.bottom - region.top, kHostThreadCount, &rows, HorizontalBand);
  if (err != PF_Err_NONE) return err;
  LineJob columns{&a.World(), &b.World(), region, ry};
  return RunRowBands(a.InData(), region.right - region.left, kHostThreadCount, &columns,
                     VerticalBand);
}

PF_Err GaussianPasses(WorldBuffer& a, WorldBuffer& b, const Region& region, double sx,
                      double sy) {
  A_long sizesX[4], sizesY[4];
  GaussianBoxSizes(sx, sizesX);
  GaussianBoxSizes(sy, sizesY);
  WorldBuffer* from[4] = {&a, &b, &a, &a};
  WorldBuffer* to[4] = {&b, &a, &b, &b};
  for (int i = 0; i < 4; ++i) {
    const double rx = (sizesX[i] - 1) * 0.5;
    // The vertical radii follow the horizontal ones scaled by the deviations;
    // without a horizontal deviation they come from the vertical one alone.
    const double ry = sx > 0.0 ? rx * sy / sx : (sizesY[i] - 1) * 0.5;
    const PF_Err err = BoxPass(*from[i], *to[i], region, rx, ry);
    if (err != PF_Err_NONE) return err;
  }
  return PF_Err_NONE;
}

}  // namespace

PF_Err WorldBuffer::Blur(const PF_Rect* region, double radiusX, double radiusY, BlurKind kind) {
  if (!created_ || released_ || format_ != PF_PixelFormat_ARGB128) {
    status_ = PF_Err_BAD_CALLBACK_PARAM;
    return status_;
  }
  Region g{0, 0, world_.width, world_.height};
  if (region) {
    g.left = region->left > 0 ? region->left : 0;
    g.top = region->top > 0 ? region->top : 0;
    g.right = region->right < world_.width ? region->right : world_.width;
    g.bottom = region->bottom < world_.height ? region->bottom : world_.height;
  }
  if (g.right <= g.left || g.bottom <= g.top) return PF_Err_NONE;

  WorldBuffer temp;
  PF_Err err = temp.Create(in_data_, world_.width, world_.height, PF_PixelFormat_ARGB128, nullptr);
  if (err == PF_Err_NONE) {
    if (kind == BlurKind::kBox) {
      err = BoxPass(*this, temp, g, std::round(radiusX), std::round(radiusY));
    } else {
      err = GaussianPasses(*this, temp, g, radiusX * 0.5, radiusY * 0.5);
    }
  }
  if (err == PF_Err_NONE) err = CopyFrom(&temp.World(), nullptr, nullptr);
  const PF_Err releaseErr = temp.Release();
  if (err == PF_Err_NONE) err = releaseErr;
  status_ = err;
  return err;
}

}  // namespace vlam
