#pragma once
#include "host/image/Image.h"

#include <AE_Effect.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vlam::host {

class Host;
class Layer;
class EffectInstance;
class LayerPixelSource;
struct CallFrame;

// The pixels a layer parameter stands for at a time: `layer` (nullptr for an
// empty parameter) after its first `effectCount` effects (all when negative).
// The input (index 0) is the effect's own layer after the effects above it; a
// parameter naming the effect's own layer gives that layer's source, before
// any effect; a parameter naming another layer gives that layer with all its
// effects.
struct LayerTarget {
  Layer *layer = nullptr;
  int effectCount = 0;
};
LayerTarget layerParamTarget(const EffectInstance &instance, std::size_t index, std::int64_t ticks);

// Layer parameters an effect checked out with PF_CHECKOUT_PARAM during one
// call: each checkout describes the layer's pixels in the parameter's
// PF_LayerDef until it is checked in or the call ends.
class LayerParamPixels {
public:
  LayerParamPixels() = default;
  ~LayerParamPixels();
  LayerParamPixels(const LayerParamPixels &) = delete;
  LayerParamPixels &operator=(const LayerParamPixels &) = delete;

  // Fills def.u.ld with the pixels of parameter `index` (a layer parameter)
  // of the frame's effect at `ticks`. An empty parameter leaves the layer
  // without pixels (data null) and succeeds.
  PF_Err checkout(CallFrame &frame, std::size_t index, std::int64_t ticks, PF_ParamDef &def);
  // Forgets the pixels of a checked-out layer definition; false when `def`
  // carries none of this call's layer pixels.
  bool checkin(Host &host, PF_ParamDef &def);

private:
  LayerPixelSource *sourceFor(CallFrame &frame);

  std::mutex mutex_;
  Host *host_ = nullptr;
  std::vector<PF_EffectWorld> described_;
  std::unique_ptr<LayerPixelSource> ownSource_; // outside a render: a renderer of its own
};

} // namespace vlam::host
