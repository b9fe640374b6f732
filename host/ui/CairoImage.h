#pragma once
#include "host/image/Image.h"

#include <cairo.h>

#include <memory>

namespace vlam::host {

struct CairoSurfaceDeleter {
  void operator()(cairo_surface_t *s) const { cairo_surface_destroy(s); }
};
struct CairoDeleter {
  void operator()(cairo_t *c) const { cairo_destroy(c); }
};
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using Cairo = std::unique_ptr<cairo_t, CairoDeleter>;

// An ARGB32 image surface (throws HostError when cairo cannot make it).
CairoSurface newCairoSurface(int width, int height);
// An 8-bit host image of a surface's pixels, and the other way round.
Image imageFromCairo(cairo_surface_t *surface);
CairoSurface cairoFromImage(const Image &image);

} // namespace vlam::host
