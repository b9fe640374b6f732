// The per-pixel parts of compositing a flash into the output: the four
// compositing modes, the tone curve look-up of the "Normalised" mode and the
// film-grain step. Pixels are floats (alpha, red, green, blue); the output's
// alpha is never changed.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// What every pixel of one compositing shares, read-only.
struct CompositeSettings {
  const float *toneTable = nullptr;  // the "Normalised" tone curve
  int toneSize = 0;
  float toneRange = 4.0f;
  float maxBrightness = 1.0f;  // m of "Normalised"
  float tintRed = 0.0f;        // tint offsets of "Normalised"
  float tintBlue = 0.0f;
  float grainAmount = 0.0f;  // 0: no grain
};

// Index of `value` in a tone table of `size` entries over [0, range]:
// values at or above the range take the last entry; negative values and NaN
// take the first. The index is always inside the table.
int ToneIndex(float value, int size, float range);

float Luma(float red, float green, float blue);

// Film grain: moves red, green and blue of `pixel` towards the grain pixel's
// deviation from 0.5, weighted by amount x l^2. A negative l stands for the
// pixel's own luma capped at 1.
void ApplyGrain(PF_PixelFloat &pixel, const PF_PixelFloat &grain, float amount, float l);

// The tint offsets of "Normalised": the design colour's red and blue
// relative to its green, scaled by what "Max Brightness" leaves (1 - m).
void NormalisedTint(const PF_PixelFloat &designColour, float maxBrightness, float &tintRed,
                    float &tintBlue);

// Updates the output pixel `out` from the flash pixel `flash` (a private
// copy: the grain step may change it) and the grain pixel.
using PixelFunction = void (*)(const CompositeSettings &settings, PF_PixelFloat &flash,
                               const PF_PixelFloat &grain, PF_PixelFloat &out);

// The function of a "Compositing Mode" value (1-4); null for any other.
PixelFunction PixelFunctionFor(A_long mode);

}  // namespace vlam
