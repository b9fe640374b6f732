#include "render/composite_pixels.h"

#include <algorithm>
#include <cmath>

#include "render/render_param_ids.h"

namespace vlam {

int ToneIndex(float value, int size, float range) {
  if (size <= 0) return 0;
  // Negative and not-a-number values fail this test and take entry 0.
  if (!(value > 0.0f)) return 0;
  const float capped = std::min(value, range);
  const int index = static_cast<int>((capped / range) * static_cast<float>(size - 1));
  return std::clamp(index, 0, size - 1);
}

float Luma(float red, float green, float blue) {
  return 0.299f * red + 0.587f * green + 0.114f * blue;
}

void ApplyGrain(PF_PixelFloat &pixel, const PF_PixelFloat &grain, float amount, float l) {
  if (l < 0.0f) l = std::min(1.0f, Luma(pixel.red, pixel.green, pixel.blue));
  const float k = amount * l * l;
  const auto step = [k](float &channel, float g) {
    const float d = (g - 0.5f) * k;
    channel = channel + d - channel * d;
  };
  step(pixel.red, grain.red);
  step(pixel.green, grain.green);
  step(pixel.blue, grain.blue);
}

void NormalisedTint(const PF_PixelFloat &designColour, float maxBrightness, float &tintRed,
                    float &tintBlue) {
  tintRed = (designColour.red - designColour.green) * (1.0f - maxBrightness);
  tintBlue = (designColour.blue - designColour.green) * (1.0f - maxBrightness);
}

namespace {

float CappedLuma(const PF_PixelFloat &p) { return std::min(1.0f, Luma(p.red, p.green, p.blue)); }

void Add(const CompositeSettings &s, PF_PixelFloat &f, const PF_PixelFloat &g, PF_PixelFloat &o) {
  if (s.grainAmount > 0.0f) ApplyGrain(f, g, s.grainAmount, CappedLuma(f));
  o.red += f.red;
  o.green += f.green;
  o.blue += f.blue;
}

void LumaPremultiplied(const CompositeSettings &s, PF_PixelFloat &f, const PF_PixelFloat &g,
                       PF_PixelFloat &o) {
  const float l = CappedLuma(f);
  if (s.grainAmount > 0.0f) ApplyGrain(f, g, s.grainAmount, l);
  o.red = (1.0f - l) * o.red + f.red;
  o.green = (1.0f - l) * o.green + f.green;
  o.blue = (1.0f - l) * o.blue + f.blue;
}

void Screen(const CompositeSettings &s, PF_PixelFloat &f, const PF_PixelFloat &g,
            PF_PixelFloat &o) {
  if (s.grainAmount > 0.0f) ApplyGrain(f, g, s.grainAmount, CappedLuma(f));
  o.red = 1.0f - (1.0f - o.red) * (1.0f - f.red);
  o.green = 1.0f - (1.0f - o.green) * (1.0f - f.green);
  o.blue = 1.0f - (1.0f - o.blue) * (1.0f - f.blue);
}

void Normalised(const CompositeSettings &s, PF_PixelFloat &f, const PF_PixelFloat &g,
                PF_PixelFloat &o) {
  const auto tone = [&s](float v) {
    return s.toneTable[ToneIndex(v, s.toneSize, s.toneRange)];
  };
  const float r = tone(f.red), gr = tone(f.green), bl = tone(f.blue);
  const float l = std::min(1.0f, Luma(r, gr, bl));
  PF_PixelFloat light{f.alpha, s.maxBrightness * r + l * s.tintRed, s.maxBrightness * gr,
                      s.maxBrightness * bl + l * s.tintBlue};
  if (s.grainAmount > 0.0f) ApplyGrain(light, g, s.grainAmount, l);
  o.red = std::max(0.0f, (1.0f - l) * o.red + light.red);
  o.green = (1.0f - l) * o.green + light.green;
  o.blue = std::max(0.0f, (1.0f - l) * o.blue + light.blue);
}

}  // namespace

PixelFunction PixelFunctionFor(A_long mode) {
  switch (mode) {
    case kCompositeAdd:
      return Add;
    case kCompositeLumaPremultiplied:
      return LumaPremultiplied;
    case kCompositeScreen:
      return Screen;
    case kCompositeNormalised:
      return Normalised;
    default:
      return nullptr;
  }
}

}  // namespace vlam
