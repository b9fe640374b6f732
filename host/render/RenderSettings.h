#pragma once
#include "host/image/Image.h"

#include <AE_Effect.h>

namespace vlam::host {

// How a frame is rendered: the pixel depth of every buffer, the quality
// flag effects see, and the downsample factor (1 = full resolution, 2 = half
// in both directions, ...).
struct RenderSettings {
  PixelDepth depth = PixelDepth::Bits8;
  PF_Quality quality = PF_Quality_HI;
  int downsample = 1;

  // Size of a full-resolution extent at this downsample factor (rounded up).
  int scaled(int fullSize) const { return (fullSize + downsample - 1) / downsample; }
};

} // namespace vlam::host
