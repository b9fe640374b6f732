// The lights of one relit frame: one soft coloured blob per firing instance,
// and the ambient colour that every light adds its colour to.
#pragma once
#include "AE_Effect.h"
#include "instance/exchange_block.h"

namespace vlam {

struct RelightLight {
  double position[3];    // relative to the layer centre, square pixels; z = 0
  PF_PixelFloat colour;  // alpha, red, green, blue
  A_long diameter;       // full-resolution diameter in light buffer scale
};

struct RelightLights {
  RelightLight lights[kMaxInstances];
  int count = 0;
  PF_PixelFloat ambient{1.0f, 0.0f, 0.0f, 0.0f};
};

// What the light loop reads from the parameters and the in-data.
struct LightSettings {
  bool useFlashColour;
  PF_PixelFloat relightColour;  // used while useFlashColour is off
  double spread;                // "Light Spread"
  double gain;                  // "Relight Gain", percent
  double ambient;               // "Relight Ambient", percent
  double bufferScale;           // k: 0.25 at high quality, 0.1 otherwise
  double pixelAspect;           // layer pixel aspect
  double halfWidth;             // layer width x 0.5
  double halfHeight;            // layer height x 0.5
};

// How strongly a trigger level lights: 1.5 at rest, 0.75 while firing (0.4),
// falling to 0 at 0.75 and above.
double LightLevelFactor(double triggerLevel);

// Walks the instance slots in order and makes a light for each one that
// fires (trigger level at least 0.01) with a valid design. Each light first
// adds its colour to the ambient colour, then scales the ambient colour by
// its own level, so earlier colours are scaled again by later lights. Only
// the sixteen slots are read, whatever count the block holds.
RelightLights BuildLights(const ExchangeBlock &block, const LightSettings &settings);

}  // namespace vlam
