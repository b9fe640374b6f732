// The Relighter's parameters: indices, definitions and the UI rule that
// "Relight Colour" is used only while "Use Flash Colour" is off.
#pragma once
#include <vector>

#include "AE_Effect.h"

namespace vlam {

enum RelighterParam : PF_ParamIndex {
  kRelightMatte = 1,       // "Relight Matte", layer
  kRelightProcessGroup = 2,
  kRelightCrush = 3,       // "Crush Matte", percent
  kRelightInvert = 4,      // "Invert Matte"
  kRelightView = 5,        // "View": 1 "Matte Preview", 2 "Result"
  kRelightProcessGroupEnd = 6,
  kRelightUseFlashColour = 7,
  kRelightColour = 8,
  kRelightSpread = 9,      // "Light Spread"
  kRelightGain = 10,       // percent
  kRelightAmbient = 11,    // percent
  kRelighterParamCount = 12
};

inline constexpr A_long kRelightViewMattePreview = 1;
inline constexpr A_long kRelightViewResult = 2;

// The definitions after the input layer, in host order.
std::vector<PF_ParamDef> RelighterParamDefs();

// Adds the definitions; a refused add returns its error.
PF_Err RelighterParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);

// Enables "Relight Colour" exactly while "Use Flash Colour" is off. The
// checkbox is read from the parameter array (parameters cannot be checked out
// during this command); without it nothing changes.
PF_Err RelighterUpdateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);

}  // namespace vlam
