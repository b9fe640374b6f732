// Indices of the Render effect's parameters (index 0 is the input layer).
#pragma once
#include "AE_Effect.h"

namespace vlam {

enum RenderParam : PF_ParamIndex {
  kRenderEvolutionSpeed = 1,  // "Displacement Evolution Speed"
  kRenderGlowGroup = 2,
  kRenderGlowRadius = 3,
  kRenderGlowBrightness = 4,
  kRenderGlowGroupEnd = 5,
  kRenderOptionsGroup = 6,
  kRenderCompositingMode = 7,
  kRenderMaxBrightness = 8,
  kRenderCompOnBlack = 9,
  kRenderToonGroup = 10,
  kRenderToonColours = 11,
  kRenderToonThickness = 12,
  kRenderToonOutlineColour = 13,
  kRenderToonGroupEnd = 14,
  kRenderOptionsGroupEnd = 15,
  kRenderGrainGroup = 16,
  kRenderGrainLayer = 17,
  kRenderGrainMix = 18,
  kRenderGrainGroupEnd = 19,
  kRenderParamCount = 20
};

// "Compositing Mode" items, counted from 1.
enum CompositingMode : A_long {
  kCompositeAdd = 1,
  kCompositeLumaPremultiplied = 2,
  kCompositeScreen = 3,
  kCompositeNormalised = 4
};

// "Grain Layer", the layer parameter checked out beside the input.
inline constexpr PF_ParamIndex kRenderGrainLayerParam = kRenderGrainLayer;

}  // namespace vlam
