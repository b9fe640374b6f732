#include "host/image/WorldTransform.h"

#include "host/image/PixelOps.h"
#include "host/threads/ThreadPool.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vlam::host {

RowMatrix RowMatrix::from(const PF_FloatMatrix &f) {
  RowMatrix r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = f.mat[i][j];
  return r;
}

std::optional<RowMatrix> RowMatrix::inverse() const {
  const auto &a = m;
  const double c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
  const double c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
  const double c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
  const double det = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return std::nullopt;
  const double k = 1.0 / det;
  RowMatrix r;
  r.m[0][0] = c00 * k;
  r.m[0][1] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) * k;
  r.m[0][2] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) * k;
  r.m[1][0] = c01 * k;
  r.m[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) * k;
  r.m[1][2] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) * k;
  r.m[2][0] = c02 * k;
  r.m[2][1] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) * k;
  r.m[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) * k;
  for (const auto &row : r.m)
    for (double v : row)
      if (!std::isfinite(v)) return std::nullopt;
  return r;
}

bool RowMatrix::apply(double x, double y, double &ox, double &oy) const {
  const double w = x * m[0][2] + y * m[1][2] + m[2][2];
  if (!(w > 1e-12)) return false;
  ox = (x * m[0][0] + y * m[1][0] + m[2][0]) / w;
  oy = (x * m[0][1] + y * m[1][1] + m[2][1]) / w;
  return true;
}

bool transferModeOffered(PF_TransferMode mode) {
  return mode == PF_Xfer_COPY || mode == PF_Xfer_ADD || mode == PF_Xfer_IN_FRONT || mode == PF_Xfer_BEHIND;
}

