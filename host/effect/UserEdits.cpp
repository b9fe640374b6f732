#include "host/effect/UserEdits.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host/project/ParamCodec.h"

#include <algorithm>

namespace vlam::host {
namespace {

bool sameKey(const Keyframe &a, const Keyframe &b) {
  return a.ticks == b.ticks && a.interpolation == b.interpolation && a.value == b.value;
}

bool sameStream(const ParamStream &a, const ParamStream &b) {
  if (!(a.staticValue() == b.staticValue()) || a.keys().size() != b.keys().size()) return false;
  return std::equal(a.keys().begin(), a.keys().end(), b.keys().begin(), sameKey);
}

// Keys of `of` that `in` does not hold unchanged.
std::vector<Keyframe> keysMissing(const ParamStream &of, const ParamStream &in) {
  std::vector<Keyframe> out;
  for (const Keyframe &key : of.keys())
    if (std::none_of(in.keys().begin(), in.keys().end(), [&](const Keyframe &k) { return sameKey(k, key); }))
      out.push_back(key);
  return out;
}

// The host's time cursor sits at the edit's time while the effect runs.
class CurrentTime {
public:
  CurrentTime(Host &host, std::int64_t ticks) : host_(host), previous_(host.currentTicks) { host.currentTicks = ticks; }
  ~CurrentTime() { host_.currentTicks = previous_; }
  CurrentTime(const CurrentTime &) = delete;
  CurrentTime &operator=(const CurrentTime &) = delete;

private:
  Host &host_;
  std::int64_t previous_;
};

void checkIndex(const EffectInstance &effect, std::size_t index) {
  if (index == 0 || index >= effect.paramCount())
    throw HostError(effect.matchName() + " has no parameter #" + std::to_string(index) + " (it has #1..#" +
                    std::to_string(effect.paramCount() == 0 ? 0 : effect.paramCount() - 1) + ")");
}

UserEditResult runUserEdit(Host &host, EffectInstance &effect, std::size_t index, const ParamValue *value,
                           std::int64_t ticks) {
  const std::vector<ParamStream> before = effect.streams;
  const std::size_t groupsBefore = host.undoGroups.size();
  CurrentTime cursor(host, ticks);
  UserEditResult result;
  if (value) {
    ParamValue v = *value;
    clampToValidRange(effect.param(index), v);
    effect.streams[index].setValueAt(ticks, std::move(v));
  }
  if (effect.param(index).def().flags & PF_ParamFlag_SUPERVISE) {
    result.supervised = true;
    PF_UserChangedParamExtra extra{};
    extra.param_index = static_cast<PF_ParamIndex>(index);
    CallOptions options;
    options.ticks = ticks;
    options.settings = host.activeRender;
    options.extra = &extra;
    CallResult r = host.runner().call(effect.installed(), &effect, PF_Cmd_USER_CHANGED_PARAM, options);
    result.err = r.err;
    result.message = r.message;
    result.outFlags = r.out.out_flags;
  }
  // Every undo group the effect opened is part of this one action; one it
  // left open is closed here, so that later actions are not swallowed by it.
  for (std::size_t g = groupsBefore; g < host.undoGroups.size(); ++g) {
    UndoGroup &group = host.undoGroups[g];
    result.undoGroups.push_back(group.name);
    if (!group.closed) {
      result.unclosedUndoGroups.push_back(group.name);
      group.closed = true;
    }
  }
  // The controls are brought up to date after every user change.
  result.uiErr = host.updateParamsUi(effect, ticks);
  for (std::size_t i = 1; i < effect.paramCount() && i < before.size(); ++i) {
    if (sameStream(before[i], effect.streams[i])) continue;
    ParamEdit edit{i, before[i], effect.streams[i], keysMissing(effect.streams[i], before[i]),
                   keysMissing(before[i], effect.streams[i])};
    result.edits.push_back(std::move(edit));
  }
  // What the effect asked the general plug-in to do is done at the next idle
  // moment, which follows every user action.
  host.runIdle();
  return result;
}

} // namespace

UserEditResult userSetParam(Host &host, EffectInstance &effect, std::size_t index, ParamValue value,
                            std::int64_t ticks) {
  checkIndex(effect, index);
  if (!effect.param(index).hasValue())
    throw HostError("parameter #" + std::to_string(index) + " ('" + effect.param(index).name() + "') holds no value");
  return runUserEdit(host, effect, index, &value, ticks);
}

UserEditResult userPressButton(Host &host, EffectInstance &effect, std::size_t index, std::int64_t ticks) {
  checkIndex(effect, index);
  if (effect.param(index).type() != PF_Param_BUTTON)
    throw HostError("parameter #" + std::to_string(index) + " ('" + effect.param(index).name() +
                    "') is not a button");
  return runUserEdit(host, effect, index, nullptr, ticks);
}

} // namespace vlam::host
