#include "host/image/PixelOps.h"

#include "host/image/PixelAccess.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>
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

inline PixelF lerp(const PixelF &a, const PixelF &b, float t) {
  const Float4 va = toFloat4(a);
  return toPixel(va + (toFloat4(b) - va) * t);
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
template <class In>
void resampleRow(const WorldView &src, const Tap &row, const std::vector<Tap> &columns, PixelF *out) {
  const std::byte *upper = src.row(row.first);
  const std::byte *lower = src.row(row.second);
  const auto pixel = [](const std::byte *line, int x) {
    return In::load(line + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(In::kBytes));
  };
  for (const Tap &c : columns)
    *out++ = lerp(lerp(pixel(upper, c.first), pixel(upper, c.second), c.weight),
                  lerp(pixel(lower, c.first), pixel(lower, c.second), c.weight), row.weight);
}

// Converts `count` pixels between depths.
template <class In, class Out> void convertPixels(const std::byte *from, std::byte *to, int count) {
  for (int x = 0; x < count; ++x)
    Out::store(to + static_cast<std::size_t>(x) * Out::kBytes, In::load(from + static_cast<std::size_t>(x) * In::kBytes));
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
      std::byte *to = dst.row(ty) + static_cast<std::ptrdiff_t>(wantD.left + x0) *
                                        static_cast<std::ptrdiff_t>(bytesPerPixel(dst.depth));
      if (src.depth == dst.depth) std::memcpy(to, from, rowSpan);
      else
        withDepth(src.depth, [&](auto in) {
          withDepth(dst.depth, [&](auto out) { convertPixels<CodecOf<decltype(in)>, CodecOf<decltype(out)>>(from, to, w); });
        });
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
  withDepth(src.depth, [&](auto in) {
    withDepth(dst.depth, [&](auto to) {
      using Out = CodecOf<decltype(to)>;
      const auto writeRow = [&](int y, const PixelF *pixels) {
        std::byte *row = dst.row(y) + static_cast<std::ptrdiff_t>(d->left) * static_cast<std::ptrdiff_t>(Out::kBytes);
        if constexpr (std::is_same_v<Out, PixelCodec<PixelDepth::Float32>>)
          std::memcpy(row, pixels, outWidth * sizeof(PixelF));
        else
          for (std::size_t x = 0; x < outWidth; ++x) Out::store(row + x * Out::kBytes, pixels[x]);
      };
      if (!sharesMemory(src, dst)) {
        std::vector<PixelF> line(outWidth);
        for (int y = d->top; y < d->bottom; ++y) {
          resampleRow<CodecOf<decltype(in)>>(src, rowTap(y), columns, line.data());
          writeRow(y, line.data());
        }
        return;
      }
      std::vector<PixelF> out(outWidth * static_cast<std::size_t>(d->bottom - d->top));
      for (int y = d->top; y < d->bottom; ++y)
        resampleRow<CodecOf<decltype(in)>>(src, rowTap(y), columns,
                                           out.data() + outWidth * static_cast<std::size_t>(y - d->top));
      for (int y = d->top; y < d->bottom; ++y) writeRow(y, out.data() + outWidth * static_cast<std::size_t>(y - d->top));
    });
  });
  return true;
}

bool fillPixels(const WorldView &dst, const PF_Rect *rect, const PixelF &color) {
  auto r = clipRect(dst, rect);
  if (!r) return false;
  if (r->right <= r->left || r->bottom <= r->top) return true;
  // The first row of the rectangle is filled by doubling what is already
  // filled; the other rows are copies of it.
  const std::size_t bpp = bytesPerPixel(dst.depth);
  std::byte *first = dst.row(r->top) + static_cast<std::ptrdiff_t>(r->left) * static_cast<std::ptrdiff_t>(bpp);
  const std::size_t span = static_cast<std::size_t>(r->right - r->left) * bpp;
  withDepth(dst.depth, [&](auto d) { CodecOf<decltype(d)>::store(first, color); });
  for (std::size_t done = bpp; done < span;) {
    const std::size_t n = std::min(done, span - done);
    std::memcpy(first + done, first, n);
    done += n;
  }
  for (int y = r->top + 1; y < r->bottom; ++y)
    std::memcpy(dst.row(y) + static_cast<std::ptrdiff_t>(r->left) * static_cast<std::ptrdiff_t>(bpp), first, span);
  return true;
}

namespace {

// "Over" of one premultiplied pixel onto another; a destination known to be
// transparent black is not read.
template <bool DstIsClear, class Out> inline void over(const PixelF &s, std::byte *to) {
  if (s.alpha >= 1.0f) {
    Out::store(to, s);
    return;
  }
  if (s.alpha <= 0.0f && s.red == 0.0f && s.green == 0.0f && s.blue == 0.0f) {
    if constexpr (DstIsClear) Out::store(to, PixelF{});
    return;
  }
  const PixelF d = DstIsClear ? PixelF{} : Out::load(to);
  const float k = 1.0f - s.alpha;
  Out::store(to, {s.alpha + d.alpha * k, s.red + d.red * k, s.green + d.green * k, s.blue + d.blue * k});
}

template <bool DstIsClear> void compositeRows(const Image &layer, Image &dst, int left, int top) {
  const int x0 = std::max(0, left), y0 = std::max(0, top);
  const int x1 = std::min(dst.width(), left + layer.width()), y1 = std::min(dst.height(), top + layer.height());
  withDepth(layer.depth(), [&](auto in) {
    withDepth(dst.depth(), [&](auto out) {
      using In = CodecOf<decltype(in)>;
      using Out = CodecOf<decltype(out)>;
      for (int y = y0; y < y1; ++y) {
        const std::byte *from = layer.row(y - top) + static_cast<std::ptrdiff_t>(x0 - left) * static_cast<std::ptrdiff_t>(In::kBytes);
        std::byte *to = dst.row(y) + static_cast<std::ptrdiff_t>(x0) * static_cast<std::ptrdiff_t>(Out::kBytes);
        for (int x = x0; x < x1; ++x, from += In::kBytes, to += Out::kBytes)
          over<DstIsClear, Out>(In::load(from), to);
      }
    });
  });
}

} // namespace

void compositeOver(const Image &layer, Image &dst, int left, int top) { compositeRows<false>(layer, dst, left, top); }

void compositeOverClear(const Image &layer, Image &dst, int left, int top) {
  // What the layer does not cover stays transparent black.
  const std::size_t bpp = bytesPerPixel(dst.depth());
  const int x0 = std::clamp(left, 0, dst.width()), x1 = std::clamp(left + layer.width(), x0, dst.width());
  const int y0 = std::clamp(top, 0, dst.height()), y1 = std::clamp(top + layer.height(), y0, dst.height());
  for (int y = 0; y < dst.height(); ++y) {
    std::byte *row = dst.row(y);
    if (y < y0 || y >= y1) {
      std::memset(row, 0, static_cast<std::size_t>(dst.width()) * bpp);
      continue;
    }
    std::memset(row, 0, static_cast<std::size_t>(x0) * bpp);
    std::memset(row + static_cast<std::size_t>(x1) * bpp, 0, static_cast<std::size_t>(dst.width() - x1) * bpp);
  }
  compositeRows<true>(layer, dst, left, top);
}

void compositeOntoClear(Image &image) {
  // 8-bit codes come back from "over" onto transparent black as they were
  // (the tests check every pair of alpha and colour codes).
  if (image.depth() == PixelDepth::Bits8) return;
  // Each pixel becomes what "over" onto transparent black makes of it; most
  // pixels stay as they are and are not written.
  withDepth(image.depth(), [&](auto d) {
    using Codec = CodecOf<decltype(d)>;
    for (int y = 0; y < image.height(); ++y) {
      std::byte *p = image.row(y);
      for (int x = 0; x < image.width(); ++x, p += Codec::kBytes) {
        std::byte result[Codec::kBytes];
        over<true, Codec>(Codec::load(p), result);
        if (std::memcmp(result, p, Codec::kBytes) != 0) std::memcpy(p, result, Codec::kBytes);
      }
    }
  });
}

Image resampled(const Image &src, int width, int height) {
  Image out(width, height, src.depth(), src.empty() ? ImageStart::Cleared : ImageStart::Undefined);
  if (src.empty() || out.empty()) return out;
  Image &in = const_cast<Image &>(src); // read only; WorldView has no const form
  WorldView s{in.data(), in.width(), in.height(), static_cast<std::ptrdiff_t>(in.rowBytes()), in.depth()};
  WorldView d{out.data(), out.width(), out.height(), static_cast<std::ptrdiff_t>(out.rowBytes()), out.depth()};
  copyPixels(s, nullptr, d, nullptr);
  return out;
}

} // namespace vlam::host
