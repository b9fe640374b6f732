#include "host/effect/EffectRunner.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/effect/ArbitraryCalls.h"
#include "host/effect/ErrorText.h"
#include "host/project/ArbitraryValue.h"
#include "host/project/ParamCodec.h"
#include "host/threads/CodeTime.h"

#include <AE_EffectCB.h>
#include <AE_EffectUI.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace vlam::host {
namespace {

constexpr A_long kApplicationId = 0x46585443; // 'FXTC', the compositing host

bool commandGetsParams(PF_Cmd cmd) {
  switch (cmd) {
  case PF_Cmd_FRAME_SETUP:
  case PF_Cmd_RENDER:
  case PF_Cmd_FRAME_SETDOWN:
  case PF_Cmd_USER_CHANGED_PARAM:
  case PF_Cmd_UPDATE_PARAMS_UI:
  case PF_Cmd_DO_DIALOG:
  case PF_Cmd_EVENT:
  case PF_Cmd_COMPLETELY_GENERAL:
  case PF_Cmd_QUERY_DYNAMIC_FLAGS: return true;
  default: return false;
  }
}

// Commands whose parameter array starts with every change flag clear.
bool clearsChangeFlags(PF_Cmd cmd) {
  return cmd == PF_Cmd_USER_CHANGED_PARAM || cmd == PF_Cmd_EVENT || cmd == PF_Cmd_DO_DIALOG ||
         cmd == PF_Cmd_UPDATE_PARAMS_UI;
}

// Calls after which the host takes parameter values the effect changed:
// PF_Cmd_USER_CHANGED_PARAM, and PF_Cmd_EVENT for a click, a drag or a key.
// Changes made at any other time (a draw event, PF_Cmd_DO_DIALOG,
// PF_Cmd_UPDATE_PARAMS_UI) are not honoured.
bool takesChangedValues(PF_Cmd cmd, const void *extra) {
  if (cmd == PF_Cmd_USER_CHANGED_PARAM) return true;
  if (cmd != PF_Cmd_EVENT || !extra) return false;
  const PF_EventType type = static_cast<const PF_EventExtra *>(extra)->e_type;
  return type == PF_Event_DO_CLICK || type == PF_Event_DRAG || type == PF_Event_KEYDOWN;
}

A_long clampToLong(std::int64_t v) {
  if (v > std::numeric_limits<A_long>::max()) return std::numeric_limits<A_long>::max();
  if (v < std::numeric_limits<A_long>::min()) return std::numeric_limits<A_long>::min();
  return static_cast<A_long>(v);
}

std::string hexWord(A_u_long word) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(word));
  return text;
}

std::string boundedText(const char *text, std::size_t capacity) {
  return std::string(text, strnlen(text, capacity));
}

// Sets each parameter's group path from the group starts and ends around it.
void assignGroups(std::vector<ParamDefinition> &params) {
  std::vector<std::string> open;
  for (auto &param : params) {
    if (param.type() == PF_Param_GROUP_END && !open.empty()) open.pop_back();
    param.setGroups(open);
    if (param.type() == PF_Param_GROUP_START) open.push_back(param.name());
  }
}

} // namespace

bool EffectRunner::toTicks(const EffectInstance *instance, A_long time, A_u_long scale, std::int64_t &ticks) {
  if (scale == 0) return false;
  const double perSecond = instance ? instance->layer().comp().frameRate.perSecond : 1.0;
  const double t = std::round(static_cast<double>(time) * perSecond / static_cast<double>(scale));
  if (!std::isfinite(t) || std::fabs(t) > 9e15) return false;
  ticks = static_cast<std::int64_t>(t);
  return true;
}