namespace {

// The source as premultiplied float pixels (alpha, red, green, blue).
struct Plane {
  const float *px = nullptr;
  std::ptrdiff_t stride = 0; // floats per row
  int width = 0, height = 0;
  std::vector<float> owned;
};

struct Accum {
  float a = 0, r = 0, g = 0, b = 0;
  void add(const float *p, float w) {
    a += p[0] * w;
    r += p[1] * w;
    g += p[2] * w;
    b += p[3] * w;
  }
};

// Adds the bilinear sample at (qx, qy) times `w`; pixel centres sit at .5
// and everything outside the buffer is transparent.
inline void addBilinear(const Plane &s, double qx, double qy, float w, Accum &acc) {
  const double fx = qx - 0.5, fy = qy - 0.5;
  const double flx = std::floor(fx), fly = std::floor(fy);
  if (!(flx >= -1.0 && fly >= -1.0 && flx < s.width && fly < s.height)) return;
  const int x0 = static_cast<int>(flx), y0 = static_cast<int>(fly);
  const float tx = static_cast<float>(fx - flx), ty = static_cast<float>(fy - fly);
  const float w00 = (1 - tx) * (1 - ty) * w, w10 = tx * (1 - ty) * w, w01 = (1 - tx) * ty * w, w11 = tx * ty * w;
  const float *row0 = s.px + s.stride * y0 + 4 * static_cast<std::ptrdiff_t>(x0);
  if (x0 >= 0 && y0 >= 0 && x0 + 1 < s.width && y0 + 1 < s.height) {
    acc.add(row0, w00);
    acc.add(row0 + 4, w10);
    acc.add(row0 + s.stride, w01);
    acc.add(row0 + s.stride + 4, w11);
    return;
  }
  const bool left = x0 >= 0, right = x0 + 1 < s.width, top = y0 >= 0, bottom = y0 + 1 < s.height;
  if (top && left) acc.add(row0, w00);
  if (top && right) acc.add(row0 + 4, w10);
  if (bottom && left) acc.add(row0 + s.stride, w01);
  if (bottom && right) acc.add(row0 + s.stride + 4, w11);
}

inline void addNearest(const Plane &s, double qx, double qy, float w, Accum &acc) {
  const double fx = std::floor(qx), fy = std::floor(qy);
  if (!(fx >= 0.0 && fy >= 0.0 && fx < s.width && fy < s.height)) return;
  acc.add(s.px + s.stride * static_cast<std::ptrdiff_t>(fy) + 4 * static_cast<std::ptrdiff_t>(fx), w);
}

bool overlaps(const WorldView &a, const WorldView &b) {
  const auto span = [](const WorldView &v) {
    const std::byte *lo = v.data, *hi = v.row(v.height - 1) + static_cast<std::ptrdiff_t>(v.width) *
                                                                static_cast<std::ptrdiff_t>(bytesPerPixel(v.depth));
    return std::pair{std::min(lo, hi), std::max(lo, hi)};
  };
  const auto [alo, ahi] = span(a);
  const auto [blo, bhi] = span(b);
  return alo < bhi && blo < ahi;
}

// Float source pixels, converted (and premultiplied for straight colour)
// only when they cannot be read in place.
void preparePlane(const TransformJob &job, ThreadPool &pool, Plane &plane) {
  const WorldView &src = job.src;
  plane.width = src.width;
  plane.height = src.height;
  if (src.depth == PixelDepth::Float32 && !job.straightAlpha && src.rowBytes % 4 == 0 && src.rowBytes > 0 &&
      !overlaps(src, job.dst)) {
    plane.px = reinterpret_cast<const float *>(src.data);
    plane.stride = src.rowBytes / 4;
    return;
  }
  plane.stride = 4 * static_cast<std::ptrdiff_t>(src.width);
  plane.owned.resize(static_cast<std::size_t>(plane.stride) * static_cast<std::size_t>(src.height));
  pool.run(src.height, [&](int, int y) {
    float *out = plane.owned.data() + plane.stride * y;
    for (int x = 0; x < src.width; ++x, out += 4) {
      PixelF p = readPixel(src, x, y);
      if (job.straightAlpha) p = {p.alpha, p.red * p.alpha, p.green * p.alpha, p.blue * p.alpha};
      out[0] = p.alpha;
      out[1] = p.red;
      out[2] = p.green;
      out[3] = p.blue;
    }
  });
  plane.px = plane.owned.data();
}

// Averages the source along the path through the matrices' positions of
// destination point (px, py).
Accum gather(const TransformJob &job, const Plane &plane, double px, double py) {
  Accum acc;
  const std::size_t n = job.toSource.size();
  double qx[2], qy[2];
  if (n == 1) {
    if (!job.toSource[0].apply(px, py, qx[0], qy[0])) return acc;
    if (job.bilinear) addBilinear(plane, qx[0], qy[0], 1.0f, acc);
    else addNearest(plane, qx[0], qy[0], 1.0f, acc);
    return acc;
  }
  const double pairWeight = 1.0 / static_cast<double>(n - 1);
  bool have = job.toSource[0].apply(px, py, qx[0], qy[0]);
  for (std::size_t k = 1; k < n; ++k) {
    const bool next = job.toSource[k].apply(px, py, qx[1], qy[1]);
    if (have && next) {
      const double dx = qx[1] - qx[0], dy = qy[1] - qy[0];
      const double length = std::sqrt(dx * dx + dy * dy);
      // Samples at most half a pixel apart: bilinear taps that close leave
      // no visible steps along the streak.
      const int steps = length < 0.5 ? 1 : static_cast<int>(std::min<double>(std::ceil(length * 2.0), kMaxBlurSamples));
      const float w = static_cast<float>(pairWeight / steps);
      for (int i = 0; i < steps; ++i) {
        const double t = (i + 0.5) / steps;
        if (job.bilinear) addBilinear(plane, qx[0] + dx * t, qy[0] + dy * t, w, acc);
        else addNearest(plane, qx[0] + dx * t, qy[0] + dy * t, w, acc);
      }
    }
    have = next;
    qx[0] = qx[1];
    qy[0] = qy[1];
  }
  return acc;
}

float maskValue(const TransformJob &job, int x, int y) {
  const WorldView &m = *job.mask;
  const int mx = x - job.maskOffset.h, my = y - job.maskOffset.v;
  float v = 0.0f;
  if (mx >= 0 && my >= 0 && mx < m.width && my < m.height) {
    const PixelF p = readPixel(m, mx, my);
    v = (job.maskFlags & PF_MaskFlag_LUMINANCE) ? 0.299f * p.red + 0.587f * p.green + 0.114f * p.blue : p.alpha;
  }
  v = std::clamp(v, 0.0f, 1.0f);
  return (job.maskFlags & PF_MaskFlag_INVERTED) ? 1.0f - v : v;
}

// Composites the premultiplied sample `s` (already weighted by opacity and
// mask as `o`) onto the premultiplied destination pixel `d`.
PixelF composite(PF_TransferMode mode, const Accum &s, float o, const PixelF &d) {
  const PixelF w{s.a * o, s.r * o, s.g * o, s.b * o};
  switch (mode) {
  case PF_Xfer_ADD:
    return {std::min(1.0f, d.alpha + w.alpha), d.red + w.red, d.green + w.green, d.blue + w.blue};
  case PF_Xfer_IN_FRONT: {
    const float k = 1.0f - w.alpha;
    return {w.alpha + d.alpha * k, w.red + d.red * k, w.green + d.green * k, w.blue + d.blue * k};
  }
  case PF_Xfer_BEHIND: {
    const float k = 1.0f - d.alpha;
    return {d.alpha + w.alpha * k, d.red + w.red * k, d.green + w.green * k, d.blue + w.blue * k};
  }
  default: { // COPY: the sample replaces the destination, faded in by the opacity
    const float k = 1.0f - o;
    return {w.alpha + d.alpha * k, w.red + d.red * k, w.green + d.green * k, w.blue + d.blue * k};
  }
  }
}

void transformRow(const TransformJob &job, const Plane &plane, int y) {
  const WorldView &dst = job.dst;
  const bool plainCopy = job.xfer == PF_Xfer_COPY && job.opacity >= 1.0f && !job.mask && !job.rgbOnly &&
                         !job.straightAlpha && dst.depth == PixelDepth::Float32;
  const double py = y + 0.5;
  for (int x = job.area.left; x < job.area.right; ++x) {
    const Accum s = gather(job, plane, x + 0.5, py);
    if (plainCopy) {
      const float px[4] = {s.a, s.r, s.g, s.b};
      std::memcpy(dst.row(y) + static_cast<std::ptrdiff_t>(x) * 16, px, sizeof px);
      continue;
    }
    const float o = job.mask ? job.opacity * maskValue(job, x, y) : job.opacity;
    PixelF d = readPixel(dst, x, y);
    if (job.straightAlpha) d = {d.alpha, d.red * d.alpha, d.green * d.alpha, d.blue * d.alpha};
    PixelF out = composite(job.xfer, s, o, d);
    if (job.rgbOnly) out.alpha = d.alpha;
    if (job.straightAlpha) {
      const float k = out.alpha > 0.0f ? 1.0f / out.alpha : 0.0f;
      out = {out.alpha, out.red * k, out.green * k, out.blue * k};
    }
    writePixel(dst, x, y, out);
  }
}

} // namespace

void transformPixels(const TransformJob &job, ThreadPool &pool) {
  if (job.area.right <= job.area.left || job.area.bottom <= job.area.top || job.toSource.empty()) return;
  if (job.src.width <= 0 || job.src.height <= 0) return;
  Plane plane;
  preparePlane(job, pool, plane);
  // Bands of rows; each destination pixel depends only on its position, so
  // the split does not change the result.
  const int rows = job.area.bottom - job.area.top;
  const int bands = std::min(rows, std::max(1, pool.threadCount()) * 8);
  pool.run(bands, [&](int, int band) {
    const int first = job.area.top + static_cast<int>(static_cast<long long>(rows) * band / bands);
    const int last = job.area.top + static_cast<int>(static_cast<long long>(rows) * (band + 1) / bands);
    for (int y = first; y < last; ++y) transformRow(job, plane, y);
  });
}

} // namespace vlam::host
