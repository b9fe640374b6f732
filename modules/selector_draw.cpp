// Painting the Module Selector's buttons.
#include "frame/scoped_suite.h"
#include "modules/selector_events.h"
#include "modules/selector_rows.h"
#include "modules/selector_state_lock.h"
#include "ui/app_color.h"
#include "ui/drawbot_objects.h"
#include "ui/drawing_target.h"
#include "ui/utf16_text.h"

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

DRAWBOT_ColorRGBA AppColor(const PF_InData *in_data, PF_App_ColorType type) {
  DRAWBOT_ColorRGBA color{};
  // A colour the host cannot give stays black; the buttons are drawn anyway.
  static_cast<void>(GetAppColor(in_data, type, &color));
  return color;
}

PF_Err DrawButton(const DrawbotSuites &suites, const DrawingTarget &target,
                  const SelectorBrushes &brushes, const DRAWBOT_FontP &font,
                  const GridButton &button, const SelectorButtonState &pair, const char *label) {
  DRAWBOT_PathP path(suites.supplier_suiteP, target.supplier);
  const DRAWBOT_RectF32 rect{button.x, button.y, button.width, button.height};
  PF_Err err = suites.path_suiteP->AddRect(path.get(), &rect);
  const bool hovered = pair.state == 1 && pair.index == button.index;
  const bool pressed = pair.state == 2 && pair.index == button.index;
  if (err == PF_Err_NONE) {
    err = suites.surface_suiteP->FillPath(target.surface,
                                         (hovered ? brushes.hover_face : brushes.face).get(),
                                         path.get(), kDRAWBOT_FillType_Winding);
  }
  if (err == PF_Err_NONE) {
    const auto text = Utf16Text(label);
    const DRAWBOT_PointF32 origin{button.x + button.width * 0.5f,
                                  button.y + button.height * 0.5f + 5.0f};
    // The label's own result is not the event's: a missing label leaves a
    // usable button.
    static_cast<void>(suites.surface_suiteP->DrawString(
        target.surface, (pressed ? brushes.pressed_label : brushes.label).get(), font.get(),
        text.data(), &origin, kDRAWBOT_TextAlignment_Center, kDRAWBOT_TextTruncation_None, 32.0f));
  }
  path.Release();
  return err;
}

}  // namespace

PF_Err SelectorDraw(PF_InData *in_data, PF_OutData *out_data, PF_EventExtra *event) {
  const ScopedDrawbotSuites suites(in_data, out_data);
  if (suites.error() != PF_Err_NONE) {
    return suites.error();
  }
  const DRAWBOT_ColorRGBA face = AppColor(in_data, kFaceColor);
  const DRAWBOT_ColorRGBA hover_face = AppColor(in_data, kHoverFaceColor);
  const DRAWBOT_ColorRGBA label = AppColor(in_data, kLabelColor);
  const DRAWBOT_ColorRGBA pressed_label = AppColor(in_data, kPressedLabelColor);
  const DrawingTarget target = GetDrawingTarget(in_data, suites.get(), event->contextH);

  LockedSelectorState locked(in_data);
  SelectorState &state = locked.get();

  PF_Err err = target.err;
  const PF_ParamIndex param = event->effect_win.index;
  const SelectorRow *row = SelectorRowOf(param);
  // Without a surface there is nothing to draw into.
  if (target.ok() && row != nullptr) {
    const DRAWBOT_SupplierSuite1 *supplier = suites->supplier_suiteP;
    const SelectorBrushes brushes{DRAWBOT_BrushP(supplier, target.supplier, face),
                                  DRAWBOT_BrushP(supplier, target.supplier, hover_face),
                                  DRAWBOT_BrushP(supplier, target.supplier, label),
                                  DRAWBOT_BrushP(supplier, target.supplier, pressed_label)};
    const DRAWBOT_FontP font(supplier, target.supplier, kLabelFontSize);
    const ButtonGrid grid = LayOutSelectorRow(event->effect_win, *row);
    const SelectorButtonState pair = SelectorPairOf(state, param);
    for (const GridButton &button : grid.buttons()) {
      err = DrawButton(suites.get(), target, brushes, font, button, pair,
                       row->labels[button.index]);
      if (err != PF_Err_NONE) {
        break;
      }
    }
  }
  event->evt_out_flags = PF_EO_HANDLED_EVENT;
  return err;
}

}  // namespace vlam
