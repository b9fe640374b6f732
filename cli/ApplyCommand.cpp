// vlam apply SCENE --layer NAME --effect MATCH_NAME [-o OUT]: a user applying
// an effect; the host then runs its idle hooks and the project is saved.
#include "cli/CliContext.h"
#include "host/HostError.h"
#include "host/scene/SceneFile.h"

#include <iostream>

namespace vlam::cli {
namespace {

struct ApplyArgs {
  std::string scene;
  std::string layer;
  std::string effect;
  std::string output;
};

std::string firstLine(const std::string &text) {
  std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return "(empty)";
  std::size_t end = text.find_first_of("\r\n", start);
  std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
  return line.size() > 72 ? line.substr(0, 72) + "..." : line;
}

void run(const GlobalOptions &options, const ApplyArgs &args) {
  auto host = startHost(options);
  openScene(*host, args.scene);
  host::Layer &layer = findLayer(host->project(), args.layer, args.scene);
  if (!host->findInstalled(args.effect))
    throw host::HostError("unknown effect match name '" + args.effect + "' (see 'vlam effects')");
  PF_Err err = PF_Err_NONE;
  host::EffectInstance *applied = host->applyEffect(layer, args.effect, &err);
  // What the plug-ins reported since the host started (a general plug-in
  // that could not start, an effect of the module stack that could not be
  // applied) means the layer is not what was asked for: nothing is saved.
  printHostMessages(*host);
  if (!applied || !host->messages.empty()) {
    std::cerr << "vlam: " << args.scene << ": applying " << args.effect << " to layer '" << args.layer << "' failed";
    if (!applied) std::cerr << " (error " << err << ")";
    std::cerr << "; nothing written\n";
    exitCode() = kExitError;
    return;
  }
  for (const std::string &script : host->scripts) std::cout << "host script run: " << firstLine(script) << '\n';
  std::cout << "layer '" << layer.name << "' effects, top to bottom:\n";
  for (std::size_t i = 0; i < layer.effects.size(); ++i)
    std::cout << "  " << i << "  " << layer.effects[i]->installed().name() << " (" << layer.effects[i]->matchName()
              << ")\n";
  const std::string out = args.output.empty() ? args.scene : args.output;
  host::saveScene(host->project(), out);
  std::cout << "saved " << out << '\n';
}

} // namespace

void addApplyCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("apply", "Apply an effect to a layer of a scene and save the scene");
  auto args = std::make_shared<ApplyArgs>();
  cmd->add_option("SCENE", args->scene, "Scene file")->required();
  cmd->add_option("--layer", args->layer, "Layer name")->required();
  cmd->add_option("--effect", args->effect, "Match name of the effect, e.g. zk_Vlam")->required();
  cmd->add_option("-o,--output", args->output, "Where to save (default: overwrite SCENE)");
  cmd->callback([&options, args] { run(options, *args); });
}

} // namespace vlam::cli
