#include "host/image/PixelOps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace vlam::host {

PixelF readPixel(const WorldView &v, int x, int y) {
  return decodePixel(v.row(y) + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(bytesPerPixel(v.depth)),
                     v.depth);
}

void writePixel(const WorldView &v, int x, int y, const PixelF &px) {
  encodePixel(v.row(y) + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(bytesPerPixel(v.depth)), v.depth,
              px);
}

std::optional<PF_Rect> clipRect(const WorldView &view, const PF_Rect *rect) {
  PF_Rect r{0, 0, view.width, view.height};
  if (rect) {
    if (rect->right < rect->left || rect->bottom < rect->top) return std::nullopt;
    r.left = std::clamp(rect->left, 0, view.width);
    r.right = std::clamp(rect->right, 0, view.width);
    r.top = std::clamp(rect->top, 0, view.height);
    r.bottom = std::clamp(rect->bottom, 0, view.height);
  }
  return r;
}

namespace {

PixelF lerp(const PixelF &a, const PixelF &b, float t) {
  return {a.alpha + (b.alpha - a.alpha) * t, a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
          a.blue + (b.blue - a.blue) * t};
}

// Where one output column (or row) reads from: the two neighbouring source
// pixels and the weight of the second, for a bilinear sample at a position in
// pixel units (pixel centres at .5), clamped to the rectangle's edge pixels.
struct Tap {
  int first;
  int second;
  float weight;
};

Tap tapAt(double position, int low, int high) {
  const double f = std::clamp(position - 0.5, static_cast<double>(low), static_cast<double>(high - 1));
  const int first = static_cast<int>(std::floor(f));
  return {first, std::min(first + 1, high - 1), static_cast<float>(f - first)};
}

// One output row of a resampling copy: every pixel from its four taps.
void resampleRow(const WorldView &src, const Tap &row, const std::vector<Tap> &columns, PixelF *out) {
  if (src.depth == PixelDepth::Float32) {
    // Float pixels are read in place; the arithmetic is that of the
    // general path below.
    const auto *upper = reinterpret_cast<const float *>(src.row(row.first));
    const auto *lower = reinterpret_cast<const float *>(src.row(row.second));
    for (const Tap &c : columns) {
      const auto pixel = [&](const float *line, int x) {
        const float *p = line + 4 * static_cast<std::ptrdiff_t>(x);
        return PixelF{p[0], p[1], p[2], p[3]};
      };
      *out++ = lerp(lerp(pixel(upper, c.first), pixel(upper, c.second), c.weight),
                    lerp(pixel(lower, c.first), pixel(lower, c.second), c.weight), row.weight);
    }
    return;
  }
  for (const Tap &c : columns)
    *out++ = lerp(lerp(readPixel(src, c.first, row.first), readPixel(src, c.second, row.first), c.weight),
                  lerp(readPixel(src, c.first, row.second), readPixel(src, c.second, row.second), c.weight),
                  row.weight);
}

} // namespace

namespace {

// Whether the bytes of the two views' rows can overlap.
bool sharesMemory(const WorldView &a, const WorldView &b) {
  const auto span = [](const WorldView &v) {
    const std::byte *first = v.data;
    const std::byte *last = v.data + v.rowBytes * (v.height - 1) +
                            static_cast<std::ptrdiff_t>(v.width) * static_cast<std::ptrdiff_t>(bytesPerPixel(v.depth));
    return std::make_pair(std::min(first, last), std::max(first, last));
  };
  const auto [a0, a1] = span(a);
  const auto [b0, b1] = span(b);
  return std::less<>()(a0, b1) && std::less<>()(b0, a1);
}

} // namespace

