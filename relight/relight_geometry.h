// Sizes and scales of the reduced light buffer, from the in-data.
#pragma once
#include "AE_Effect.h"

namespace vlam {

struct RelightGeometry {
  double pixelAspect;   // layer pixel aspect a
  double downsample;    // d, the horizontal downsample denominator
  double scale;         // s = 1 / d
  double bufferScale;   // k: 0.25 at high quality, 0.1 otherwise
  double halfWidth;     // layer width x 0.5
  double halfHeight;    // layer height x 0.5
  A_long bufferWidth;   // "RELIGHT_FLASH"
  A_long bufferHeight;
};

// The numerator of the downsample factor is taken as 1. Ratios with a zero
// denominator count as 1, and the buffer is at least one pixel each way so
// that a tiny layer still gets a buffer the host can make and scale.
RelightGeometry ComputeRelightGeometry(const PF_InData &in_data);

}  // namespace vlam
