// What the Render effect derives for one firing instance of a collected
// exchange block, asked by a host that wants to show it without rendering.
// The module exports the function on platforms without a resource section,
// beside PF_GetModuleResources.
#pragma once
#include "A.h"

#pragma pack(push, 4)
typedef struct {
  A_long firing;          // 1 when the slot's instance fires (its trigger is on and its design exists)
  A_long variant;         // 0-2: the built-in main profile blended in
  A_long spark_count;
  A_long reserved;
  double energy;
  double eased_brightness;
  double colour_factor;
  double shape_scale;
  double blend_weight;
} VlamFiringDescription;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(VlamFiringDescription) == 56, "the description is a fixed record");
#endif

#define VlamDescribeFiring_FuncName "VlamDescribeFiring"

// `block` is an exchange block of `bytes` bytes as the Render effect collects
// it (bytes must be at least its 2,696); `current_time` is the render's
// current time in the composition's time units; `slot` an instance slot
// 0..15 below the block's instance count. Never throws: A_Err_PARAMETER for
// a null pointer, a short block or a slot outside the instances; A_Err_NONE
// otherwise, with out->firing 0 (and every value 0) for an instance that does
// not fire.
typedef A_Err (*VlamDescribeFiringFunc)(const void *block, A_u_long bytes, A_long current_time, A_long slot,
                                        VlamFiringDescription *out);

#if !defined(_WIN32)
extern "C" A_Err VlamDescribeFiring(const void *block, A_u_long bytes, A_long current_time, A_long slot,
                                    VlamFiringDescription *out);
#endif
