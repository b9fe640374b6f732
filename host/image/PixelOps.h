#pragma once
#include "host/image/Image.h"
#include "host/image/WorldTable.h"

#include <AE_Effect.h>

#include <optional>

namespace vlam::host {

// Reads and writes one pixel of a checked buffer as normalised floats.
PixelF readPixel(const WorldView &view, int x, int y);
void writePixel(const WorldView &view, int x, int y, const PixelF &p);

// The rectangle `rect` (whole buffer when null) clipped to the buffer;
// nullopt when the rectangle is malformed (right < left or bottom < top).
std::optional<PF_Rect> clipRect(const WorldView &view, const PF_Rect *rect);

// Copies src_rect of `src` onto dst_rect of `dst` (whole buffers when null).
// Equal sizes copy exactly (converting depth when the buffers differ);
// different sizes resample bilinearly, pixel centres mapped onto pixel
// centres. False for malformed rectangles.
bool copyPixels(const WorldView &src, const PF_Rect *srcRect, const WorldView &dst, const PF_Rect *dstRect);

// Fills the rectangle (whole buffer when null) with one colour.
bool fillPixels(const WorldView &dst, const PF_Rect *rect, const PixelF &color);

// "Over" with premultiplied pixels: the layer's (0, 0) goes to (left, top)
// of the destination; parts outside are clipped.
void compositeOver(const Image &layer, Image &dst, int left, int top);
// The same onto a destination taken as transparent black whatever it holds
// (a new image not yet cleared): every pixel of it is written.
void compositeOverClear(const Image &layer, Image &dst, int left, int top);
// The image made what compositeOverClear would make of it at its own size,
// in place.
void compositeOntoClear(Image &image);

// Scales an image to a new size (bilinear, pixel centres aligned).
Image resampled(const Image &src, int width, int height);

} // namespace vlam::host
