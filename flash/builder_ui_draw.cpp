// PF_Event_DRAW for the builder's controls, and its colours.
#include "flash/builder_drawing.h"
#include "flash/builder_params.h"
#include "flash/builder_ui_events.h"
#include "ui/app_color.h"
#include "ui/flash_colors.h"

namespace vlam {
namespace {

constexpr double kBrighten = 1.42;

// The strip in the colour of the builder's "Flash Identifier".
void DrawIdentifierStrip(Painter &painter, PF_ParamDef *params[], const PF_EventExtra &event) {
  DRAWBOT_ColorRGBA color{};
  if (FlashColorOf(PopupValueOf(params, kBuilderFlashIdentifier), &color)) {
    painter.PaintRect(color, TitleStripRect(event.effect_win.current_frame));
  }
}

}  // namespace

BuilderPalette BuilderPaletteFromHost(const PF_InData *in_data) {
  const DRAWBOT_ColorRGBA panel = DrawingAppColor(in_data, 1);
  return BuilderPalette{panel, ScaleColor(panel, kBrighten),
                        ScaleColor(DrawingAppColor(in_data, 15), kBrighten),
                        DrawingAppColor(in_data, 9)};
}

PF_Err BuilderDraw(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                   PF_EventExtra *event) {
  const ScopedDrawbotSuites suites(in_data, out_data);
  if (suites.error() != PF_Err_NONE) {
    return suites.error();
  }
  const DrawingTarget target = GetDrawingTarget(in_data, suites.get(), event->contextH);
  Painter painter(suites.get(), target);
  const PF_ParamIndex param = event->effect_win.index;
  if (painter.ok()) {
    if (param == kBuilderIdentifierStrip) {
      DrawIdentifierStrip(painter, params, *event);
    } else if (const ProfileControl *control = ProfileControlOf(param)) {
      DrawProfileControl(painter, BuilderPaletteFromHost(in_data), in_data, params, *event,
                         *control);
    } else if (param == kBuilderPetalConfiguration) {
      DrawPetalControl(painter, BuilderPaletteFromHost(in_data), in_data, params, *event);
    }
  }
  event->evt_out_flags = PF_EO_HANDLED_EVENT;
  return painter.error();
}

}  // namespace vlam
