// "ZK Vlam Utils Suite": what the effects ask of the utility plug-in.
#pragma once
#include "AE_GeneralPlug.h"

#define kVlamUtilsSuite "ZK Vlam Utils Suite"
#define kVlamUtilsSuiteVersion1 1
#define kVlamUtilsSuiteInternalVersion1 1

typedef struct VlamUtilsSuite1 {
  // Slot 0: apply Module Selector, Flash Builder and Flash Instance to the
  // layer at the next idle call. A later request replaces a pending one.
  SPAPI A_Err (*RequestModuleStack)(AEGP_LayerH layer);
  // Slot 1: run a numbered command (1: the grain precomposition script) at
  // the next idle call. A later request replaces a pending one.
  SPAPI A_Err (*RequestCommand)(A_long command);
} VlamUtilsSuite1;

namespace vlam {

// Commands of RequestCommand.
inline constexpr A_long kNoCommand = -1;
inline constexpr A_long kGrainPrecompCommand = 1;

}  // namespace vlam