PF_ParamDef EffectRunner::paramAt(const EffectInstance &instance, std::size_t index, std::int64_t ticks) const {
  const ParamDefinition &param = instance.param(index);
  PF_ParamDef def = param.def();
  def.ui_flags = instance.ui[index].uiFlags;
  if (index == 0) {
    std::memset(&def.u, 0, sizeof def.u);
    def.param_type = PF_Param_LAYER;
    return def;
  }
  if (param.type() == PF_Param_LAYER) {
    std::memset(&def.u.ld, 0, sizeof def.u.ld);
    def.u.ld.dephault = param.def().u.ld.dephault;
    return def;
  }
  if (param.type() == PF_Param_ARBITRARY_DATA) {
    const ParamValue value = instance.streams[index].valueAt(ticks, false);
    def.u.arb_d.value = value.arb ? value.arb->handle() : nullptr;
    return def;
  }
  writeValue(def, instance.streams[index].valueAt(ticks, param.blendable()));
  return def;
}

PF_ParamDef EffectRunner::paramForCall(CallFrame &frame, std::size_t index, std::int64_t ticks, PF_Err &err) {
  err = PF_Err_NONE;
  PF_ParamDef def = paramAt(*frame.instance, index, ticks);
  if (def.param_type != PF_Param_ARBITRARY_DATA || !def.u.arb_d.value) return def;
  // The effect may change what it is given: it gets a copy, never the stored value.
  PF_Handle copy = nullptr;
  err = ArbitraryCalls(host_, *frame.installed, index).copy(def.u.arb_d.value, copy);
  if (err || !copy) {
    if (!err) err = PF_Err_OUT_OF_MEMORY;
    def.u.arb_d.value = nullptr;
    return def;
  }
  def.u.arb_d.value = copy;
  std::lock_guard lock(frame.arbMutex);
  frame.arbCopies.emplace_back(index, copy);
  return def;
}

bool EffectRunner::releaseArbitraryCopy(CallFrame &frame, const PF_ParamDef &def) {
  if (def.param_type != PF_Param_ARBITRARY_DATA || !def.u.arb_d.value) return false;
  std::size_t index = 0;
  {
    std::lock_guard lock(frame.arbMutex);
    auto it = std::find_if(frame.arbCopies.begin(), frame.arbCopies.end(),
                           [&](const auto &c) { return c.second == def.u.arb_d.value; });
    if (it == frame.arbCopies.end()) return false;
    index = it->first;
    frame.arbCopies.erase(it);
  }
  ArbitraryCalls(host_, *frame.installed, index).dispose(def.u.arb_d.value);
  return true;
}

void EffectRunner::disposeArbitraryCopies(CallFrame &frame) {
  std::vector<std::pair<std::size_t, PF_Handle>> copies;
  {
    std::lock_guard lock(frame.arbMutex);
    copies.swap(frame.arbCopies);
  }
  for (const auto &[index, handle] : copies) ArbitraryCalls(host_, *frame.installed, index).dispose(handle);
}

void EffectRunner::takeArbitraryValue(CallFrame &frame, std::size_t index, PF_Handle handle) {
  if (!handle) return;
  {
    // A copy the call owned becomes the stored value; a handle the effect
    // made itself is taken as long as it is one of the host's blocks.
    std::lock_guard lock(frame.arbMutex);
    auto it = std::find_if(frame.arbCopies.begin(), frame.arbCopies.end(),
                           [&](const auto &c) { return c.second == handle; });
    if (it != frame.arbCopies.end()) frame.arbCopies.erase(it);
    else if (!host_.handles().known(reinterpret_cast<void **>(handle))) return;
  }
  ParamValue value;
  value.arb = ArbitraryCalls(host_, *frame.installed, index).adopt(handle);
  frame.instance->streams[index].setValueAt(frame.ticks, value);
}

