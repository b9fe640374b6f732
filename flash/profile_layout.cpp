#include "flash/profile_layout.h"

#include <algorithm>

namespace vlam {
namespace {

constexpr double kCurveAreaHeight = 65.0;  // at full diameter
constexpr A_long kCurveAreaWidth = 286;
constexpr A_long kPanelWidth = 326;

double DiameterScale(double diameter) {
  if (diameter < 0.3) {
    return 0.5;
  }
  return std::min(1.0, (diameter - 0.3) * 0.7142857142857143 + 0.5);
}

}  // namespace

ProfileLayout::ProfileLayout(A_long left, A_long top, double diameter)
    : sigma(DiameterScale(diameter)) {
  curve.left = left + 10;
  curve.right = curve.left + kCurveAreaWidth;
  curve.top = static_cast<A_long>(top + 13 + (1.0 - sigma) * kCurveAreaHeight);
  curve.bottom = static_cast<A_long>(curve.top + sigma * kCurveAreaHeight - 3.0);
  presets = PixelRect{left, curve.bottom + 5, left + kPanelWidth, curve.bottom + 45};
  handle_column.left = curve.right + 10;
  handle_column.right = handle_column.left + 20;
  handle_column.top = top + 10;
  handle_column.bottom = static_cast<A_long>(handle_column.top + 32.5);
}

double ProfileLayout::CurveX(A_long x) const {
  return std::clamp(static_cast<double>(x - curve.left) / (curve.right - curve.left), 0.0, 1.0);
}

double ProfileLayout::CurveY(A_long y) const {
  return std::clamp(static_cast<double>(curve.bottom - y) / (curve.bottom - curve.top), 0.0, 1.0);
}

float ProfileLayout::PanelX(double x) const {
  return static_cast<float>(curve.left + x * (curve.right - curve.left) + 0.5);
}

float ProfileLayout::PanelY(double y) const {
  return static_cast<float>(curve.bottom - y * (curve.bottom - curve.top) + 0.5);
}

double ProfileLayout::HandleFraction(A_long y) const {
  return std::clamp(static_cast<double>(handle_column.bottom - y) /
                        (handle_column.bottom - handle_column.top),
                    0.0, 1.0);
}

ButtonGrid ProfileLayout::PresetButtons() const {
  return ButtonGrid(static_cast<float>(presets.left), static_cast<float>(presets.top),
                    ButtonGridSetup{static_cast<float>(kPanelWidth), 1, 5.0f, 30.0f}, 5);
}

double HandleFromDiameter(double diameter) {
  return std::clamp((diameter - 0.3) * 1.4285714285714286, 0.0, 1.0);
}

double DiameterFromHandle(double fraction) { return (1.0 - fraction) * 0.3 + fraction; }

ButtonGrid PetalButtons(A_long left, A_long top, bool for_clicks) {
  const float width = for_clicks ? 326.0f : 324.0f;
  return ButtonGrid(static_cast<float>(left), static_cast<float>(top),
                    ButtonGridSetup{width, 2, 5.0f, 52.5f}, 8);
}

}  // namespace vlam
