// Drawing a curve editor: curve area, curve, dashed full-diameter line,
// diameter handle and preset strip.
#include "AE_EffectCBSuites.h"
#include "flash/builder_drawing.h"
#include "flash/curve_editing.h"
#include "flash/profile_layout.h"
#include "frame/scoped_suite.h"

namespace vlam {
namespace {

constexpr float kPointRadius = 3.0f;

DRAWBOT_RectF32 RectOf(const PixelRect &r) {
  return DRAWBOT_RectF32{static_cast<float>(r.left), static_cast<float>(r.top),
                         static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top)};
}

int PointsOf(const ShapeCurve &curve) { return curve.count < kShapeCurveMaxPoints ? curve.count : kShapeCurveMaxPoints; }

// The line the curve area's top reaches at full diameter, dashed: the width
// is cut into trunc(width / 3 + 1) equal steps, drawn and skipped in turn.
void DrawFullDiameterLine(Painter &painter, const BuilderPalette &palette,
                          const ProfileLayout &layout) {
  const double width = layout.curve.right - layout.curve.left;
  const int steps = static_cast<int>(width / 3.0 + 1.0);
  const double step = width / steps;
  const float y = static_cast<float>(layout.curve.top - 3) + 0.5f;
  const DRAWBOT_PathP path = painter.Path();
  for (int i = 0; i < steps; i += 2) {
    painter.MoveTo(path, static_cast<float>(layout.curve.left + i * step), y);
    painter.LineTo(path, static_cast<float>(layout.curve.left + (i + 1) * step), y);
  }
  painter.Stroke(painter.Pen(palette.guide, 1.0f), path);
}

void DrawCurve(Painter &painter, const ProfileLayout &layout, const ShapeCurve &curve) {
  const int count = PointsOf(curve);
  if (count == 0) {
    return;
  }
  const DRAWBOT_PathP line = painter.Path();
  const DRAWBOT_PathP marks = painter.Path();
  for (int i = 0; i < count; ++i) {
    const float x = layout.PanelX(curve.points[i].x);
    const float y = layout.PanelY(curve.points[i].y);
    if (i == 0) {
      painter.MoveTo(line, x, y);
    } else {
      painter.LineTo(line, x, y);
    }
    // Starting each circle where its arc starts keeps the circles apart.
    painter.MoveTo(marks, x + kPointRadius, y);
    painter.AddCircle(marks, x, y, kPointRadius);
  }
  painter.Stroke(painter.Pen(kAmber, 1.5f), line);
  painter.Stroke(painter.Pen(kAmber, 1.0f), marks);
}

void DrawDiameterHandle(Painter &painter, const BuilderPalette &palette,
                        const ProfileLayout &layout) {
  const PixelRect &column = layout.handle_column;
  const float centre_x = static_cast<float>(column.left + column.right) * 0.5f;
  const DRAWBOT_PathP track = painter.Path();
  painter.MoveTo(track, centre_x, static_cast<float>(column.top));
  painter.LineTo(track, centre_x, static_cast<float>(column.bottom));
  painter.Stroke(painter.Pen(palette.guide, 1.0f), track);

  const DRAWBOT_PathP handle = painter.Path();
  painter.AddRect(handle, DRAWBOT_RectF32{centre_x - 7.5f,
                                          static_cast<float>(layout.HandleCentreY() - 3.5), 15.0f,
                                          7.0f});
  painter.Fill(painter.Brush(kAmber), handle);
}

// A preset's curve in small inside its button: inset 3 pixels left and
// right, 5 top and bottom.
void DrawPresetCurve(Painter &painter, const DRAWBOT_PenP &pen, const GridButton &button,
                     const ShapeCurve &preset) {
  const int count = PointsOf(preset);
  if (count == 0) {
    return;
  }
  const DRAWBOT_PathP path = painter.Path();
  for (int i = 0; i < count; ++i) {
    const float x = static_cast<float>(button.x + 3.0 + preset.points[i].x * (button.width - 6.0));
    const float y =
        static_cast<float>(button.y + button.height - 5.0 - preset.points[i].y * (button.height - 10.0));
    if (i == 0) {
      painter.MoveTo(path, x, y);
    } else {
      painter.LineTo(path, x, y);
    }
  }
  painter.Stroke(pen, path);
}

void DrawPresetStrip(Painter &painter, const BuilderPalette &palette, const ProfileLayout &layout,
                     const ShapeCurve *curve, PresetSlots *presets) {
  const DRAWBOT_BrushP face = painter.Brush(palette.face);
  const DRAWBOT_BrushP highlight = painter.Brush(palette.highlight);
  const DRAWBOT_PenP pen = painter.Pen(kBlack, 1.0f);
  const ButtonGrid grid = layout.PresetButtons();
  for (const GridButton &button : grid.buttons()) {
    const ShapeCurve *preset = presets != nullptr ? &(*presets)[button.index] : nullptr;
    const bool current = curve != nullptr && preset != nullptr && SameCurveSignatures(*curve, *preset);
    const DRAWBOT_PathP path = painter.Path();
    painter.AddRect(path, DRAWBOT_RectF32{button.x, button.y, button.width, button.height});
    painter.Fill(current ? highlight : face, path);
    if (preset != nullptr) {
      DrawPresetCurve(painter, pen, button, *preset);
    }
  }
}

}  // namespace

void DrawProfileControl(Painter &painter, const BuilderPalette &palette, const PF_InData *in_data,
                        PF_ParamDef *params[], const PF_EventExtra &event,
                        const ProfileControl &control) {
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  const LockedCurve curve(*handles.get(), EventParam(params, control.profile));
  const BuilderGlobalsLock globals(in_data, *handles.get());
  const PF_Rect &frame = event.effect_win.current_frame;
  const ProfileLayout layout(frame.left, frame.top, DiameterOf(params, control));

  // The host leaves the control to us: clear it, so the curve area's old
  // top does not linger when the diameter shrinks.
  painter.PaintRect(palette.panel, DRAWBOT_RectF32{static_cast<float>(frame.left),
                                                   static_cast<float>(frame.top),
                                                   static_cast<float>(frame.right - frame.left),
                                                   static_cast<float>(frame.bottom - frame.top)});
  painter.PaintRect(palette.face, RectOf(layout.curve));
  DrawFullDiameterLine(painter, palette, layout);
  if (curve.get() != nullptr) {
    DrawCurve(painter, layout, *curve.get());
  }
  DrawDiameterHandle(painter, palette, layout);
  DrawPresetStrip(painter, palette, layout, curve.get(),
                  globals.get() != nullptr ? &PresetSlotsOf(*globals.get(), control) : nullptr);
}

}  // namespace vlam
