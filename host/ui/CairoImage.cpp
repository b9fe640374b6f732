#include "host/ui/CairoImage.h"

#include "host/HostError.h"

#include <cstring>

namespace vlam::host {

CairoSurface newCairoSurface(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
    throw HostError("cannot draw a picture of " + std::to_string(width) + " x " + std::to_string(height));
  CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) throw HostError("cairo cannot make a picture surface");
  return s;
}

// Both hold premultiplied colour; cairo keeps a pixel as one native 32-bit
// word 0xAARRGGBB, the host's 8-bit image as the bytes alpha, red, green, blue.
Image imageFromCairo(cairo_surface_t *surface) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char *data = cairo_image_surface_get_data(surface);
  Image image(w, h, PixelDepth::Bits8);
  for (int y = 0; y < h; ++y) {
    auto *out = reinterpret_cast<std::uint8_t *>(image.row(y));
    for (int x = 0; x < w; ++x) {
      std::uint32_t v;
      std::memcpy(&v, data + static_cast<std::size_t>(y) * stride + x * 4, 4);
      out[x * 4 + 0] = static_cast<std::uint8_t>(v >> 24);
      out[x * 4 + 1] = static_cast<std::uint8_t>(v >> 16);
      out[x * 4 + 2] = static_cast<std::uint8_t>(v >> 8);
      out[x * 4 + 3] = static_cast<std::uint8_t>(v);
    }
  }
  return image;
}

CairoSurface cairoFromImage(const Image &source) {
  const Image image = source.convertedTo(PixelDepth::Bits8);
  CairoSurface surface = newCairoSurface(image.width(), image.height());
  cairo_surface_flush(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  unsigned char *data = cairo_image_surface_get_data(surface.get());
  for (int y = 0; y < image.height(); ++y) {
    const auto *in = reinterpret_cast<const std::uint8_t *>(image.row(y));
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t v = static_cast<std::uint32_t>(in[x * 4]) << 24 | static_cast<std::uint32_t>(in[x * 4 + 1]) << 16 |
                              static_cast<std::uint32_t>(in[x * 4 + 2]) << 8 | in[x * 4 + 3];
      std::memcpy(data + static_cast<std::size_t>(y) * stride + x * 4, &v, 4);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

} // namespace vlam::host
