// The passes that finish each firing of the Render effect: zoom motion blur
// before the sparks; post scale, mask, defocus, glow, compositing into the
// output in the chosen mode, and grain after them.
#pragma once
#include "render/render_frame.h"

namespace vlam {

class FinishingPasses : public FiringPasses {
 public:
  PF_Err BeforeSparks(FiringContext &firing) override;
  PF_Err AfterSparks(FiringContext &firing) override;
};

// The last step of a firing: the light inside `current` composited into the
// frame's output with "Compositing Mode", "Max Brightness" and "Grain Mix".
// A float "Grain Layer" gives grain only in float outputs.
PF_Err CompositeFiring(FiringContext &firing, const PF_Rect &current);

}  // namespace vlam
