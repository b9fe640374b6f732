#include "host/ui/LayerChanges.h"

#include "host/module/InstalledEffect.h"
#include "host/project/Project.h"
#include "host/ui/ParamText.h"

#include <algorithm>

namespace vlam::host {
namespace {

const LayerSnapshot::Effect *findEffect(const LayerSnapshot &s, std::uint32_t id) {
  for (const auto &e : s.effects)
    if (e.id == id) return &e;
  return nullptr;
}

std::string effectLabel(const Layer &layer, std::size_t index) {
  return "effect " + std::to_string(index) + " " + layer.effects[index]->installed().name();
}

} // namespace

LayerSnapshot LayerSnapshot::take(const Layer &layer, std::int64_t ticks) {
  LayerSnapshot s;
  for (const auto &effect : layer.effects) {
    Effect e;
    e.id = effect->id();
    for (std::size_t i = 0; i < effect->paramCount(); ++i)
      e.values.push_back(effect->param(i).hasValue() ? effect->streams[i].valueAt(ticks, effect->param(i).blendable())
                                                     : ParamValue{});
    s.effects.push_back(std::move(e));
  }
  return s;
}

std::vector<std::string> describeChanges(const LayerSnapshot &before, const LayerSnapshot &after, const Layer &layer) {
  std::vector<std::string> lines;
  bool stackChanged = before.effects.size() != after.effects.size();
  for (std::size_t i = 0; i < after.effects.size() && i < layer.effects.size(); ++i) {
    const auto &now = after.effects[i];
    const auto *was = findEffect(before, now.id);
    if (!was) {
      lines.push_back("applied " + layer.effects[i]->installed().name() + " (" + layer.effects[i]->matchName() +
                      ") as effect " + std::to_string(i));
      stackChanged = true;
      continue;
    }
    if (i >= before.effects.size() || before.effects[i].id != now.id) stackChanged = true;
    const EffectInstance &effect = *layer.effects[i];
    for (std::size_t p = 1; p < now.values.size() && p < was->values.size(); ++p) {
      if (now.values[p] == was->values[p]) continue;
      const ParamDefinition &param = effect.param(p);
      std::string name = param.name();
      if (name.empty()) name = "parameter " + std::to_string(p);
      std::string line = effectLabel(layer, i) + ": " + name + ": ";
      if (param.type() == PF_Param_ARBITRARY_DATA) line += "changed";
      else line += paramValueText(param, was->values[p]) + " -> " + paramValueText(param, now.values[p]);
      lines.push_back(line);
    }
  }
  for (const auto &was : before.effects)
    if (!findEffect(after, was.id)) lines.push_back("removed an effect (id " + std::to_string(was.id) + ")");
  if (stackChanged) {
    std::string stack = "effects now, top to bottom:";
    for (std::size_t i = 0; i < layer.effects.size(); ++i)
      stack += (i ? ", " : " ") + std::to_string(i) + " " + layer.effects[i]->installed().name();
    lines.push_back(stack);
  }
  return lines;
}

} // namespace vlam::host
