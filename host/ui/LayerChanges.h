#pragma once
#include "host/project/ParamStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

class Layer;

// A layer's effect stack and every parameter value at one time, to tell a
// user what a gesture changed.
struct LayerSnapshot {
  struct Effect {
    std::uint32_t id = 0;
    std::vector<ParamValue> values;
  };
  std::vector<Effect> effects;
  static LayerSnapshot take(const Layer &layer, std::int64_t ticks);
};

// One line per change between two snapshots of `layer` (which is as the
// second one was taken): effects applied or removed, the stack when its
// order changed, parameter values that changed ("effect 1 Flash Builder:
// Petal Configuration: None -> Three Star").
std::vector<std::string> describeChanges(const LayerSnapshot &before, const LayerSnapshot &after, const Layer &layer);

} // namespace vlam::host
