// Drawing the petal buttons: each shows its petal layout as kites around
// the button's centre, or "NO PETALS".
#include <algorithm>

#include "flash/builder_drawing.h"
#include "flash/builder_params.h"
#include "flash/petal_buttons.h"
#include "flash/profile_layout.h"
#include "frame/scoped_suite.h"
#include "frame/vec3f.h"
#include "ui/locked_sequence.h"

namespace vlam {
namespace {

constexpr float kNoPetalsFontSize = 10.0f;

// One petal pointing up from the centre, before it is turned.
constexpr float kKite[4][2] = {{0.0f, -3.0f}, {-4.0f, -10.0f}, {0.0f, -21.0f}, {4.0f, -10.0f}};

void AddKite(Painter &painter, const DRAWBOT_PathP &path, float cx, float cy, double angle) {
  Vec3f pivot;
  pivot.Set(0.0, cx, cy);
  for (int i = 0; i < 4; ++i) {
    // The panel's x and y are the plane the rotation turns (y and z).
    Vec3f corner;
    corner.Set(0.0, cx + kKite[i][0], cy + kKite[i][1]);
    corner.RotateAboutPivot(pivot, angle);
    if (i == 0) {
      painter.MoveTo(path, corner.y, corner.z);
    } else {
      painter.LineTo(path, corner.y, corner.z);
    }
  }
  painter.Close(path);
}

void DrawIcon(Painter &painter, const DRAWBOT_BrushP &ink, const DRAWBOT_FontP &font,
              const GridButton &button, const PetalLayout *layout) {
  const float cx = button.x + button.width * 0.5f;
  const float cy = button.y + button.height * 0.5f;
  const int petals = layout != nullptr ? std::clamp<int>(layout->count, 0, kMaxPetals) : 0;
  if (petals == 0) {
    painter.DrawString(ink, font, "NO PETALS", DRAWBOT_PointF32{cx, cy + 4.0f},
                       kDRAWBOT_TextAlignment_Center, button.width);
    return;
  }
  const DRAWBOT_PathP path = painter.Path();
  for (int p = 0; p < petals; ++p) {
    AddKite(painter, path, cx, cy, layout->angles[p]);
  }
  painter.Fill(ink, path);
}

}  // namespace

void DrawPetalControl(Painter &painter, const BuilderPalette &palette, const PF_InData *in_data,
                      PF_ParamDef *params[], const PF_EventExtra &event) {
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  const BuilderGlobalsLock globals(in_data, *handles.get());
  const LockedSequence<PetalVariants> variants(in_data, *handles.get());
  const PF_Rect &frame = event.effect_win.current_frame;
  painter.PaintRect(palette.panel, DRAWBOT_RectF32{static_cast<float>(frame.left),
                                                   static_cast<float>(frame.top),
                                                   static_cast<float>(frame.right - frame.left),
                                                   static_cast<float>(frame.bottom - frame.top)});

  const int selected = PetalButtonOf(PopupValueOf(params, kBuilderPetalConfiguration));
  const DRAWBOT_BrushP face = painter.Brush(palette.face);
  const DRAWBOT_BrushP highlight = painter.Brush(palette.highlight);
  const DRAWBOT_BrushP ink = painter.Brush(kBlack);
  const DRAWBOT_FontP font = painter.Font(kNoPetalsFontSize);
  const PetalVariants none{};
  const ButtonGrid grid = PetalButtons(frame.left, frame.top, false);
  for (const GridButton &button : grid.buttons()) {
    const DRAWBOT_PathP path = painter.Path();
    painter.AddRect(path, DRAWBOT_RectF32{button.x, button.y, button.width, button.height});
    painter.Fill(button.index == selected ? highlight : face, path);
    const int k = static_cast<int>(button.index);
    const int variant = PetalVariantShown(variants.get() != nullptr ? *variants.get() : none, k);
    const PetalLayout *layout =
        globals.get() != nullptr ? &globals.get()->petalLayouts[k * 2 + variant] : nullptr;
    DrawIcon(painter, ink, font, button, layout);
  }
}

}  // namespace vlam
