// The composition camera and pixel aspect as the host reports them for one
// effect at its current time.
#pragma once
#include "AE_Effect.h"
#include "frame/comp_camera.h"

namespace vlam {

// Pixel aspect ratio of the composition that holds the effect's layer; 1 when
// it cannot be read (the host's error, if any, goes to *err). A missing suite
// throws A_Err_MISSING_SUITE.
double GetCompPixelAspect(const PF_InData *in_data, A_Err *err = nullptr);

// The camera for in_data's current time: the comp camera layer's matrix and
// lens when there is one, the host's default camera otherwise. Whatever could
// not be read keeps its default; the host's first error goes to *err, and a
// render must then fail rather than draw through the wrong camera (drawing
// controls may go on). A missing suite throws A_Err_MISSING_SUITE.
CompCamera BuildCompCamera(const PF_InData *in_data, A_Err *err = nullptr);

}  // namespace vlam
