#include "host/image/MaskRaster.h"

#include "host/image/PixelOps.h"
#include "host/threads/ThreadPool.h"

#include <algorithm>
#include <cmath>

namespace vlam::host {

namespace {

using Point = std::pair<double, double>;

// A feather wider than this many pixels softens no further: it keeps the
// padded coverage buffer bounded.
constexpr double kMaxFeather = 2000.0;

struct Edge {
  double x0, y0, x1, y1;
};

// Radius of each of three box passes whose combined spread is `sigma`.
double boxRadius(double sigma) { return (std::sqrt(4.0 * sigma * sigma + 1.0) - 1.0) * 0.5; }

// One box pass of real radius r along a line, edges extended: the taps
// within floor(r) count fully, the two next ones by the fraction left.
void boxLine(const float *in, float *out, int length, double r) {
  const int n = static_cast<int>(r);
  const double frac = r - n, norm = 1.0 / (2.0 * r + 1.0);
  auto at = [&](int i) { return static_cast<double>(in[std::clamp(i, 0, length - 1)]); };
  double sum = 0;
  for (int k = -n; k <= n; ++k) sum += at(k);
  for (int x = 0; x < length; ++x) {
    out[x] = static_cast<float>((sum + frac * (at(x - n - 1) + at(x + n + 1))) * norm);
    sum += at(x + n + 1) - at(x - n);
  }
}

// Three box passes along rows (horizontal) or columns of a w x h buffer.
void blurAxis(std::vector<float> &buf, int w, int h, double r, bool horizontal, ThreadPool &pool) {
  if (r <= 0.0) return;
  const int lines = horizontal ? h : w, length = horizontal ? w : h;
  const int bands = std::min(lines, std::max(1, pool.threadCount()) * 4);
  pool.run(bands, [&](int, int band) {
    std::vector<float> a(static_cast<std::size_t>(length)), b(a.size());
    const int first = static_cast<int>(static_cast<long long>(lines) * band / bands);
    const int last = static_cast<int>(static_cast<long long>(lines) * (band + 1) / bands);
    for (int line = first; line < last; ++line) {
      auto index = [&](int i) {
        return horizontal ? static_cast<std::size_t>(line) * static_cast<std::size_t>(w) + static_cast<std::size_t>(i)
                          : static_cast<std::size_t>(i) * static_cast<std::size_t>(w) + static_cast<std::size_t>(line);
      };
      for (int i = 0; i < length; ++i) a[static_cast<std::size_t>(i)] = buf[index(i)];
      boxLine(a.data(), b.data(), length, r);
      boxLine(b.data(), a.data(), length, r);
      boxLine(a.data(), b.data(), length, r);
      for (int i = 0; i < length; ++i) buf[index(i)] = b[static_cast<std::size_t>(i)];
    }
  });
}

// Adds `weight` times the covered part of each pixel of [xa, xb) to a row.
void addSpan(float *row, int width, double xa, double xb, float weight) {
  xa = std::max(xa, 0.0);
  xb = std::min(xb, static_cast<double>(width));
  if (!(xb > xa)) return;
  const int ia = static_cast<int>(xa), ib = static_cast<int>(xb);
  if (ia == ib) {
    row[ia] += static_cast<float>(xb - xa) * weight;
    return;
  }
  row[ia] += static_cast<float>(ia + 1 - xa) * weight;
  for (int i = ia + 1; i < ib; ++i) row[i] += weight;
  if (ib < width) row[ib] += static_cast<float>(xb - ib) * weight;
}

void coverRow(const std::vector<Edge> &edges, float *row, int width, int y, int subRows) {
  std::vector<std::pair<double, int>> crossings;
  const float weight = 1.0f / static_cast<float>(subRows);
  for (int k = 0; k < subRows; ++k) {
    const double ys = y + (k + 0.5) / subRows;
    crossings.clear();
    for (const Edge &e : edges) {
      if ((e.y0 <= ys && ys < e.y1) || (e.y1 <= ys && ys < e.y0))
        crossings.emplace_back(e.x0 + (ys - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.y1 > e.y0 ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].second;
      if (winding != 0) addSpan(row, width, crossings[i].first, crossings[i + 1].first, weight);
    }
  }
}

} // namespace

std::vector<Point> flattenOutline(const MaskShape &shape) {
  std::vector<Point> points;
  const std::size_t n = shape.vertices.size();
  if (!shape.closed || n < 2) return points;
  for (std::size_t i = 0; i < n; ++i) {
    const MaskVertex &a = shape.vertices[i], &b = shape.vertices[(i + 1) % n];
    const Point p0{a.x, a.y}, p1{a.x + a.outX, a.y + a.outY}, p2{b.x + b.inX, b.y + b.inY}, p3{b.x, b.y};
    // The control polygon's length bounds the curve's: one piece per pixel of it.
    const double reach = std::hypot(p1.first - p0.first, p1.second - p0.second) +
                         std::hypot(p2.first - p1.first, p2.second - p1.second) +
                         std::hypot(p3.first - p2.first, p3.second - p2.second);
    const bool straight = a.outX == 0 && a.outY == 0 && b.inX == 0 && b.inY == 0;
    const int pieces = straight || !std::isfinite(reach) ? 1 : std::clamp(static_cast<int>(std::ceil(reach)), 1, 1024);
    for (int k = 0; k < pieces; ++k) {
      const double t = static_cast<double>(k) / pieces, u = 1.0 - t;
      const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
      points.emplace_back(w0 * p0.first + w1 * p1.first + w2 * p2.first + w3 * p3.first,
                          w0 * p0.second + w1 * p1.second + w2 * p2.second + w3 * p3.second);
    }
  }
  return points;
}

void rasterMatte(const MaskShape &shape, const MatteLook &look, const WorldView &dst, const PF_Rect &area,
                 ThreadPool &pool) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  const double featherX = std::clamp(std::isfinite(look.featherX) ? look.featherX : 0.0, 0.0, kMaxFeather);
  const double featherY = std::clamp(std::isfinite(look.featherY) ? look.featherY : 0.0, 0.0, kMaxFeather);
  const double rx = boxRadius(featherX / 4.0), ry = boxRadius(featherY / 4.0);
  // Room around the area for the outline's coverage that the blur pulls in.
  const int padX = static_cast<int>(std::ceil(3.0 * (rx + 1.0))), padY = static_cast<int>(std::ceil(3.0 * (ry + 1.0)));
  const int w = area.right - area.left + 2 * padX, h = area.bottom - area.top + 2 * padY;
  const double ox = area.left - padX, oy = area.top - padY;

