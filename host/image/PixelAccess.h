#pragma once
#include "host/image/Image.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace vlam::host {

// One pixel at a depth known when compiling: loops over pixels are written
// once per depth (see withDepth) instead of asking the depth per pixel.
template <PixelDepth D> struct PixelCodec;

// Integer codes of one size per channel, and their conversions.
template <class Code, float (*FromCode)(Code), Code (*ToCode)(float)> struct IntegerCodec {
  static constexpr std::size_t kBytes = 4 * sizeof(Code);
  static PixelF load(const std::byte *p) {
    Code c[4];
    std::memcpy(c, p, sizeof c);
    return {FromCode(c[0]), FromCode(c[1]), FromCode(c[2]), FromCode(c[3])};
  }
  static void store(std::byte *p, const PixelF &v) {
    const Code c[4] = {ToCode(v.alpha), ToCode(v.red), ToCode(v.green), ToCode(v.blue)};
    std::memcpy(p, c, sizeof c);
  }
};

template <> struct PixelCodec<PixelDepth::Bits8> : IntegerCodec<std::uint8_t, fromCode8, toCode8> {};
template <> struct PixelCodec<PixelDepth::Bits16> : IntegerCodec<std::uint16_t, fromCode16, toCode16> {};

template <> struct PixelCodec<PixelDepth::Float32> {
  static constexpr std::size_t kBytes = 16;
  static PixelF load(const std::byte *p) {
    PixelF v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  static void store(std::byte *p, const PixelF &v) { std::memcpy(p, &v, sizeof v); }
};
static_assert(sizeof(PixelF) == 16 && std::is_trivially_copyable_v<PixelF>, "a float pixel is its four channels");

// A pixel's four channels as one vector (alpha, red, green, blue): each lane
// takes the same operations a channel of its own would, so sums and
// products are those of four separate floats, made in one instruction each.
using Float4 = float __attribute__((vector_size(16)));

inline Float4 toFloat4(const PixelF &p) {
  Float4 v;
  std::memcpy(&v, &p, sizeof v);
  return v;
}

inline PixelF toPixel(const Float4 &v) { return {v[0], v[1], v[2], v[3]}; }

template <PixelDepth D> using DepthTag = std::integral_constant<PixelDepth, D>;
// The codec of a DepthTag (as the lambdas given to withDepth receive it).
template <class Tag> using CodecOf = PixelCodec<std::remove_cvref_t<Tag>::value>;

// Calls f(DepthTag<depth>{}): the one place a loop's depth is chosen.
template <class F> decltype(auto) withDepth(PixelDepth depth, F &&f) {
  switch (depth) {
  case PixelDepth::Bits8: return std::forward<F>(f)(DepthTag<PixelDepth::Bits8>{});
  case PixelDepth::Bits16: return std::forward<F>(f)(DepthTag<PixelDepth::Bits16>{});
  case PixelDepth::Float32: break;
  }
  return std::forward<F>(f)(DepthTag<PixelDepth::Float32>{});
}

} // namespace vlam::host
