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

// The depth an effect renders at when the frame is rendered at `frame`: the
// host hands 16-bit worlds only to effects that set
// PF_OutFlag_DEEP_COLOR_AWARE, and float worlds only to smart-render effects
// that set PF_OutFlag2_FLOAT_COLOR_AWARE; any other effect gets the deepest
// it declared (8-bit at least), and its result is converted back.
inline PixelDepth effectDepth(PixelDepth frame, PF_OutFlags outFlags, PF_OutFlags2 outFlags2) {
  const bool deep = (outFlags & PF_OutFlag_DEEP_COLOR_AWARE) != 0;
  const bool floating = (outFlags2 & PF_OutFlag2_FLOAT_COLOR_AWARE) && (outFlags2 & PF_OutFlag2_SUPPORTS_SMART_RENDER);
  if (frame == PixelDepth::Float32 && floating) return frame;
  if (frame != PixelDepth::Bits8 && deep) return PixelDepth::Bits16;
  return PixelDepth::Bits8;
}

} // namespace vlam::host
