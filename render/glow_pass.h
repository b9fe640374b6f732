// The four-layer glow of one firing: the light of the current rectangle is
// reduced, blurred four times with growing radii and falling brightness, and
// each blurred layer is added back into the accumulation buffer by the host.
#pragma once
#include "AE_Effect.h"
#include "render/render_frame.h"

namespace vlam {

// The first layer's brightness for "Glow Radius" and "Glow Brightness"
// (percent): brightness x 0.004, eased in below a radius of 20 so that a
// radius of 10 gives 0.75 of it.
double GlowStartBrightness(double radius, double brightnessPercent);

// Adds the glow of the light inside `current` to the buffer and grows
// `current` by the glow's margin (not clamped). Nothing is done, and no
// buffer made, for a radius or brightness of 0 or less or an empty rectangle.
PF_Err GlowPass(FiringContext &firing, double radius, double brightnessPercent, PF_Rect &current);

}  // namespace vlam
