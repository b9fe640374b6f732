// The Flash Builder's parameters: their indices and how they are added at
// PF_Cmd_PARAMS_SETUP.
#pragma once
#include <array>

#include "AE_Effect.h"

namespace vlam {

class ArbitraryHandler;

// Index of each parameter in the effect's parameter array (0 is the input).
enum BuilderParam : PF_ParamIndex {
  kBuilderInput = 0,
  kBuilderIdentifierStrip,
  kBuilderFlashIdentifier,
  kBuilderMainGroup,
  kBuilderMainLength,
  kBuilderMainDiameter,
  kBuilderMainProfile,
  kBuilderMainGroupEnd,
  kBuilderPetalGroup,
  kBuilderPetalConfiguration,
  kBuilderPetalLength,
  kBuilderPetalDiameter,
  kBuilderPetalProfile,
  kBuilderBarrelRadius,
  kBuilderHorizontalOffset,
  kBuilderPetalAngle,
  kBuilderRelativeBrightness,
  kBuilderPetalGroupEnd,
  kBuilderSparksGroup,
  kBuilderMaxSparks,
  kBuilderSparkDispersion,
  kBuilderSparkBrightness,
  kBuilderSparksGroupEnd,
  kBuilderPropertiesGroup,
  kBuilderFlashColour,
  kBuilderColourTemperature,
  kBuilderBrightnessFalloff,
  kBuilderDisplacementComplexity,
  kBuilderDisplacementAmount,
  kBuilderPropertiesGroupEnd,
  kBuilderRandomGroup,
  kBuilderRandomiseShape,
  kBuilderRandomisePetals,
  kBuilderRandomiseBrightness,
  kBuilderRandomGroupEnd,
  kBuilderParamCount  // 35, the input included
};

inline constexpr A_long kFlashIdentifierCount = 4;   // "Flash A" ... "Flash D"
inline constexpr A_long kPetalConfigurationNone = 1;  // first "Petal Configuration" item

enum class BuilderParamKind { NoData, Popup, GroupStart, GroupEnd, FloatSlider, Arbitrary, Angle, Colour };

// Everything that defines one parameter; fields a kind does not use are zero.
struct BuilderParamDescription {
  BuilderParamKind kind;
  const char* name;
  A_long diskId;
  PF_ParamFlags flags;
  PF_ParamUIFlags uiFlags;
  A_short uiWidth, uiHeight;
  // Float sliders: valid and slider ranges, default, precision, display flags.
  float validMin, validMax, sliderMin, sliderMax;
  double dephault;  // float slider value, popup item, angle in degrees
  A_short precision;
  PF_ValueDisplayFlags display;
  // Popups: item count and "|"-separated item names.
  A_short popupCount;
  const char* popupItems;
  // Colour: default colour.
  PF_Pixel colour;
};

// Parameters 1-34 in order (the input layer is added by the host).
const std::array<BuilderParamDescription, kBuilderParamCount - 1>& BuilderParamDescriptions();

// The definition of parameter `index` (1-34) as the host is given it:
// cleared, then filled from its description. Arbitrary-data parameters take
// their default value and refcon from the handler.
PF_ParamDef MakeBuilderParamDef(const BuilderParamDescription& d, ArbitraryHandler* handler,
                                PF_ArbitraryH defaultValue);

// Adds the 34 parameters, then registers custom UI for the effect-controls
// window, and sets num_params to 35. The first failing host call ends the
// setup with its error.
PF_Err AddBuilderParams(PF_InData* in_data, PF_OutData* out_data, ArbitraryHandler* mainHandler,
                        ArbitraryHandler* petalHandler);

}  // namespace vlam
