#pragma once
#include "host/effect/CallFrame.h"
#include "host/render/RenderSettings.h"

#include <AE_Effect.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vlam::host {

class Host;
class Layer;
class EffectInstance;
struct InstalledEffect;

struct CallOptions {
  std::int64_t ticks = 0;
  RenderSettings settings;
  PF_LayerDef *output = nullptr;
  void *extra = nullptr;
  PF_LayerDef *input = nullptr; // the input layer's pixels in params[0] (non-smart render)
  SmartCallState *smart = nullptr;
};

struct CallResult {
  PF_Err err = PF_Err_NONE;
  std::string message; // return_msg when the effect asked for it to be shown
  PF_OutData out{};
};

// Calls into effects the way the host does: builds PF_InData, PF_OutData and
// the parameter array for the command, calls the entry point, and takes back
// what the command hands over (global and sequence data, flags, changed
// parameter values, messages).
class EffectRunner {
public:
  explicit EffectRunner(Host &host) : host_(host) {}

  // PF_Cmd_GLOBAL_SETUP once per installed effect, then PF_Cmd_PARAMS_SETUP
  // once; later calls return the first result again.
  PF_Err ensureReady(InstalledEffect &effect);

  CallResult call(InstalledEffect &effect, EffectInstance *instance, PF_Cmd cmd, const CallOptions &options = {});

  // The effect's about text (PF_Cmd_ABOUT); throws HostError when it fails.
  std::string about(InstalledEffect &effect);

  // A new instance on `layer` (not yet in its stack) with every parameter at
  // its default. The effect must be ready.
  std::unique_ptr<EffectInstance> newInstance(InstalledEffect &effect, Layer &layer);

  PF_Err sequenceSetup(EffectInstance &instance);
  PF_Err sequenceResetup(EffectInstance &instance);
  PF_Err sequenceSetdown(EffectInstance &instance);
  // The instance's sequence data as a project file keeps it: the handle's
  // bytes, after an effect that set PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING
  // flattened them (PF_Cmd_GET_FLATTENED_SEQUENCE_DATA when it supports
  // that, else PF_Cmd_SEQUENCE_FLATTEN and then PF_Cmd_SEQUENCE_RESETUP to
  // work on). nullopt when there is none or flattening failed (reported).
  std::optional<std::vector<std::uint8_t>> flatSequenceData(EffectInstance &instance);
  PF_Err globalSetdown(InstalledEffect &effect);

  // The parameter array of an instance at a time (params[0] carries `input`).
  // An error when an arbitrary-data value could not be copied: the effect is
  // then not called.
  PF_Err fillParams(CallFrame &frame, const PF_LayerDef *input);
  // One parameter's definition with its value at a time, for a call: an
  // arbitrary-data value is a copy the call owns (see CallFrame::arbCopies).
  // `err` is set when that copy fails (the effect's callback failed, or out
  // of memory): the effect must not be handed an empty value as if it were
  // the parameter's.
  PF_ParamDef paramForCall(CallFrame &frame, std::size_t index, std::int64_t ticks, PF_Err &err);
  // Gives back a copy paramForCall made (at check-in); false when `def`
  // holds none.
  bool releaseArbitraryCopy(CallFrame &frame, const PF_ParamDef &def);
  // One parameter's definition with its value at a time (an arbitrary-data
  // value is the stored handle itself, which the caller must not change).
  PF_ParamDef paramAt(const EffectInstance &instance, std::size_t index, std::int64_t ticks) const;

  // Converts an effect-API time to comp ticks of the instance's composition.
  static bool toTicks(const EffectInstance *instance, A_long time, A_u_long scale, std::int64_t &ticks);

private:
  // Fills the call's records; the error of fillParams.
  PF_Err prepareFrame(CallFrame &frame, const CallOptions &options);
  void takeBack(CallFrame &frame, CallResult &result, bool takeValues);
  void takeArbitraryValue(CallFrame &frame, std::size_t index, PF_Handle handle);
  void disposeArbitraryCopies(CallFrame &frame);
  void makeArbitraryDefaults(InstalledEffect &effect);
  void disposeArbitraryDefaults(InstalledEffect &effect);
  Host &host_;
};

// The callback tables in_data points to (one set for the whole host).
PF_InteractCallbacks &interactCallbacks();
struct _PF_UtilCallbacks *utilCallbacks();
PF_PreRenderCallbacks *preRenderCallbacks();
PF_SmartRenderCallbacks *smartRenderCallbacks();

} // namespace vlam::host
