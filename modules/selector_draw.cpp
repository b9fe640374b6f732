// Painting the Module Selector's buttons.
#include "frame/scoped_suite.h"
#include "modules/selector_events.h"
#include "modules/selector_rows.h"
#include "modules/selector_state_lock.h"
#include "ui/app_color.h"
#include "ui/drawbot_objects.h"
#include "ui/drawing_target.h"
#include "ui/painter.h"

namespace vlam {
namespace {

// Host interface colours of the buttons.
constexpr PF_App_ColorType kFaceColor = 15;
constexpr PF_App_ColorType kHoverFaceColor = 14;
constexpr PF_App_ColorType kLabelColor = 9;
constexpr PF_App_ColorType kPressedLabelColor = 56;
constexpr float kLabelFontSize = 11.0f;

struct SelectorBrushes {
  DRAWBOT_BrushP face, hover_face, label, pressed_label;
};

void DrawButton(Painter &painter, const SelectorBrushes &brushes, const DRAWBOT_FontP &font,
                const GridButton &button, const SelectorButtonState &pair, const char *label) {
  const bool hovered = pair.state == 1 && pair.index == button.index;
  const bool pressed = pair.state == 2 && pair.index == button.index;
  DRAWBOT_PathP path = painter.Path();
  painter.AddRect(path, DRAWBOT_RectF32{button.x, button.y, button.width, button.height});
  painter.Fill(hovered ? brushes.hover_face : brushes.face, path);
  painter.DrawString(pressed ? brushes.pressed_label : brushes.label, font, label,
                     DRAWBOT_PointF32{button.x + button.width * 0.5f,
                                      button.y + button.height * 0.5f + 5.0f},
                     kDRAWBOT_TextAlignment_Center, 32.0f);
  path.Release();
}

}  // namespace

PF_Err SelectorDraw(PF_InData *in_data, PF_OutData *out_data, PF_EventExtra *event) {
  const ScopedDrawbotSuites suites(in_data, out_data);
  if (suites.error() != PF_Err_NONE) {
    return suites.error();
  }
  const DRAWBOT_ColorRGBA face = DrawingAppColor(in_data, kFaceColor);
  const DRAWBOT_ColorRGBA hover_face = DrawingAppColor(in_data, kHoverFaceColor);
  const DRAWBOT_ColorRGBA label = DrawingAppColor(in_data, kLabelColor);
  const DRAWBOT_ColorRGBA pressed_label = DrawingAppColor(in_data, kPressedLabelColor);
  const DrawingTarget target = GetDrawingTarget(in_data, suites.get(), event->contextH);

  LockedSelectorState locked(in_data);
  SelectorState &state = locked.get();

  Painter painter(suites.get(), target);
  const PF_ParamIndex param = event->effect_win.index;
  const SelectorRow *row = SelectorRowOf(param);
  // Without a surface there is nothing to draw into.
  if (painter.ok() && row != nullptr) {
    const SelectorBrushes brushes{painter.Brush(face), painter.Brush(hover_face),
                                  painter.Brush(label), painter.Brush(pressed_label)};
    const DRAWBOT_FontP font = painter.Font(kLabelFontSize);
    const ButtonGrid grid = LayOutSelectorRow(event->effect_win, *row);
    const SelectorButtonState pair = SelectorPairOf(state, param);
    for (const GridButton &button : grid.buttons()) {
      DrawButton(painter, brushes, font, button, pair, row->labels[button.index]);
    }
  }
  event->evt_out_flags = PF_EO_HANDLED_EVENT;
  return painter.error();
}

}  // namespace vlam
