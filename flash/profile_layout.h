// Where the parts of a profile parameter's control sit in the effect
// controls panel: the curve area (its top edge follows the diameter), the
// strip of five preset buttons under it and the diameter handle's column to
// its right. Also the petal buttons' layout.
#pragma once
#include "AE_Effect.h"
#include "ui/button_grid.h"

namespace vlam {

struct PixelRect {
  A_long left, top, right, bottom;
  bool Contains(A_long x, A_long y) const {
    return left <= x && x <= right && top <= y && y <= bottom;
  }
};

// Marker stored as the drag reference while the diameter handle is dragged.
inline constexpr A_intptr_t kHandleDragMarker = 9999;

struct ProfileLayout {
  double sigma;  // diameter scale, 0.5 to 1
  PixelRect curve;
  PixelRect presets;
  PixelRect handle_column;

  // (left, top) is the control's top left; `diameter` the profile's hidden
  // "Diameter" value.
  ProfileLayout(A_long left, A_long top, double diameter);

  // Curve units of a panel point, each clamped to [0, 1].
  double CurveX(A_long x) const;
  double CurveY(A_long y) const;
  // Panel position of a curve point, on the half pixel.
  float PanelX(double x) const;
  float PanelY(double y) const;
  // Height within the handle column, 0 at its bottom to 1 at its top, clamped.
  double HandleFraction(A_long y) const;
  // Vertical centre of the drawn handle; it follows the curve area's top.
  double HandleCentreY() const { return handle_column.top + (1.0 - sigma) * 65.0; }

  ButtonGrid PresetButtons() const;
};

// The handle's position for a diameter (0 at 0.3, 1 at 1), and the diameter
// of a handle position.
double HandleFromDiameter(double diameter);
double DiameterFromHandle(double fraction);

// The eight petal buttons from the control's top left: drawn over 324
// pixels, hit-tested over 326.
ButtonGrid PetalButtons(A_long left, A_long top, bool for_clicks);

}  // namespace vlam
