// Drawing the Flash Builder's custom controls.
#pragma once
#include "AE_EffectUI.h"
#include "flash/profile_control.h"
#include "ui/painter.h"

namespace vlam {

// The host's interface colours the controls use: colour 1 (the panel) for
// backgrounds and, brightened by 1.42, for button faces and the curve area;
// colour 15, brightened, for the selected button; colour 9 for guides.
struct BuilderPalette {
  DRAWBOT_ColorRGBA panel;
  DRAWBOT_ColorRGBA face;
  DRAWBOT_ColorRGBA highlight;
  DRAWBOT_ColorRGBA guide;
};
BuilderPalette BuilderPaletteFromHost(const PF_InData *in_data);

inline constexpr DRAWBOT_ColorRGBA kBlack{0.0f, 0.0f, 0.0f, 1.0f};
inline constexpr DRAWBOT_ColorRGBA kGrey{0.3f, 0.3f, 0.3f, 1.0f};
inline constexpr DRAWBOT_ColorRGBA kAmber{0.75f, 0.56f, 0.26f, 1.0f};

// The curve editor: curve area with the curve, the dashed full-diameter
// line, the diameter handle and the preset strip.
void DrawProfileControl(Painter &painter, const BuilderPalette &palette, const PF_InData *in_data,
                        PF_ParamDef *params[], const PF_EventExtra &event,
                        const ProfileControl &control);

// The eight petal buttons with their layout icons.
void DrawPetalControl(Painter &painter, const BuilderPalette &palette, const PF_InData *in_data,
                      PF_ParamDef *params[], const PF_EventExtra &event);

}  // namespace vlam
