// VlamDescribeFiring: the values the render derives for one instance of a
// collected exchange block, for hosts that show them without drawing.
#include <cstring>
#include <memory>

#include "VlamFiringDescription.h"
#include "instance/exchange_block.h"
#include "render/flash_drawing.h"
#include "render/flash_variation.h"

#if !defined(_WIN32)
#include "entry.h"

extern "C" DllExport A_Err VlamDescribeFiring(const void *block, A_u_long bytes, A_long current_time,
                                              A_long slot, VlamFiringDescription *out) {
  try {
    if (block == nullptr || out == nullptr || bytes < sizeof(vlam::ExchangeBlock)) return A_Err_PARAMETER;
    std::memset(out, 0, sizeof *out);
    // A copy: the caller's bytes need not be aligned for the record.
    auto exchange = std::make_unique<vlam::ExchangeBlock>();
    std::memcpy(static_cast<void *>(exchange.get()), block, sizeof *exchange);
    const A_long count = exchange->table.instanceCount;
    if (slot < 0 || slot >= vlam::kMaxInstances || slot >= count) return A_Err_PARAMETER;
    const vlam::InstanceRecord &instance = exchange->instances[slot];
    if (!vlam::InstanceFires(instance, exchange->table)) return A_Err_NONE;
    const vlam::FlashDesign &design = exchange->table.designs[instance.designIndex];
    const vlam::FlashVariation v = vlam::DeriveFlashVariation(instance, design, slot, current_time);
    out->firing = 1;
    out->variant = v.variant;
    out->spark_count = v.sparkCount;
    out->energy = v.energy;
    out->eased_brightness = v.easedBrightness;
    out->colour_factor = v.colourFactor;
    out->shape_scale = v.shapeScale;
    out->blend_weight = v.blendWeight;
    return A_Err_NONE;
  } catch (...) {
    return A_Err_GENERIC;
  }
}
#endif
