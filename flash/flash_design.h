// The design record a Flash Builder writes into the Render effect's table.
// Effects exchange these bytes through the host, so the layout is fixed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "flash/petal_layout.h"
#include "flash/shape_curve.h"
#include "AE_Effect.h"

namespace vlam {

static_assert(sizeof(void*) == 8, "the exchange records hold 64-bit pointers");

inline constexpr int kFlashDesignSlots = 4;  // "Flash A" ... "Flash D"

#pragma pack(push, 4)
struct FlashDesign {
  std::uint8_t valid;  // 1 once a builder has written the whole slot
  std::uint8_t padding[3];
  double mainLength;                   // pixels
  double mainDiameter;                 // diameter ratio x 200
  const ShapeCurve* mainProfile;       // valid for the render call that asked
  double mainFalloffA;                 // f x 0.9 + (1 - f)
  double mainFalloffB;                 // (1 - f) x 0.3 + f x 0.25
  float brightnessFalloff;             // f
  double petalLength;                  // pixels
  double petalDiameter;                // diameter ratio x 100
  const ShapeCurve* petalProfile;      // valid for the render call that asked
  double petalFalloffA;                // never written by the builder
  double petalFalloffB;                // never written by the builder
  float petalBrightnessFalloff;        // copy of brightnessFalloff
  const PetalLayout* petalLayout;      // entry of the builder's layout table
  double petalAngle;                   // radians
  double horizontalOffset;             // pixels
  double barrelRadius;                 // pixels
  double petalBrightness;              // relative, squared
  std::int32_t maxSparks;
  double sparkDispersion;              // radians
  double sparkBrightness;
  double colourTemperatureAmount;      // how much energy shifts the colour temperature
  PF_PixelFloat flashColour;           // alpha, red, green, blue in 0-1
  double baseFrequency;                // displacement noise base frequency, always 0.01
  double displacementAmount;
  double displacementComplexity;
  double shapeRandomisationScaled;     // "Randomise Flash Shape" / 750
  double shapeRandomisation;           // "Randomise Flash Shape" / 100
  double petalRandomisation;
  double brightnessRandomisation;
  double shapeRandomisationRaw;        // "Randomise Flash Shape", 0-100
};

struct FlashDesignTable {
  std::int32_t head;  // owned by the caller, never touched by a builder
  FlashDesign designs[kFlashDesignSlots];
  std::int32_t instanceCount;
};
#pragma pack(pop)

static_assert(sizeof(PF_PixelFloat) == 16);
static_assert(sizeof(FlashDesign) == 240);
static_assert(offsetof(FlashDesign, valid) == 0);
static_assert(offsetof(FlashDesign, mainLength) == 4);
static_assert(offsetof(FlashDesign, mainDiameter) == 12);
static_assert(offsetof(FlashDesign, mainProfile) == 20);
static_assert(offsetof(FlashDesign, mainFalloffA) == 28);
static_assert(offsetof(FlashDesign, mainFalloffB) == 36);
static_assert(offsetof(FlashDesign, brightnessFalloff) == 44);
static_assert(offsetof(FlashDesign, petalLength) == 48);
static_assert(offsetof(FlashDesign, petalDiameter) == 56);
static_assert(offsetof(FlashDesign, petalProfile) == 64);
static_assert(offsetof(FlashDesign, petalFalloffA) == 72);
static_assert(offsetof(FlashDesign, petalFalloffB) == 80);
static_assert(offsetof(FlashDesign, petalBrightnessFalloff) == 88);
static_assert(offsetof(FlashDesign, petalLayout) == 92);
static_assert(offsetof(FlashDesign, petalAngle) == 100);
static_assert(offsetof(FlashDesign, horizontalOffset) == 108);
static_assert(offsetof(FlashDesign, barrelRadius) == 116);
static_assert(offsetof(FlashDesign, petalBrightness) == 124);
static_assert(offsetof(FlashDesign, maxSparks) == 132);
static_assert(offsetof(FlashDesign, sparkDispersion) == 136);
static_assert(offsetof(FlashDesign, sparkBrightness) == 144);
static_assert(offsetof(FlashDesign, colourTemperatureAmount) == 152);
static_assert(offsetof(FlashDesign, flashColour) == 160);
static_assert(offsetof(FlashDesign, baseFrequency) == 176);
static_assert(offsetof(FlashDesign, displacementAmount) == 184);
static_assert(offsetof(FlashDesign, displacementComplexity) == 192);
static_assert(offsetof(FlashDesign, shapeRandomisationScaled) == 200);
static_assert(offsetof(FlashDesign, shapeRandomisation) == 208);
static_assert(offsetof(FlashDesign, petalRandomisation) == 216);
static_assert(offsetof(FlashDesign, brightnessRandomisation) == 224);
static_assert(offsetof(FlashDesign, shapeRandomisationRaw) == 232);

static_assert(sizeof(FlashDesignTable) == 968);
static_assert(offsetof(FlashDesignTable, head) == 0);
static_assert(offsetof(FlashDesignTable, designs) == 4);
static_assert(offsetof(FlashDesignTable, designs) + 3 * sizeof(FlashDesign) == 724);
static_assert(offsetof(FlashDesignTable, instanceCount) == 964);

}  // namespace vlam
