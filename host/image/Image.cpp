#include "host/image/Image.h"

#include "host/HostError.h"
#include "host/image/PixelMemory.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace vlam::host {

std::size_t bytesPerPixel(PixelDepth depth) {
  switch (depth) {
  case PixelDepth::Bits8: return 4;
  case PixelDepth::Bits16: return 8;
  case PixelDepth::Float32: return 16;
  }
  return 4;
}

PixelDepth pixelDepthFromBits(int bits) {
  switch (bits) {
  case 8: return PixelDepth::Bits8;
  case 16: return PixelDepth::Bits16;
  case 32: return PixelDepth::Float32;
  default: throw HostError("unsupported bit depth " + std::to_string(bits) + " (use 8, 16 or 32)");
  }
}

std::uint8_t toCode8(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return static_cast<std::uint8_t>(std::lround(v * 255.0f));
}

std::uint16_t toCode16(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return kMax16;
  return static_cast<std::uint16_t>(std::lround(v * 32768.0f));
}

void Image::FreeDeleter::operator()(std::byte *p) const { freePixels(p, bytes); }

Image::Image(int width, int height, PixelDepth depth) : width_(width), height_(height), depth_(depth) {
  if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide)
    throw HostError("image size " + std::to_string(width) + "x" + std::to_string(height) +
                    " is outside 0.." + std::to_string(kMaxImageSide));
  rowBytes_ = (static_cast<std::size_t>(width) * bytesPerPixel(depth) + 15) / 16 * 16;
  std::size_t total = std::max<std::size_t>(rowBytes_ * static_cast<std::size_t>(height), 16);
  void *memory = allocatePixels(total);
  std::memset(memory, 0, total);
  pixels_ = {static_cast<std::byte *>(memory), FreeDeleter{total}};
}

Image::Image(const Image &other)
    : width_(other.width_), height_(other.height_), depth_(other.depth_), rowBytes_(other.rowBytes_) {
  // Every byte is copied over, so the new buffer is not cleared first.
  const std::size_t total = std::max<std::size_t>(rowBytes_ * static_cast<std::size_t>(height_), 16);
  void *memory = allocatePixels(total);
  if (other.pixels_)
    std::memcpy(memory, other.pixels_.get(), total);
  else
    std::memset(memory, 0, total);
  pixels_ = {static_cast<std::byte *>(memory), FreeDeleter{total}};
}

Image &Image::operator=(const Image &other) {
  if (this != &other) {
    Image copy(other);
    *this = std::move(copy);
  }
  return *this;
}

PixelF decodePixel(const std::byte *p, PixelDepth depth) {
  switch (depth) {
  case PixelDepth::Bits8: {
    auto c = reinterpret_cast<const std::uint8_t *>(p);
    return {fromCode8(c[0]), fromCode8(c[1]), fromCode8(c[2]), fromCode8(c[3])};
  }
  case PixelDepth::Bits16: {
    std::uint16_t c[4];
    std::memcpy(c, p, sizeof c);
    return {fromCode16(c[0]), fromCode16(c[1]), fromCode16(c[2]), fromCode16(c[3])};
  }
  case PixelDepth::Float32: {
    float c[4];
    std::memcpy(c, p, sizeof c);
    return {c[0], c[1], c[2], c[3]};
  }
  }
  return {};
}

void encodePixel(std::byte *p, PixelDepth depth, const PixelF &v) {
  switch (depth) {
  case PixelDepth::Bits8: {
    const std::uint8_t c[4] = {toCode8(v.alpha), toCode8(v.red), toCode8(v.green), toCode8(v.blue)};
    std::memcpy(p, c, sizeof c);
    break;
  }
  case PixelDepth::Bits16: {
    const std::uint16_t c[4] = {toCode16(v.alpha), toCode16(v.red), toCode16(v.green), toCode16(v.blue)};
    std::memcpy(p, c, sizeof c);
    break;
  }
  case PixelDepth::Float32: {
    const float c[4] = {v.alpha, v.red, v.green, v.blue};
    std::memcpy(p, c, sizeof c);
    break;
  }
  }
}

PixelF Image::pixel(int x, int y) const {
  return decodePixel(row(y) + static_cast<std::size_t>(x) * bytesPerPixel(depth_), depth_);
}

void Image::setPixel(int x, int y, const PixelF &v) {
  encodePixel(row(y) + static_cast<std::size_t>(x) * bytesPerPixel(depth_), depth_, v);
}

void Image::fill(const PixelF &v) {
  if (empty()) return;
  setPixel(0, 0, v);
  const std::size_t bpp = bytesPerPixel(depth_);
  for (int y = 0; y < height_; ++y) {
    std::byte *r = row(y);
    for (int x = (y == 0 ? 1 : 0); x < width_; ++x)
      std::memcpy(r + static_cast<std::size_t>(x) * bpp, data(), bpp);
  }
}

Image Image::convertedTo(PixelDepth depth) const {
  Image out(width_, height_, depth);
  if (depth == depth_) {
    std::memcpy(out.data(), data(), rowBytes_ * static_cast<std::size_t>(height_));
    return out;
  }
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.setPixel(x, y, pixel(x, y));
  return out;
}

std::shared_ptr<Image> atDepth(const std::shared_ptr<Image> &image, PixelDepth depth) {
  if (!image || image->depth() == depth) return image;
  return std::make_shared<Image>(image->convertedTo(depth));
}

bool Image::samePixels(const Image &other) const {
  if (width_ != other.width_ || height_ != other.height_ || depth_ != other.depth_) return false;
  const std::size_t used = static_cast<std::size_t>(width_) * bytesPerPixel(depth_);
  for (int y = 0; y < height_; ++y)
    if (std::memcmp(row(y), other.row(y), used) != 0) return false;
  return true;
}

} // namespace vlam::host
