#pragma once
#include "host/image/Image.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace vlam::host {

// One pixel at a depth known when compiling: loops over pixels are written
// once per depth (see withDepth) instead of asking the depth per pixel.
template <PixelDepth D> struct PixelCodec;

template <> struct PixelCodec<PixelDepth::Bits8> {
  static constexpr std::size_t kBytes = 4;
  static PixelF load(const std::byte *p) {
    const auto *c = reinterpret_cast<const std::uint8_t *>(p);
    return {fromCode8(c[0]), fromCode8(c[1]), fromCode8(c[2]), fromCode8(c[3])};
  }
  static void store(std::byte *p, const PixelF &v) {
    const std::uint8_t c[4] = {toCode8(v.alpha), toCode8(v.red), toCode8(v.green), toCode8(v.blue)};
    std::memcpy(p, c, sizeof c);
  }
};

template <> struct PixelCodec<PixelDepth::Bits16> {
  static constexpr std::size_t kBytes = 8;
  static PixelF load(const std::byte *p) {
    std::uint16_t c[4];
    std::memcpy(c, p, sizeof c);
    return {fromCode16(c[0]), fromCode16(c[1]), fromCode16(c[2]), fromCode16(c[3])};
  }
  static void store(std::byte *p, const PixelF &v) {
    const std::uint16_t c[4] = {toCode16(v.alpha), toCode16(v.red), toCode16(v.green), toCode16(v.blue)};
    std::memcpy(p, c, sizeof c);
  }
};

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