PF_Err EffectRunner::fillParams(CallFrame &frame, const PF_LayerDef *input) {
  frame.params.clear();
  frame.paramPointers.clear();
  if (!frame.instance) return PF_Err_NONE;
  const std::size_t count = frame.instance->paramCount();
  frame.params.reserve(count);
  PF_Err first = PF_Err_NONE;
  for (std::size_t i = 0; i < count; ++i) {
    PF_Err err = PF_Err_NONE;
    frame.params.push_back(paramForCall(frame, i, frame.ticks, err));
    if (!first) first = err;
  }
  if (input && count > 0) frame.params[0].u.ld = *input;
  if (clearsChangeFlags(frame.cmd))
    for (auto &p : frame.params) p.uu.change_flags = PF_ChangeFlag_NONE;
  for (auto &p : frame.params) frame.paramPointers.push_back(&p);
  return first;
}

PF_Err EffectRunner::prepareFrame(CallFrame &frame, const CallOptions &options) {
  InstalledEffect &effect = *frame.installed;
  PF_InData &in = frame.in;
  in.inter = interactCallbacks();
  in.utils = utilCallbacks();
  in.effect_ref = frame.ref();
  in.quality = options.settings.quality;
  in.version = host_.options().specVersion;
  in.appl_id = kApplicationId;
  in.num_params = static_cast<A_long>(effect.paramsReady ? effect.params.size() : 1);
  in.field = PF_Field_FRAME;
  in.downsample_x = {1, static_cast<A_u_long>(options.settings.downsample)};
  in.downsample_y = in.downsample_x;
  in.pixel_aspect_ratio = {1, 1};
  in.time_scale = 24;
  in.time_step = 1;
  in.local_time_step = 1;
  in.global_data = effect.globalData;
  in.pica_basicP = host_.basicSuite();
  if (EffectInstance *instance = frame.instance) {
    const Layer &layer = instance->layer();
    const Composition &comp = layer.comp();
    in.current_time = clampToLong(frame.ticks);
    in.time_step = comp.frameRate.perFrame;
    in.local_time_step = comp.frameRate.perFrame;
    in.total_time = clampToLong(comp.durationFrames * comp.frameRate.perFrame);
    in.time_scale = static_cast<A_u_long>(comp.frameRate.perSecond);
    // The effect API gives the shutter as fractions of a frame (1.0 = 360
    // degrees); without motion blur the composition has no shutter.
    in.shutter_angle = comp.motionBlur ? toFixed(comp.shutterAngle / 360.0) : 0;
    in.shutter_phase = comp.motionBlur ? toFixed(comp.shutterPhase / 360.0) : 0;
    in.width = layer.width;
    in.height = layer.height;
    in.extent_hint = {0, 0, options.settings.scaled(layer.width), options.settings.scaled(layer.height)};
    in.pixel_aspect_ratio = {layer.pixelAspect.num, layer.pixelAspect.den};
    in.sequence_data = instance->sequenceData;
  }
  PF_OutData &out = frame.out;
  out.global_data = in.global_data;
  out.sequence_data = in.sequence_data;
  out.num_params = in.num_params;
  out.width = in.width;
  out.height = in.height;
  return commandGetsParams(frame.cmd) ? fillParams(frame, options.input) : PF_Err_NONE;
}

CallResult EffectRunner::call(InstalledEffect &effect, EffectInstance *instance, PF_Cmd cmd,
                              const CallOptions &options) {
  if (!effect.entry)
    throw HostError(effect.name() + ": the module was built for another system; its effects cannot run here");
  CallResult result;
  auto frame = std::make_unique<CallFrame>();
  frame->host = &host_;
  frame->installed = &effect;
  frame->instance = instance;
  frame->cmd = cmd;
  frame->ticks = options.ticks;
  frame->settings = options.settings;
  frame->smart = options.smart;
  if (cmd == PF_Cmd_PARAMS_SETUP) frame->adding = &effect.params;
  const PF_Err paramsErr = prepareFrame(*frame, options);
  host_.monitor().note("call " + effect.matchName() + " " + commandText(cmd));
  if (paramsErr) {
    // Without its parameters' values the effect is not called.
    result.err = paramsErr;
    host_.report(effect.name(), "a parameter's value could not be copied for " + commandText(cmd), paramsErr);
    disposeArbitraryCopies(*frame);
    return result;
  }
  {
    FrameRegistration live(*frame);
    PF_ParamDef **params = frame->paramPointers.empty() ? nullptr : frame->paramPointers.data();
    try {
      const CodeScope moduleCode(CodeScope::Side::Module);
      result.err = effect.entry(cmd, &frame->in, &frame->out, params, options.output, options.extra);
    } catch (...) {
      // The entry point let an exception out; the host survives it.
      result.err = PF_Err_INTERNAL_STRUCT_DAMAGED;
      host_.report(effect.name(), "an exception left the entry point (" + commandText(cmd) + ")", result.err);
    }
  }
  takeBack(*frame, result, takesChangedValues(cmd, options.extra));
  disposeArbitraryCopies(*frame);
  return result;
}

