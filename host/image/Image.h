#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace vlam::host {

// Channel depth of an image as the effect API knows them: 8-bit (0-255),
// 16-bit (0-32768, the host's "deep" range) and 32-bit float (1.0 = white).
enum class PixelDepth { Bits8 = 8, Bits16 = 16, Float32 = 32 };

constexpr int kMaxImageSide = 30000;    // the largest layer or comp side accepted
constexpr std::uint16_t kMax16 = 32768; // white in 16-bit worlds

// One pixel as normalised floats, in the host's channel order.
struct PixelF {
  float alpha = 0, red = 0, green = 0, blue = 0;
  bool operator==(const PixelF &) const = default;
};

std::size_t bytesPerPixel(PixelDepth depth);
PixelDepth pixelDepthFromBits(int bits); // throws HostError for anything but 8, 16, 32

// What a new image's pixels hold: zero (transparent black), or whatever its
// memory held before, for an image whose every pixel is written next.
enum class ImageStart { Cleared, Undefined };

// A host-owned image: interleaved alpha, red, green, blue per pixel (the
// layout of PF_Pixel, PF_Pixel16 and PF_PixelFloat), premultiplied, rows
// padded to 16 bytes. Pixels start zeroed (transparent black) unless asked
// otherwise.
class Image {
public:
  Image() = default;
  Image(int width, int height, PixelDepth depth, ImageStart start = ImageStart::Cleared);
  Image(const Image &other);
  Image &operator=(const Image &other);
  Image(Image &&) noexcept = default;
  Image &operator=(Image &&) noexcept = default;

  int width() const { return width_; }
  int height() const { return height_; }
  PixelDepth depth() const { return depth_; }
  std::size_t rowBytes() const { return rowBytes_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  std::byte *data() { return pixels_.get(); }
  const std::byte *data() const { return pixels_.get(); }
  std::byte *row(int y) { return pixels_.get() + rowBytes_ * static_cast<std::size_t>(y); }
  const std::byte *row(int y) const { return pixels_.get() + rowBytes_ * static_cast<std::size_t>(y); }

  PixelF pixel(int x, int y) const;
  void setPixel(int x, int y, const PixelF &p);
  void fill(const PixelF &p);

  // The same picture at another depth (values clamped and rounded to the
  // nearest code value when narrowing).
  Image convertedTo(PixelDepth depth) const;

  // True when size, depth and every pixel's bytes agree (row padding ignored).
  bool samePixels(const Image &other) const;

private:
  struct FreeDeleter {
    std::size_t bytes; // as allocated (set with the pointer)
    void operator()(std::byte *p) const;
  };
  int width_ = 0;
  int height_ = 0;
  PixelDepth depth_ = PixelDepth::Bits8;
  std::size_t rowBytes_ = 0;
  std::unique_ptr<std::byte[], FreeDeleter> pixels_;
};

// Rounds a non-negative value below 2^23 to the nearest integer, halves
// away from zero: what std::lround gives for such values, without the
// library call.
inline int roundHalfUp(float v) {
  const int whole = static_cast<int>(v);
  return whole + (v - static_cast<float>(whole) >= 0.5f ? 1 : 0);
}

// `image` itself when it is at `depth`, else a converted copy.
std::shared_ptr<Image> atDepth(const std::shared_ptr<Image> &image, PixelDepth depth);

// Conversions between normalised floats and code values, shared by every
// place the host narrows or widens pixels.
inline std::uint8_t toCode8(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 255;
  return static_cast<std::uint8_t>(roundHalfUp(v * 255.0f));
}
inline std::uint16_t toCode16(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return kMax16;
  return static_cast<std::uint16_t>(roundHalfUp(v * 32768.0f));
}
inline float fromCode8(std::uint8_t v) { return static_cast<float>(v) / 255.0f; }
inline float fromCode16(std::uint16_t v) { return static_cast<float>(v) / 32768.0f; }

// One pixel's bytes at a depth, to and from normalised floats.
PixelF decodePixel(const std::byte *p, PixelDepth depth);
void encodePixel(std::byte *p, PixelDepth depth, const PixelF &v);

} // namespace vlam::host