  std::vector<Edge> edges;
  const std::vector<Point> points = flattenOutline(shape);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point &a = points[i], &b = points[(i + 1) % points.size()];
    if (a.second == b.second || !std::isfinite(a.first + a.second + b.first + b.second)) continue;
    edges.push_back({a.first - ox, a.second - oy, b.first - ox, b.second - oy});
  }

  std::vector<float> cover(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0.0f);
  const int subRows = look.highQuality ? 4 : 1;
  if (!edges.empty()) {
    const int bands = std::min(h, std::max(1, pool.threadCount()) * 8);
    pool.run(bands, [&](int, int band) {
      const int first = static_cast<int>(static_cast<long long>(h) * band / bands);
      const int last = static_cast<int>(static_cast<long long>(h) * (band + 1) / bands);
      for (int y = first; y < last; ++y)
        coverRow(edges, cover.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w), w, y, subRows);
    });
  }
  blurAxis(cover, w, h, rx, true, pool);
  blurAxis(cover, w, h, ry, false, pool);

  const float opacity = std::clamp(std::isfinite(look.opacity) ? look.opacity : 0.0f, 0.0f, 1.0f);
  pool.run(area.bottom - area.top, [&](int, int i) {
    const int y = area.top + i;
    const float *row = cover.data() + static_cast<std::size_t>(y - area.top + padY) * static_cast<std::size_t>(w);
    for (int x = area.left; x < area.right; ++x) {
      float m = std::clamp(row[x - area.left + padX], 0.0f, 1.0f);
      if (look.invert) m = 1.0f - m;
      m *= opacity;
      writePixel(dst, x, y, {m, m, m, m});
    }
  });
}

} // namespace vlam::host