void EffectRunner::takeBack(CallFrame &frame, CallResult &result, bool takeValues) {
  InstalledEffect &effect = *frame.installed;
  PF_OutData &out = frame.out;
  result.out = out;
  if (out.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE) {
    result.message = boundedText(out.return_msg, sizeof out.return_msg);
    host_.report(effect.name(), result.message, result.err);
  }
  if (frame.outstandingCheckouts > 0)
    host_.report(effect.name(), std::to_string(frame.outstandingCheckouts) + " parameter checkout(s) not checked in (" +
                                    commandText(frame.cmd) + ")");

  switch (frame.cmd) {
  case PF_Cmd_GLOBAL_SETUP:
    effect.globalData = out.global_data;
    effect.myVersion = out.my_version;
    effect.outFlags = out.out_flags;
    effect.outFlags2 = out.out_flags2;
    break;
  case PF_Cmd_GLOBAL_SETDOWN:
    effect.globalData = out.global_data;
    break;
  default: break;
  }
  if (EffectInstance *instance = frame.instance) {
    // A flattened copy is handed over; the effect keeps its own data.
    if (frame.cmd != PF_Cmd_GET_FLATTENED_SEQUENCE_DATA) instance->sequenceData = out.sequence_data;
    if (takeValues) {
      for (std::size_t i = 1; i < frame.params.size() && i < instance->paramCount(); ++i) {
        const PF_ParamDef &def = frame.params[i];
        if (!(def.uu.change_flags & PF_ChangeFlag_CHANGED_VALUE) || !instance->param(i).hasValue()) continue;
        if (def.param_type != instance->param(i).type()) continue;
        if (def.param_type == PF_Param_ARBITRARY_DATA) {
          takeArbitraryValue(frame, i, def.u.arb_d.value);
          continue;
        }
        ParamValue value = readValue(def);
        clampToValidRange(instance->param(i), value);
        instance->streams[i].setValueAt(frame.ticks, value);
      }
    }
  }
}

