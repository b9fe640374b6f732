// The passes that reshape one firing's light in the accumulation buffer
// before it is glowed and composited: a zoom motion blur along the shutter
// interval (before the sparks), a post scale about the instance's position
// (after them), the layer-mask occlusion and a defocus blur.
#pragma once
#include "AE_Effect.h"
#include "render/render_frame.h"

namespace vlam {

// Scales of the zoom blur's two ends: 1 + 0.2 x phase and
// 1 + 0.2 x (phase + angle), shutter angle and phase from the in-data as
// fractions of a frame. A shutter angle of 0.001 or less (the layer's motion
// blur off) is replaced by 0.125 with phase -0.0625, so there is always a blur.
struct ShutterScales {
  double start;
  double end;
  double larger;  // max(end, 1)
};
ShutterScales ComputeShutterScales(const PF_InData &in_data);

// The instance's layer position in accumulation-buffer pixels.
void ZoomCentre(const RenderFrame &frame, const InstanceRecord &instance, double &zx, double &zy);

// The host's row-vector matrix of a scale s about (cx, cy).
PF_FloatMatrix ScaleAboutMatrix(double s, double cx, double cy);

// Zoom blur of what has been drawn so far: the buffer spread by the host
// between the shutter's two scales ("MOTION_BLUR"). Nothing happens when
// nothing was drawn.
PF_Err MotionBlurPass(FiringContext &firing);

// Scales the firing by the instance's post scale about its position
// ("POST_SCALE"); a scale of exactly 1 makes no pass. Sets `current` to the
// scaled rectangle of light, grown by 10 pixels and clamped to the buffer.
PF_Err PostScalePass(FiringContext &firing, PF_Rect &current);

// Removes the light wherever the instance's layer mask covers the frame,
// feathered and weighted by the mask's opacity. No mask, a path that cannot
// be checked out and an open path leave the light as it is.
PF_Err MaskPass(FiringContext &firing);

// Blurs the light by the instance's defocus radius (box at low quality,
// Gaussian-like at high); grows `current` by the radius.
PF_Err DefocusPass(FiringContext &firing, PF_Rect &current);

}  // namespace vlam
