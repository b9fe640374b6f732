#include "host/image/WorldTransform.h"

#include "host/image/PixelAccess.h"
#include "host/image/PixelOps.h"
#include "host/threads/ThreadPool.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <type_traits>

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
  ox = x * m[0][0] + y * m[1][0] + m[2][0];
  oy = x * m[0][1] + y * m[1][1] + m[2][1];
  // Without perspective w is exactly 1, and dividing by 1 changes nothing.
  if (w != 1.0) {
    ox /= w;
    oy /= w;
  }
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

// A sum of weighted pixels, the four channels in one vector.
struct Accum {
  Float4 v{0, 0, 0, 0}; // alpha, red, green, blue
  float a() const { return v[0]; }
  float r() const { return v[1]; }
  float g() const { return v[2]; }
  float b() const { return v[3]; }
  void add(const float *p, float w) {
    Float4 pixel;
    std::memcpy(&pixel, p, sizeof pixel);
    v += pixel * w;
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
  withDepth(src.depth, [&](auto depth) {
    using In = CodecOf<decltype(depth)>;
    pool.run(src.height, [&](int, int y) {
      float *out = plane.owned.data() + plane.stride * y;
      const std::byte *in = src.row(y);
      for (int x = 0; x < src.width; ++x, out += 4, in += In::kBytes) {
        PixelF p = In::load(in);
        if (job.straightAlpha) p = {p.alpha, p.red * p.alpha, p.green * p.alpha, p.blue * p.alpha};
        out[0] = p.alpha;
        out[1] = p.red;
        out[2] = p.green;
        out[3] = p.blue;
      }
    });
  });
  plane.px = plane.owned.data();
}

// Source tiles whose pixels are all the same (a cleared background, the
// black around a flash): a path that stays inside such tiles of one value
// samples that value, with no taps read.
constexpr int kTile = 16;

struct TileMap {
  int columns = 0, rows = 0;
  std::vector<std::uint8_t> uniform;
  std::vector<std::array<float, 4>> value;
};

// The tiles [x0, x1) x [y0, y1) that the taps of the area's paths can
// reach. With matrices without perspective a path's positions lie in the
// matrices' images of the area, whose bounds are those of its corners'
// images; a pixel of margin covers rounding. Otherwise every tile.
struct TileRange {
  int x0, y0, x1, y1;
};

TileRange reachableTiles(const TransformJob &job, int columns, int rows) {
  const TileRange all{0, 0, columns, rows};
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool first = true;
  for (const RowMatrix &matrix : job.toSource) {
    const auto &m = matrix.m;
    if (m[0][2] != 0.0 || m[1][2] != 0.0 || m[2][2] != 1.0) return all;
    for (const int x : {job.area.left, job.area.right})
      for (const int y : {job.area.top, job.area.bottom}) {
        double qx = 0, qy = 0;
        matrix.apply(x, y, qx, qy);
        minX = first ? qx : std::min(minX, qx);
        maxX = first ? qx : std::max(maxX, qx);
        minY = first ? qy : std::min(minY, qy);
        maxY = first ? qy : std::max(maxY, qy);
        first = false;
      }
  }
  const auto tile = [](double pixel, int count) {
    return static_cast<int>(std::clamp(std::floor(pixel / kTile), 0.0, static_cast<double>(count)));
  };
  return {tile(std::floor(minX - 0.5) - 1, columns), tile(std::floor(minY - 0.5) - 1, rows),
          tile(std::floor(maxX - 0.5) + 2, columns - 1) + 1, tile(std::floor(maxY - 0.5) + 2, rows - 1) + 1};
}

// Tiles outside `range` are left marked as not uniform.
void buildTiles(const Plane &plane, ThreadPool &pool, const TransformJob &job, TileMap &tiles) {
  tiles.columns = (plane.width + kTile - 1) / kTile;
  tiles.rows = (plane.height + kTile - 1) / kTile;
  tiles.uniform.assign(static_cast<std::size_t>(tiles.columns) * static_cast<std::size_t>(tiles.rows), 0);
  tiles.value.assign(tiles.uniform.size(), {});
  const TileRange range = reachableTiles(job, tiles.columns, tiles.rows);
  pool.run(range.y1 - range.y0, [&](int, int row) {
    const int ty = range.y0 + row;
    for (int tx = range.x0; tx < range.x1; ++tx) {
      const float *first = plane.px + plane.stride * (ty * kTile) + 4 * static_cast<std::ptrdiff_t>(tx * kTile);
      bool same = true;
      for (int y = ty * kTile; same && y < std::min(plane.height, (ty + 1) * kTile); ++y) {
        const float *p = plane.px + plane.stride * y + 4 * static_cast<std::ptrdiff_t>(tx * kTile);
        for (int x = tx * kTile; x < std::min(plane.width, (tx + 1) * kTile); ++x, p += 4)
          if (std::memcmp(p, first, 4 * sizeof(float)) != 0) {
            same = false;
            break;
          }
      }
      const std::size_t i = static_cast<std::size_t>(ty) * static_cast<std::size_t>(tiles.columns) +
                            static_cast<std::size_t>(tx);
      tiles.uniform[i] = same ? 1 : 0;
      std::memcpy(tiles.value[i].data(), first, 4 * sizeof(float));
    }
  });
}

// True (and the value in `acc`) when every tap of a path whose sample
// positions lie within [minX, maxX] x [minY, maxY] reads one uniform value.
bool uniformAlong(const Plane &plane, const TileMap &tiles, double minX, double minY, double maxX, double maxY,
                  Accum &acc) {
  // Taps reach from floor(q - 0.5) to that plus one.
  const double lx = std::floor(minX - 0.5), ly = std::floor(minY - 0.5);
  const double hx = std::floor(maxX - 0.5) + 1, hy = std::floor(maxY - 0.5) + 1;
  if (!(lx >= 0 && ly >= 0 && hx < plane.width && hy < plane.height)) return false;
  const int tx0 = static_cast<int>(lx) / kTile, tx1 = static_cast<int>(hx) / kTile;
  const int ty0 = static_cast<int>(ly) / kTile, ty1 = static_cast<int>(hy) / kTile;
  const std::size_t first = static_cast<std::size_t>(ty0) * static_cast<std::size_t>(tiles.columns) +
                            static_cast<std::size_t>(tx0);
  for (int ty = ty0; ty <= ty1; ++ty)
    for (int tx = tx0; tx <= tx1; ++tx) {
      const std::size_t i = static_cast<std::size_t>(ty) * static_cast<std::size_t>(tiles.columns) +
                            static_cast<std::size_t>(tx);
      if (!tiles.uniform[i] || tiles.value[i] != tiles.value[first]) return false;
    }
  const auto &v = tiles.value[first];
  acc.v = Float4{v[0], v[1], v[2], v[3]};
  return true;
}

// Bilinear taps of a sample known to lie inside the buffer with its right
// and lower neighbours (fx, fy already shifted by half a pixel).
inline void addBilinearInside(const Plane &s, float fx, float fy, float w, Accum &acc) {
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float tx = fx - static_cast<float>(x0), ty = fy - static_cast<float>(y0);
  const float *p = s.px + s.stride * y0 + 4 * static_cast<std::ptrdiff_t>(x0);
  const float wy0 = (1 - ty) * w, wy1 = ty * w;
  acc.add(p, (1 - tx) * wy0);
  acc.add(p + 4, tx * wy0);
  acc.add(p + s.stride, (1 - tx) * wy1);
  acc.add(p + s.stride + 4, tx * wy1);
}

// Adds `steps` samples of weight `w` spread evenly along (x0, y0)-(x1, y1).
void addAlong(const TransformJob &job, const Plane &plane, double x0, double y0, double x1, double y1, int steps,
              float w, Accum &acc) {
  const double dx = (x1 - x0) / steps, dy = (y1 - y0) / steps;
  double x = x0 + 0.5 * dx, y = y0 + 0.5 * dy;
  const bool inside = job.bilinear && std::min(x0, x1) >= 0.5 && std::min(y0, y1) >= 0.5 &&
                      std::max(x0, x1) < plane.width - 0.5 && std::max(y0, y1) < plane.height - 0.5;
  if (inside) {
    // Both ends (and so every sample) have all four taps in the buffer.
    float fx = static_cast<float>(x - 0.5), fy = static_cast<float>(y - 0.5);
    const float sx = static_cast<float>(dx), sy = static_cast<float>(dy);
    for (int i = 0; i < steps; ++i) {
      addBilinearInside(plane, std::clamp(fx, 0.0f, plane.width - 1.001f), std::clamp(fy, 0.0f, plane.height - 1.001f),
                        w, acc);
      fx += sx;
      fy += sy;
    }
    return;
  }
  for (int i = 0; i < steps; ++i, x += dx, y += dy) {
    if (job.bilinear) addBilinear(plane, x, y, w, acc);
    else addNearest(plane, x, y, w, acc);
  }
}

// Averages the source along the path through the matrices' positions of
// destination point (px, py).
Accum gather(const TransformJob &job, const Plane &plane, const TileMap &tiles, double px, double py) {
  Accum acc;
  const std::size_t n = job.toSource.size();
  if (n == 1) {
    double qx, qy;
    if (!job.toSource[0].apply(px, py, qx, qy)) return acc;
    if (job.bilinear) addBilinear(plane, qx, qy, 1.0f, acc);
    else addNearest(plane, qx, qy, 1.0f, acc);
    return acc;
  }
  // Where the point's source lies under each matrix; a path lying wholly in
  // uniform tiles of one value needs no sampling.
  constexpr std::size_t kOnStack = 8;
  double qxs[kOnStack], qys[kOnStack];
  bool known[kOnStack];
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  bool all = true;
  if (n <= kOnStack) {
    for (std::size_t k = 0; k < n; ++k) {
      known[k] = job.toSource[k].apply(px, py, qxs[k], qys[k]);
      all = all && known[k];
      if (!known[k]) continue;
      minX = std::min(minX, qxs[k]);
      maxX = std::max(maxX, qxs[k]);
      minY = std::min(minY, qys[k]);
      maxY = std::max(maxY, qys[k]);
    }
    if (all && job.bilinear && uniformAlong(plane, tiles, minX, minY, maxX, maxY, acc)) return acc;
  }
  const double pairWeight = 1.0 / static_cast<double>(n - 1);
  double qx[2], qy[2];
  bool have = n <= kOnStack ? known[0] : job.toSource[0].apply(px, py, qx[0], qy[0]);
  if (n <= kOnStack) qx[0] = qxs[0], qy[0] = qys[0];
  for (std::size_t k = 1; k < n; ++k) {
    bool next;
    if (n <= kOnStack) {
      next = known[k];
      qx[1] = qxs[k];
      qy[1] = qys[k];
    } else {
      next = job.toSource[k].apply(px, py, qx[1], qy[1]);
    }
    if (have && next) {
      const double length = std::hypot(qx[1] - qx[0], qy[1] - qy[0]);
      // Samples at most a pixel apart: bilinear taps that close sum to an
      // even streak, with no visible steps.
      const int steps = length < 1.0 ? 1 : static_cast<int>(std::min<double>(std::ceil(length), kMaxBlurSamples));
      addAlong(job, plane, qx[0], qy[0], qx[1], qy[1], steps, static_cast<float>(pairWeight / steps), acc);
    }
    have = next;
    qx[0] = qx[1];
    qy[0] = qy[1];
  }
  return acc;
}

// The mask's value at destination pixel (x, y); `load` reads a mask pixel.
float maskValue(const TransformJob &job, PixelF (*load)(const std::byte *), int x, int y) {
  const WorldView &m = *job.mask;
  const int mx = x - job.maskOffset.h, my = y - job.maskOffset.v;
  float v = 0.0f;
  if (mx >= 0 && my >= 0 && mx < m.width && my < m.height) {
    const PixelF p = load(m.row(my) + static_cast<std::ptrdiff_t>(mx) * static_cast<std::ptrdiff_t>(bytesPerPixel(m.depth)));
    v = (job.maskFlags & PF_MaskFlag_LUMINANCE) ? 0.299f * p.red + 0.587f * p.green + 0.114f * p.blue : p.alpha;
  }
  v = std::clamp(v, 0.0f, 1.0f);
  return (job.maskFlags & PF_MaskFlag_INVERTED) ? 1.0f - v : v;
}

// Composites the premultiplied sample `s` (already weighted by opacity and
// mask as `o`) onto the premultiplied destination pixel `d`.
inline PixelF composite(PF_TransferMode mode, const Accum &s, float o, const PixelF &d) {
  const PixelF w{s.a() * o, s.r() * o, s.g() * o, s.b() * o};
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

// Where the bilinear taps of one output column (or row) lie when a single
// matrix scales and moves without rotating: the source position of a column
// does not depend on the row, nor a row's on the column, so both are worked
// out once. Follows addBilinear step by step.
struct AxisTap {
  bool inside = false; // floor(q - 0.5) within [-1, size)
  int first = 0;
  float t = 0;
  bool low = false, high = false; // the first and second tap inside the source
};

AxisTap axisTap(double q, int size) {
  const double f = q - 0.5;
  const double fl = std::floor(f);
  AxisTap a;
  a.inside = fl >= -1.0 && fl < size;
  if (!a.inside) return a;
  a.first = static_cast<int>(fl);
  a.t = static_cast<float>(f - fl);
  a.low = a.first >= 0;
  a.high = a.first + 1 < size;
  return a;
}

// Column taps of the area, or none when the job is not a single bilinear
// matrix without rotation or perspective.
std::vector<AxisTap> separableColumns(const TransformJob &job, const Plane &plane) {
  if (job.toSource.size() != 1 || !job.bilinear) return {};
  const auto &m = job.toSource[0].m;
  // With no perspective the divisor is exactly 1, and with no rotation
  // x * m[1][0] and y * m[0][1] are zeros whose sign does not depend on the
  // (positive) pixel position, so the sums are those of any row or column.
  if (m[0][1] != 0.0 || m[1][0] != 0.0 || m[0][2] != 0.0 || m[1][2] != 0.0 || m[2][2] != 1.0) return {};
  std::vector<AxisTap> columns;
  const double py = job.area.top + 0.5;
  for (int x = job.area.left; x < job.area.right; ++x) {
    double qx = 0, qy = 0;
    job.toSource[0].apply(x + 0.5, py, qx, qy);
    columns.push_back(axisTap(qx, plane.width));
  }
  return columns;
}

// The bilinear sample of a column and row tap, as addBilinear adds it.
inline Accum sampleAt(const Plane &s, const AxisTap &cx, const AxisTap &ry) {
  Accum acc;
  if (!(cx.inside && ry.inside)) return acc;
  const float w = 1.0f, tx = cx.t, ty = ry.t;
  const float w00 = (1 - tx) * (1 - ty) * w, w10 = tx * (1 - ty) * w, w01 = (1 - tx) * ty * w, w11 = tx * ty * w;
  const auto tap = [&](int dx, int dy) {
    return s.px + s.stride * (ry.first + dy) + 4 * static_cast<std::ptrdiff_t>(cx.first + dx);
  };
  if (ry.low && cx.low) acc.add(tap(0, 0), w00);
  if (ry.low && cx.high) acc.add(tap(1, 0), w10);
  if (ry.high && cx.low) acc.add(tap(0, 1), w01);
  if (ry.high && cx.high) acc.add(tap(1, 1), w11);
  return acc;
}

// One destination row, written at the destination's depth.
template <class Out>
void transformRow(const TransformJob &job, const Plane &plane, const TileMap &tiles, const std::vector<AxisTap> &columns,
                  int y) {
  const WorldView &dst = job.dst;
  constexpr bool kFloat = std::is_same_v<Out, PixelCodec<PixelDepth::Float32>>;
  const bool plainCopy = kFloat && job.xfer == PF_Xfer_COPY && job.opacity >= 1.0f && !job.mask && !job.rgbOnly &&
                         !job.straightAlpha;
  PixelF (*maskLoad)(const std::byte *) = nullptr;
  if (job.mask) maskLoad = withDepth(job.mask->depth, [](auto d) { return &CodecOf<decltype(d)>::load; });
  const double py = y + 0.5;
  AxisTap row;
  if (!columns.empty()) {
    double qx = 0, qy = 0;
    job.toSource[0].apply(job.area.left + 0.5, py, qx, qy);
    row = axisTap(qy, plane.height);
  }
  std::byte *p = dst.row(y) + static_cast<std::ptrdiff_t>(job.area.left) * static_cast<std::ptrdiff_t>(Out::kBytes);
  for (int x = job.area.left; x < job.area.right; ++x, p += Out::kBytes) {
    const Accum s = columns.empty() ? gather(job, plane, tiles, x + 0.5, py)
                                    : sampleAt(plane, columns[static_cast<std::size_t>(x - job.area.left)], row);
    if (plainCopy) {
      Out::store(p, {s.a(), s.r(), s.g(), s.b()});
      continue;
    }
    const float o = job.mask ? job.opacity * maskValue(job, maskLoad, x, y) : job.opacity;
    PixelF d = Out::load(p);
    if (job.straightAlpha) d = {d.alpha, d.red * d.alpha, d.green * d.alpha, d.blue * d.alpha};
    PixelF out = composite(job.xfer, s, o, d);
    if (job.rgbOnly) out.alpha = d.alpha;
    if (job.straightAlpha) {
      const float k = out.alpha > 0.0f ? 1.0f / out.alpha : 0.0f;
      out = {out.alpha, out.red * k, out.green * k, out.blue * k};
    }
    Out::store(p, out);
  }
}

} // namespace

void transformPixels(const TransformJob &job, ThreadPool &pool) {
  if (job.area.right <= job.area.left || job.area.bottom <= job.area.top || job.toSource.empty()) return;
  if (job.src.width <= 0 || job.src.height <= 0) return;
  Plane plane;
  preparePlane(job, pool, plane);
  TileMap tiles;
  if (job.toSource.size() > 1) buildTiles(plane, pool, job, tiles);
  const std::vector<AxisTap> columns = separableColumns(job, plane);
  // Bands of rows; each destination pixel depends only on its position, so
  // the split does not change the result.
  const int rows = job.area.bottom - job.area.top;
  const int bands = std::min(rows, std::max(1, pool.threadCount()) * 8);
  pool.run(bands, [&](int, int band) {
    const int first = job.area.top + static_cast<int>(static_cast<long long>(rows) * band / bands);
    const int last = job.area.top + static_cast<int>(static_cast<long long>(rows) * (band + 1) / bands);
    withDepth(job.dst.depth, [&](auto depth) {
      for (int y = first; y < last; ++y) transformRow<CodecOf<decltype(depth)>>(job, plane, tiles, columns, y);
    });
  });
}

} // namespace vlam::host