PF_Err EffectRunner::ensureReady(InstalledEffect &effect) {
  if (!effect.globalSetupDone) {
    effect.globalSetupDone = true;
    CallResult r = call(effect, nullptr, PF_Cmd_GLOBAL_SETUP);
    effect.globalSetupError = r.err;
    // The host warns when the two disagree, as the real host does.
    const auto compare = [&](const char *word, A_u_long setup, const std::optional<std::uint32_t> &listed) {
      if (!r.err && listed && setup != *listed)
        host_.report(effect.name(), std::string("global setup and property list disagree on ") + word + ": " +
                                        hexWord(setup) + " against " + hexWord(*listed));
    };
    compare("out-flags", static_cast<A_u_long>(effect.outFlags), effect.pipl.outFlags);
    compare("out-flags2", static_cast<A_u_long>(effect.outFlags2), effect.pipl.outFlags2);
    compare("the version", effect.myVersion, effect.pipl.effectVersion);
  }
  if (effect.globalSetupError) return effect.globalSetupError;
  if (!effect.paramsReady) {
    effect.params.clear();
    PF_ParamDef input;
    std::memset(&input, 0, sizeof input);
    input.param_type = PF_Param_LAYER;
    input.u.ld.dephault = PF_LayerDefault_MYSELF;
    effect.params.emplace_back(input);
    CallResult r = call(effect, nullptr, PF_Cmd_PARAMS_SETUP);
    if (r.err) {
      disposeArbitraryDefaults(effect);
      effect.params.clear();
      return r.err;
    }
    if (r.out.num_params != static_cast<A_long>(effect.params.size())) {
      host_.report(effect.name(), "declared " + std::to_string(r.out.num_params) + " parameters but added " +
                                      std::to_string(effect.params.size()),
                   PF_Err_INTERNAL_STRUCT_DAMAGED);
      disposeArbitraryDefaults(effect);
      effect.params.clear();
      return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
    assignGroups(effect.params);
    makeArbitraryDefaults(effect);
    effect.paramsReady = true;
  }
  return PF_Err_NONE;
}

void EffectRunner::makeArbitraryDefaults(InstalledEffect &effect) {
  for (std::size_t i = 1; i < effect.params.size(); ++i) {
    PF_ParamDef &def = effect.params[i].def();
    if (def.param_type != PF_Param_ARBITRARY_DATA) continue;
    // The default handle now belongs to the host; it must be one of its blocks.
    if (def.u.arb_d.dephault && !host_.handles().known(reinterpret_cast<void **>(def.u.arb_d.dephault))) {
      host_.report(effect.name(), "an arbitrary-data default is not a host handle", PF_Err_INTERNAL_STRUCT_DAMAGED);
      def.u.arb_d.dephault = nullptr;
    }
    // An effect that gave no default is asked for a new value.
    if (!def.u.arb_d.dephault) {
      PF_Handle fresh = nullptr;
      if (!ArbitraryCalls(host_, effect, i).makeNew(fresh)) def.u.arb_d.dephault = fresh;
    }
    def.u.arb_d.value = nullptr;
  }
}

void EffectRunner::disposeArbitraryDefaults(InstalledEffect &effect) {
  for (std::size_t i = 1; i < effect.params.size(); ++i) {
    PF_ParamDef &def = effect.params[i].def();
    if (def.param_type != PF_Param_ARBITRARY_DATA || !def.u.arb_d.dephault) continue;
    const PF_Handle dflt = def.u.arb_d.dephault;
    def.u.arb_d.dephault = nullptr;
    if (host_.handles().known(reinterpret_cast<void **>(dflt))) ArbitraryCalls(host_, effect, i).dispose(dflt);
  }
}

std::string EffectRunner::about(InstalledEffect &effect) {
  if (PF_Err err = ensureReady(effect))
    throw HostError(effect.matchName() + ": the effect failed to set up (error " + std::to_string(err) + ")");
  CallResult r = call(effect, nullptr, PF_Cmd_ABOUT);
  if (r.err) throw HostError(effect.matchName() + ": about failed (error " + std::to_string(r.err) + ")");
  return boundedText(r.out.return_msg, sizeof r.out.return_msg);
}

std::unique_ptr<EffectInstance> EffectRunner::newInstance(InstalledEffect &effect, Layer &layer) {
  auto instance = std::make_unique<EffectInstance>(effect, layer, host_.project().nextEffectId());
  instance->streams.reserve(effect.params.size());
  for (std::size_t i = 0; i < effect.params.size(); ++i) {
    const ParamDefinition &param = effect.params[i];
    ParamValue value = defaultValue(param, layer.width, layer.height, static_cast<int>(layer.id()));
    if (param.type() == PF_Param_ARBITRARY_DATA && param.def().u.arb_d.dephault) {
      // Each instance starts with its own copy of the default.
      ArbitraryCalls calls(host_, effect, i);
      PF_Handle copy = nullptr;
      if (!calls.copy(param.def().u.arb_d.dephault, copy)) value.arb = calls.adopt(copy);
    }
    instance->streams.emplace_back(std::move(value));
    instance->ui.push_back({param.def().ui_flags, 0});
  }
  return instance;
}

PF_Err EffectRunner::sequenceSetup(EffectInstance &instance) {
  return call(instance.installed(), &instance, PF_Cmd_SEQUENCE_SETUP).err;
}

PF_Err EffectRunner::sequenceResetup(EffectInstance &instance) {
  if (instance.loadedSequenceBytes) {
    const auto &bytes = *instance.loadedSequenceBytes;
    if (PF_Handle h = reinterpret_cast<PF_Handle>(host_.handles().allocate(bytes.size()))) {
      if (!bytes.empty()) std::memcpy(*h, bytes.data(), bytes.size());
      instance.sequenceData = h;
    }
    instance.loadedSequenceBytes.reset();
  }
  return call(instance.installed(), &instance, PF_Cmd_SEQUENCE_RESETUP).err;
}

std::optional<std::vector<std::uint8_t>> EffectRunner::flatSequenceData(EffectInstance &instance) {
  HandleTable &handles = host_.handles();
  const auto bytesOf = [&](PF_Handle h) -> std::optional<std::vector<std::uint8_t>> {
    auto **block = reinterpret_cast<void **>(h);
    if (!h || !handles.known(block)) return std::nullopt;
    const auto *first = static_cast<const std::uint8_t *>(*block);
    return std::vector<std::uint8_t>(first, first + handles.size(block));
  };
  const InstalledEffect &effect = instance.installed();
  if (!instance.sequenceData || !(effect.outFlags & PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING))
    return bytesOf(instance.sequenceData);
  if (effect.outFlags2 & PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA) {
    const CallResult r = call(instance.installed(), &instance, PF_Cmd_GET_FLATTENED_SEQUENCE_DATA);
    const PF_Handle flat = r.out.sequence_data;
    std::optional<std::vector<std::uint8_t>> bytes = r.err ? std::nullopt : bytesOf(flat);
    if (flat && flat != instance.sequenceData && handles.known(reinterpret_cast<void **>(flat)))
      handles.dispose(reinterpret_cast<void **>(flat));
    if (!bytes) host_.report(effect.name(), "its sequence data could not be flattened; it is not saved", r.err);
    return bytes;
  }
  // The effect replaces its data with a flat copy, then makes its working
  // data again from that copy.
  const PF_Err err = call(instance.installed(), &instance, PF_Cmd_SEQUENCE_FLATTEN).err;
  if (err) {
    host_.report(effect.name(), "its sequence data could not be flattened; it is not saved", err);
    return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> bytes = bytesOf(instance.sequenceData);
  call(instance.installed(), &instance, PF_Cmd_SEQUENCE_RESETUP);
  return bytes;
}

PF_Err EffectRunner::sequenceSetdown(EffectInstance &instance) {
  const PF_Err err = call(instance.installed(), &instance, PF_Cmd_SEQUENCE_SETDOWN).err;
  // Sequence data the effect did not free (not every effect handles setdown)
  // dies with the instance.
  if (instance.sequenceData && host_.handles().known(reinterpret_cast<void **>(instance.sequenceData)))
    host_.handles().dispose(reinterpret_cast<void **>(instance.sequenceData));
  instance.sequenceData = nullptr;
  return err;
}

PF_Err EffectRunner::globalSetdown(InstalledEffect &effect) {
  if (!effect.globalSetupDone || effect.globalSetupError) return PF_Err_NONE;
  // Default values go back to the effect while its handlers still live.
  disposeArbitraryDefaults(effect);
  CallResult r = call(effect, nullptr, PF_Cmd_GLOBAL_SETDOWN);
  // Global data the effect left behind is the host's to free.
  if (effect.globalData && host_.handles().known(reinterpret_cast<void **>(effect.globalData)))
    host_.handles().dispose(reinterpret_cast<void **>(effect.globalData));
  effect.globalSetupDone = false;
  effect.paramsReady = false;
  effect.globalData = nullptr;
  return r.err;
}

} // namespace vlam::host
