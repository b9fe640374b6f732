#pragma once
#include "host/image/WorldTable.h"
#include "host/project/LayerMask.h"

#include <AE_Effect.h>

namespace vlam::host {

class ThreadPool;

struct MatteLook {
  double featherX = 0, featherY = 0; // width of the soft edge in buffer pixels, centred on the outline
  bool invert = false;
  float opacity = 1.0f;
  bool highQuality = true;           // more sub-rows per pixel row
};

// The outline with every Bezier segment cut into short straight pieces (at
// most about a pixel apart), in the shape's coordinates. Empty for an open
// shape or one with fewer than two vertices: open outlines enclose nothing.
std::vector<std::pair<double, double>> flattenOutline(const MaskShape &shape);

// Writes the matte of `shape` (already in buffer pixels) into `area` of
// `dst`: coverage antialiased horizontally exactly and vertically by
// sub-rows (non-zero winding), softened by the feather (three box passes per
// axis approximating a Gaussian whose spread is a quarter of the feather),
// inverted if asked, times the opacity. Each pixel gets the matte value in
// all four channels (white, premultiplied). Pixels outside `area` are left
// alone; the outline outside the area still counts for the feather.
void rasterMatte(const MaskShape &shape, const MatteLook &look, const WorldView &dst, const PF_Rect &area,
                 ThreadPool &pool);

} // namespace vlam::host
