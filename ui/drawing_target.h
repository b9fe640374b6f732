// What a draw handler paints into: the drawing reference of the event's
// context, its supplier and its surface.
#pragma once
#include "AE_EffectSuites.h"
#include "ui/drawbot_suites.h"

namespace vlam {

struct DrawingTarget {
  DRAWBOT_DrawRef draw_ref = nullptr;
  DRAWBOT_SupplierRef supplier = nullptr;
  DRAWBOT_SurfaceRef surface = nullptr;
  PF_Err err = PF_Err_NONE;  // first failing call; the rest were skipped
  bool ok() const { return err == PF_Err_NONE; }
};

// PF_GetDrawingReference ("PF Effect Custom UI Suite" v1), then GetSupplier
// and GetSurface, each only while the earlier calls succeeded. A refused
// custom-UI suite throws A_Err_MISSING_SUITE.
DrawingTarget GetDrawingTarget(const PF_InData *in_data, const DrawbotSuites &suites,
                               PF_ContextH context);

}  // namespace vlam
