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

// Bilinear sample at a position in pixel units (pixel centres at .5),
// clamped to the rectangle's edge pixels.
PixelF sample(const WorldView &v, const PF_Rect &r, double x, double y) {
  const double fx = std::clamp(x - 0.5, static_cast<double>(r.left), static_cast<double>(r.right - 1));
  const double fy = std::clamp(y - 0.5, static_cast<double>(r.top), static_cast<double>(r.bottom - 1));
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const int x1 = std::min(x0 + 1, r.right - 1), y1 = std::min(y0 + 1, r.bottom - 1);
  const float tx = static_cast<float>(fx - x0), ty = static_cast<float>(fy - y0);
  return lerp(lerp(readPixel(v, x0, y0), readPixel(v, x1, y0), tx), lerp(readPixel(v, x0, y1), readPixel(v, x1, y1), tx),
              ty);
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

  // Different sizes: resample. Read everything first, so that a copy within
  // one buffer sees the original pixels.
  if (s->right <= s->left || s->bottom <= s->top) return true;
  const double scaleX = static_cast<double>(sw) / dw, scaleY = static_cast<double>(sh) / dh;
  std::vector<PixelF> out(static_cast<std::size_t>(d->right - d->left) * static_cast<std::size_t>(d->bottom - d->top));
  std::size_t i = 0;
  for (int y = d->top; y < d->bottom; ++y)
    for (int x = d->left; x < d->right; ++x)
      out[i++] = sample(src, *s, wantS.left + (x - wantD.left + 0.5) * scaleX, wantS.top + (y - wantD.top + 0.5) * scaleY);
  i = 0;
  for (int y = d->top; y < d->bottom; ++y)
    for (int x = d->left; x < d->right; ++x) writePixel(dst, x, y, out[i++]);
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
