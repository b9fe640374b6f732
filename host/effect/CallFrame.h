#pragma once
#include "host/effect/LayerParamPixels.h"
#include "host/image/Image.h"
#include "host/project/ParamDefinition.h"
#include "host/render/RenderSettings.h"

#include <AE_Effect.h>

#include <atomic>

#include <cstdint>
#include <map>
#include <mutex>
#include <memory>
#include <vector>

namespace vlam::host {

class Host;
class Layer;
class EffectInstance;
struct InstalledEffect;

// Where smart-render checkouts get their pixels: the renderer.
class LayerPixelSource {
public:
  virtual ~LayerPixelSource() = default;
  // `layer` after its first `effectCount` effects (all when negative) at a
  // time in comp ticks. nullptr when it cannot be rendered (the reason is
  // recorded as a host message).
  virtual std::shared_ptr<Image> layerPixels(Layer &layer, int effectCount, std::int64_t ticks) = 0;
};

// One layer checkout made at smart pre-render and used at smart render.
struct LayerCheckout {
  PF_ParamIndex index = 0;
  std::int64_t ticks = 0;
  Layer *layer = nullptr; // nullptr: an empty layer parameter
  int effectCount = 0;    // effects of `layer` applied before the pixels are taken
  PF_CheckoutResult result{};
  std::shared_ptr<Image> pixels; // filled at smart render
  std::unique_ptr<PF_EffectWorld> world;
  bool checkedIn = false;
};

// Per-effect state of one smart pre-render / smart render pair.
struct SmartCallState {
  LayerPixelSource *source = nullptr;
  int effectIndex = 0; // position of the effect in its layer's stack
  std::map<A_long, LayerCheckout> checkouts;
  std::shared_ptr<Image> output;
  PF_EffectWorld outputWorld{};
};

// Everything the host knows about one call into an effect. The effect sees
// its address as in_data->effect_ref; every callback finds the call through
// it (and refuses references that belong to no live call).
struct CallFrame {
  Host *host = nullptr;
  InstalledEffect *installed = nullptr;
  EffectInstance *instance = nullptr; // null for global and params setup
  PF_Cmd cmd = PF_Cmd_ABOUT;
  std::int64_t ticks = 0;
  RenderSettings settings;
  PF_InData in{};
  PF_OutData out{};
  std::vector<PF_ParamDef> params;
  std::vector<PF_ParamDef *> paramPointers;
  std::vector<ParamDefinition> *adding = nullptr; // set during PF_Cmd_PARAMS_SETUP
  std::atomic<int> outstandingCheckouts{0};       // params checked out, not yet in
  SmartCallState *smart = nullptr;
  LayerParamPixels layerParams; // layer parameters checked out with PF_CHECKOUT_PARAM
  // Copies of arbitrary-data values handed to the effect for this call (in
  // its parameter array or by checkout), with their parameter index: each
  // is disposed at check-in or when the call ends, unless the host takes it
  // as a changed value.
  std::mutex arbMutex;
  std::vector<std::pair<std::size_t, PF_Handle>> arbCopies;

  PF_ProgPtr ref() { return reinterpret_cast<PF_ProgPtr>(this); }
};

// Finds the live call behind an effect reference; nullptr for anything else.
CallFrame *frameFromRef(PF_ProgPtr ref);

// Keeps a frame findable while the effect runs.
class FrameRegistration {
public:
  explicit FrameRegistration(CallFrame &frame);
  ~FrameRegistration();
  FrameRegistration(const FrameRegistration &) = delete;
  FrameRegistration &operator=(const FrameRegistration &) = delete;

private:
  CallFrame *frame_;
};

} // namespace vlam::host
