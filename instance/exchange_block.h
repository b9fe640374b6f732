// The block through which the Render and Relighter effects collect the flash
// designs and instances on their layer: a design table followed by sixteen
// instance slots. The caller raises the instance count before asking each
// Flash Instance, which writes slot (count - 1).
#pragma once
#include <cstddef>

#include "flash/flash_design.h"
#include "instance/instance_record.h"

namespace vlam {

inline constexpr int kMaxInstances = 16;

#pragma pack(push, 4)
struct ExchangeBlock {
  FlashDesignTable table;
  InstanceRecord instances[kMaxInstances];
};
#pragma pack(pop)

static_assert(sizeof(ExchangeBlock) == 2696);
static_assert(offsetof(ExchangeBlock, table) == 0);
static_assert(offsetof(ExchangeBlock, instances) == 968);

}  // namespace vlam
