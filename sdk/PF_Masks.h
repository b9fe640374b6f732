// "AEGP Mask Suite" of the effect API: rasterising a mask path into a matte.
#pragma once
#include "AE_Effect.h"
#include "AE_EffectSuites.h"
#include "SPBasic.h"

#define kPF_MaskSuite "AEGP Mask Suite"
#define kPF_MaskSuiteVersion1 1

#pragma pack(push, 2)
typedef struct PF_MaskSuite1 {
  // The path is passed by address.
  SPAPI A_Err (*PF_MaskWorldWithPath)(PF_ProgPtr effect_ref, PF_PathOutlinePtr *maskP,
                                      PF_FpLong feather_x, PF_FpLong feather_y,
                                      PF_Boolean invert, PF_FpLong opacity,
                                      PF_Quality quality, PF_EffectWorld *worldP,
                                      PF_Rect *bboxPR0);
} PF_MaskSuite1;
#pragma pack(pop)
