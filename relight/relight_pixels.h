// The per-pixel combination of the layer with the light: a luminance matte
// (crushed, maybe inverted) decides where the light buffer brightens the
// input, and the ambient colour screens the result.
#pragma once
#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

namespace vlam {

struct RelightPixelContext {
  const PF_EffectWorld *matte;
  const PF_EffectWorld *illumination;  // float, the size of the output
  PF_PixelFormat format;               // of the output, the input and the matte
  const PF_PixelFloat *ambient;
  PF_Rect matteRect;  // the matte in output coordinates
  float crush;        // c, 0 to 1/3
  bool invert;
  bool mattePreview;
};

// Matte value from a luma: 0 below c, 1 above 1 - c, linear between; then
// inverted when asked.
float CrushMatte(float luma, float crush, bool invert);

// One colour channel of the result from the input channel p, the light
// channel i, the matte m and the ambient channel g.
float RelightChannel(float p, float i, float m, float g);

// The host's pixel functions, one per depth; refcon is a RelightPixelContext.
PF_Err RelightPixel8(void *refcon, A_long x, A_long y, PF_Pixel8 *in, PF_Pixel8 *out);
PF_Err RelightPixel16(void *refcon, A_long x, A_long y, PF_Pixel16 *in, PF_Pixel16 *out);
PF_Err RelightPixelFloat(void *refcon, A_long x, A_long y, PF_PixelFloat *in, PF_PixelFloat *out);

}  // namespace vlam
