#include "host/image/Image.h"

#include "host/HostError.h"
#include "host/image/PixelAccess.h"
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

void Image::FreeDeleter::operator()(std::byte *p) const { freePixels(p, bytes); }

Image::Image(int width, int height, PixelDepth depth, ImageStart start)
    : width_(width), height_(height), depth_(depth) {
  if (width < 0 || height < 0 || width > kMaxImageSide || height > kMaxImageSide)
    throw HostError("image size " + std::to_string(width) + "x" + std::to_string(height) +
                    " is outside 0.." + std::to_string(kMaxImageSide));
  rowBytes_ = (static_cast<std::size_t>(width) * bytesPerPixel(depth) + 15) / 16 * 16;
  std::size_t total = std::max<std::size_t>(rowBytes_ * static_cast<std::size_t>(height), 16);
  void *memory = allocatePixels(total);
  pixels_ = {static_cast<std::byte *>(memory), FreeDeleter{total}};
  if (start == ImageStart::Cleared) {
    std::memset(memory, 0, total);
    return;
  }
  // Bytes no pixel covers are still cleared, so every byte of an image
  // depends only on what was written into it.
  const std::size_t used = static_cast<std::size_t>(width) * bytesPerPixel(depth);
  if (used < rowBytes_)
    for (int y = 0; y < height; ++y) std::memset(row(y) + used, 0, rowBytes_ - used);
  const std::size_t rows = rowBytes_ * static_cast<std::size_t>(height);
  if (rows < total) std::memset(data() + rows, 0, total - rows);
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
  return withDepth(depth, [&](auto d) { return CodecOf<decltype(d)>::load(p); });
}

void encodePixel(std::byte *p, PixelDepth depth, const PixelF &v) {
  withDepth(depth, [&](auto d) { CodecOf<decltype(d)>::store(p, v); });
}

PixelF Image::pixel(int x, int y) const {
  return decodePixel(row(y) + static_cast<std::size_t>(x) * bytesPerPixel(depth_), depth_);
}

void Image::setPixel(int x, int y, const PixelF &v) {
  encodePixel(row(y) + static_cast<std::size_t>(x) * bytesPerPixel(depth_), depth_, v);
}

void Image::fill(const PixelF &v) {
  if (empty()) return;
  // The first row pixel by pixel, every other row a copy of it.
  withDepth(depth_, [&](auto d) {
    using Codec = CodecOf<decltype(d)>;
    std::byte *first = row(0);
    Codec::store(first, v);
    for (int x = 1; x < width_; ++x) std::memcpy(first + static_cast<std::size_t>(x) * Codec::kBytes, first, Codec::kBytes);
  });
  const std::size_t used = static_cast<std::size_t>(width_) * bytesPerPixel(depth_);
  for (int y = 1; y < height_; ++y) std::memcpy(row(y), row(0), used);
}

Image Image::convertedTo(PixelDepth depth) const {
  Image out(width_, height_, depth, ImageStart::Undefined);
  if (depth == depth_) {
    std::memcpy(out.data(), data(), rowBytes_ * static_cast<std::size_t>(height_));
    return out;
  }
  withDepth(depth_, [&](auto from) {
    withDepth(depth, [&](auto to) {
      using In = CodecOf<decltype(from)>;
      using Out = CodecOf<decltype(to)>;
      for (int y = 0; y < height_; ++y) {
        const std::byte *in = row(y);
        std::byte *o = out.row(y);
        for (int x = 0; x < width_; ++x) Out::store(o + x * Out::kBytes, In::load(in + x * In::kBytes));
      }
    });
  });
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
