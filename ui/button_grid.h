// A block of equal buttons laid out in rows inside a custom control, and the
// hit test that goes with it. Built afresh for every event from the
// control's current frame.
#pragma once
#include <vector>

#include "AE_Effect.h"

namespace vlam {

struct GridButton {
  A_long index;
  float x, y;  // top left, on the half pixel so one-pixel lines are crisp
  float width, height;
};

struct ButtonGridSetup {
  float width;          // total width the buttons share
  A_long rows;          // buttons fill a row before starting the next
  float spacing;        // gap around and between buttons
  float button_height;
};

class ButtonGrid {
 public:
  ButtonGrid(float origin_x, float origin_y, const ButtonGridSetup &setup, A_long count);

  const std::vector<GridButton> &buttons() const { return buttons_; }
  float button_width() const { return button_width_; }
  // The first button whose rectangle holds the point, edges included; -1
  // for none.
  A_long HitTest(A_long x, A_long y) const;
  // The button's rectangle with each edge truncated toward zero; an empty
  // rectangle for an index that names no button.
  PF_Rect InvalidationRect(A_long index) const;

 private:
  float button_width_ = 0.0f;
  std::vector<GridButton> buttons_;
};

}  // namespace vlam