bool copyPixels(const WorldView &src, const PF_Rect *srcRect, const WorldView &dst, const PF_Rect *dstRect) {
  // The requested sizes decide between copy and resample; clipping comes after.
  auto s = clipRect(src, srcRect);
  auto d = clipRect(dst, dstRect);
  if (!s || !d) return false;
  const PF_Rect wantS = srcRect ? *srcRect : *s;
  const PF_Rect wantD = dstRect ? *dstRect : *d;
  const int sw = wantS.right - wantS.left, sh = wantS.bottom - wantS.top;
  const int dw = wantD.right - wantD.left, dh = wantD.bottom - wantD.top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return true;

  if (sw == dw && sh == dh) {
    // Same size: pixel for pixel, through a temporary when the areas overlap.
    const int w = std::min(s->right - wantS.left, d->right - wantD.left) -
                  std::max(s->left - wantS.left, d->left - wantD.left);
    const int x0 = std::max(s->left - wantS.left, d->left - wantD.left);
    const int y0 = std::max(s->top - wantS.top, d->top - wantD.top);
    const int y1 = std::min(s->bottom - wantS.top, d->bottom - wantD.top);
    if (w <= 0 || y1 <= y0) return true;
    const std::size_t bpp = bytesPerPixel(src.depth);
    const std::size_t rowSpan = static_cast<std::size_t>(w) * bpp;
    if (src.depth == dst.depth && !sharesMemory(src, dst)) {
      // Separate buffers of one depth (the common case): row by row.
      for (int y = y0; y < y1; ++y)
        std::memcpy(dst.row(wantD.top + y) + static_cast<std::ptrdiff_t>(wantD.left + x0) * static_cast<std::ptrdiff_t>(bpp),
                    src.row(wantS.top + y) + static_cast<std::ptrdiff_t>(wantS.left + x0) * static_cast<std::ptrdiff_t>(bpp),
                    rowSpan);
      return true;
    }
    // Source rows are read into a buffer before anything is written, so a
    // copy within one buffer sees the original pixels.
    std::vector<std::byte> rows(rowSpan * static_cast<std::size_t>(y1 - y0));
    for (int y = y0; y < y1; ++y)
      std::memcpy(rows.data() + rowSpan * static_cast<std::size_t>(y - y0),
                  src.row(wantS.top + y) + static_cast<std::ptrdiff_t>(wantS.left + x0) * static_cast<std::ptrdiff_t>(bpp),
                  rowSpan);
    for (int y = y0; y < y1; ++y) {
      const std::byte *from = rows.data() + rowSpan * static_cast<std::size_t>(y - y0);
      const int ty = wantD.top + y;
      if (src.depth == dst.depth) {
        std::memcpy(dst.row(ty) + static_cast<std::ptrdiff_t>(wantD.left + x0) * static_cast<std::ptrdiff_t>(bpp), from,
                    rowSpan);
      } else {
        WorldView rowView{const_cast<std::byte *>(from), w, 1, static_cast<std::ptrdiff_t>(rowSpan), src.depth};
        for (int x = 0; x < w; ++x) writePixel(dst, wantD.left + x0 + x, ty, readPixel(rowView, x, 0));
      }
    }
    return true;
  }

  // Different sizes: resample. The taps of every column are worked out
  // once. When the buffers share memory everything is read before anything
  // is written, so a copy within one buffer sees the original pixels.
  if (s->right <= s->left || s->bottom <= s->top) return true;
  if (d->right <= d->left || d->bottom <= d->top) return true;
  const double scaleX = static_cast<double>(sw) / dw, scaleY = static_cast<double>(sh) / dh;
  const std::size_t outWidth = static_cast<std::size_t>(d->right - d->left);
  std::vector<Tap> columns(outWidth);
  for (int x = d->left; x < d->right; ++x)
    columns[static_cast<std::size_t>(x - d->left)] = tapAt(wantS.left + (x - wantD.left + 0.5) * scaleX, s->left, s->right);
  const auto rowTap = [&](int y) { return tapAt(wantS.top + (y - wantD.top + 0.5) * scaleY, s->top, s->bottom); };
  const auto writeRow = [&](int y, const PixelF *pixels) {
    if (dst.depth == PixelDepth::Float32) {
      std::memcpy(dst.row(y) + static_cast<std::ptrdiff_t>(d->left) * 16, pixels, outWidth * sizeof(PixelF));
      return;
    }
    for (int x = d->left; x < d->right; ++x) writePixel(dst, x, y, pixels[x - d->left]);
  };
  static_assert(sizeof(PixelF) == 16, "a float pixel is written as its four channels");
  if (!sharesMemory(src, dst)) {
    std::vector<PixelF> line(outWidth);
    for (int y = d->top; y < d->bottom; ++y) {
      resampleRow(src, rowTap(y), columns, line.data());
      writeRow(y, line.data());
    }
    return true;
  }
  std::vector<PixelF> out(outWidth * static_cast<std::size_t>(d->bottom - d->top));
  for (int y = d->top; y < d->bottom; ++y)
    resampleRow(src, rowTap(y), columns, out.data() + outWidth * static_cast<std::size_t>(y - d->top));
  for (int y = d->top; y < d->bottom; ++y) writeRow(y, out.data() + outWidth * static_cast<std::size_t>(y - d->top));
  return true;
}

bool fillPixels(const WorldView &dst, const PF_Rect *rect, const PixelF &color) {
  auto r = clipRect(dst, rect);
  if (!r) return false;
  if (r->right <= r->left || r->bottom <= r->top) return true;
  writePixel(dst, r->left, r->top, color);
  const std::size_t bpp = bytesPerPixel(dst.depth);
  const std::byte *first = dst.row(r->top) + static_cast<std::ptrdiff_t>(r->left) * static_cast<std::ptrdiff_t>(bpp);
  std::byte pattern[16];
  std::memcpy(pattern, first, bpp);
  for (int y = r->top; y < r->bottom; ++y) {
    std::byte *row = dst.row(y);
    for (int x = r->left; x < r->right; ++x) std::memcpy(row + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(bpp), pattern, bpp);
  }
  return true;
}

void compositeOver(const Image &layer, Image &dst, int left, int top) {
  const int x0 = std::max(0, left), y0 = std::max(0, top);
  const int x1 = std::min(dst.width(), left + layer.width()), y1 = std::min(dst.height(), top + layer.height());
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const PixelF s = layer.pixel(x - left, y - top);
      if (s.alpha >= 1.0f) {
        dst.setPixel(x, y, s);
        continue;
      }
      if (s.alpha <= 0.0f && s.red == 0.0f && s.green == 0.0f && s.blue == 0.0f) continue;
      const PixelF d = dst.pixel(x, y);
      const float k = 1.0f - s.alpha;
      dst.setPixel(x, y, {s.alpha + d.alpha * k, s.red + d.red * k, s.green + d.green * k, s.blue + d.blue * k});
    }
}

Image resampled(const Image &src, int width, int height) {
  Image out(width, height, src.depth());
  if (src.empty() || out.empty()) return out;
  Image &in = const_cast<Image &>(src); // read only; WorldView has no const form
  WorldView s{in.data(), in.width(), in.height(), static_cast<std::ptrdiff_t>(in.rowBytes()), in.depth()};
  WorldView d{out.data(), out.width(), out.height(), static_cast<std::ptrdiff_t>(out.rowBytes()), out.depth()};
  copyPixels(s, nullptr, d, nullptr);
  return out;
}

} // namespace vlam::host
