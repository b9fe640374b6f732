// Values the Render effect computes once per frame, before its instance loop.
#pragma once
#include "AE_Effect.h"

namespace vlam {

struct FrameValues {
  double pixelAspect;  // layer pixel aspect ratio
  double downsample;   // 1 / the smaller downsample denominator (the finer axis)
  double centreX;      // layer centre, layer pixels
  double centreY;
  A_long worldWidth;   // accumulation buffer size
  A_long worldHeight;
};

// From the in-data. Ratios with a zero denominator (which a host should never
// send) count as 1 instead of dividing by zero.
FrameValues ComputeFrameValues(const PF_InData &in_data);

// The displacement evolution: speed x the frame number (current time divided
// by the time step, in whole steps); a zero time step counts as frame 0.
double FrameEvolution(const PF_InData &in_data, double evolutionSpeed);

// The iteration count for the host's threads: its own count, or -1 (once
// per processor) when it reports fewer than one.
A_long RenderThreadCount(A_long hostThreads);

}  // namespace vlam
