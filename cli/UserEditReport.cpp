#include "cli/UserEditReport.h"

#include "cli/CliContext.h"
#include "host/HostError.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/ParamJson.h"
#include "host/scene/SceneFile.h"

#include <charconv>
#include <iostream>
#include <sstream>

namespace vlam::cli {
namespace {

std::string frameText(const host::Composition &comp, std::int64_t ticks) {
  const double frame = comp.frameOfTicks(ticks);
  std::ostringstream out;
  out << frame;
  return out.str();
}

std::string keyText(const host::ParamDefinition &param, const host::Keyframe &key, const host::Composition &comp) {
  return "frame " + frameText(comp, key.ticks) + " = " + host::paramValueToJson(param, key.value, comp).dump() +
         (key.interpolation == host::Interpolation::Hold ? " (hold)" : " (linear)");
}

} // namespace

host::EffectInstance &findEffectOnLayer(host::Layer &layer, const std::string &which, const std::string &file) {
  std::size_t index = 0;
  auto [end, ec] = std::from_chars(which.data(), which.data() + which.size(), index);
  if (!which.empty() && ec == std::errc() && end == which.data() + which.size()) {
    if (index >= layer.effects.size())
      throw host::HostError(file + ": layer '" + layer.name + "' has no effect " + which + " (it has " +
                            std::to_string(layer.effects.size()) + ")");
    return *layer.effects[index];
  }
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < layer.effects.size(); ++i)
    if (layer.effects[i]->matchName() == which) found.push_back(i);
  if (found.empty()) throw host::HostError(file + ": layer '" + layer.name + "' has no effect '" + which + "'");
  if (found.size() > 1) {
    std::string list;
    for (std::size_t i : found) list += (list.empty() ? "" : ", ") + std::to_string(i);
    throw host::HostError(file + ": layer '" + layer.name + "' has " + std::to_string(found.size()) + " '" + which +
                          "' effects (at " + list + "); name one by its index");
  }
  return *layer.effects[found[0]];
}

std::int64_t ticksOfFrame(const host::Layer &layer, double frame, const std::string &file) {
  const host::Composition &comp = layer.comp();
  if (!(frame >= 0 && frame < static_cast<double>(comp.durationFrames)))
    throw host::HostError(file + ": frame " + std::to_string(frame) + " is outside the composition (0.." +
                          std::to_string(comp.durationFrames - 1) + ")");
  return comp.ticksOfFrame(frame);
}

void addEditTargetOptions(CLI::App &cmd, EditTarget &target, const std::string &paramHelp) {
  cmd.add_option("SCENE", target.scene, "Scene file")->required();
  cmd.add_option("--layer", target.layer, "Layer name")->required();
  cmd.add_option("--effect", target.effect, "The effect: its index in the stack (top 0) or its match name")->required();
  cmd.add_option("--param", target.param, paramHelp)->required();
  cmd.add_option("--frame", target.frame, "Where the time cursor is (default 0)");
  cmd.add_option("-o,--output", target.output, "Where to save (default: overwrite SCENE)");
}

OpenTarget openTarget(const GlobalOptions &options, const EditTarget &target) {
  OpenTarget open;
  open.host = startHost(options);
  openScene(*open.host, target.scene);
  open.layer = &findLayer(open.host->project(), target.layer, target.scene);
  open.effect = &findEffectOnLayer(*open.layer, target.effect, target.scene);
  open.ticks = ticksOfFrame(*open.layer, target.frame, target.scene);
  return open;
}

void finishUserEdit(const OpenTarget &open, const host::UserEditResult &result, std::size_t messagesBefore,
                    const EditTarget &target) {
  host::Host &host = *open.host;
  const host::EffectInstance &effect = *open.effect;
  const std::int64_t ticks = open.ticks;
  const std::string output = target.output.empty() ? target.scene : target.output;
  const host::Composition &comp = effect.layer().comp();
  const host::InstalledEffect &installed = effect.installed();
  printHostMessages(host, messagesBefore);
  if (!result.supervised) std::cout << "the effect is not told of changes to this parameter\n";
  for (const host::ParamEdit &edit : result.edits) {
    const host::ParamDefinition &param = effect.param(edit.index);
    const auto before = host::paramValueToJson(param, edit.before.valueAt(ticks, param.blendable()), comp);
    const auto after = host::paramValueToJson(param, edit.after.valueAt(ticks, param.blendable()), comp);
    std::cout << "changed " << host::paramAddress(installed, edit.index);
    if (before != after) std::cout << ": " << before.dump() << " -> " << after.dump();
    std::cout << '\n';
    for (const host::Keyframe &key : edit.keysWritten) std::cout << "  key written: " << keyText(param, key, comp) << '\n';
    for (const host::Keyframe &key : edit.keysRemoved) std::cout << "  key replaced: " << keyText(param, key, comp) << '\n';
  }
  if (result.edits.empty()) std::cout << "no parameter changed\n";
  for (const std::string &group : result.undoGroups) std::cout << "undo group: \"" << group << "\"\n";
  for (const std::string &group : result.unclosedUndoGroups)
    std::cerr << "vlam: the effect left undo group \"" << group << "\" open; the host closed it\n";
  if (result.outFlags & PF_OutFlag_FORCE_RERENDER) std::cout << "the effect asked for a new render\n";
  if (result.err != PF_Err_NONE) {
    std::cerr << "vlam: " << installed.name() << " failed the change (error " << result.err << "); nothing written\n";
    exitCode() = kExitError;
    return;
  }
  if (result.uiErr != PF_Err_NONE)
    std::cerr << "vlam: " << installed.name() << " failed to update its controls (error " << result.uiErr << ")\n";
  host::saveScene(host.project(), output);
  std::cout << "saved " << output << '\n';
}

} // namespace vlam::cli
