// vlam view SCENE --frame F [--window comp|layer] [--layer L] -o view.png:
// the composition window (or a layer window) with the effects' overlays.
#include "cli/CliContext.h"
#include "host/HostError.h"
#include "host/io/ImageFiles.h"
#include "host/ui/ViewWindow.h"

#include <iostream>

namespace vlam::cli {
namespace {

struct ViewArgs {
  std::string scene;
  std::int64_t frame = 0;
  std::string window = "comp";
  std::string layer;
  std::string output;
};

void run(const GlobalOptions &options, const ViewArgs &args) {
  auto host = startHost(options);
  openScene(*host, args.scene);
  host::Layer *layer = args.layer.empty() ? nullptr : &findLayer(host->project(), args.layer, args.scene);
  if (host->project().comps.empty()) throw host::HostError(args.scene + ": the scene has no composition");
  host::Composition &comp = layer ? layer->comp() : *host->project().comps.front();
  PF_WindowType window = PF_Window_COMP;
  if (args.window == "layer") {
    window = PF_Window_LAYER;
    if (!layer) throw host::HostError("--window layer needs --layer");
  } else if (args.window != "comp") {
    throw host::HostError("--window " + args.window + ": expected comp or layer");
  }
  if (args.frame < 0 || args.frame >= comp.durationFrames)
    throw host::HostError("--frame " + std::to_string(args.frame) + ": the composition has frames 0 to " +
                          std::to_string(comp.durationFrames - 1));
  host->currentTicks = comp.ticksOfFrame(static_cast<double>(args.frame));
  const std::size_t before = host->messages.size();
  std::vector<std::string> problems;
  const host::Image image = host::drawViewWindow(*host, comp, args.frame, window, layer, {}, problems);
  printHostMessages(*host, before);
  for (const auto &p : problems) std::cerr << "vlam: " << p << '\n';
  host::writePng(args.output, image, 8);
  std::cout << "wrote " << args.output << " (" << image.width() << " x " << image.height() << ")\n";
  if (!problems.empty()) exitCode() = kExitError;
}

} // namespace

void addViewCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("view", "Draw the composition or a layer window with the effects' overlays");
  auto args = std::make_shared<ViewArgs>();
  cmd->add_option("SCENE", args->scene, "Scene file")->required();
  cmd->add_option("--frame", args->frame, "Composition frame (default 0)");
  cmd->add_option("--window", args->window, "comp (default) or layer");
  cmd->add_option("--layer", args->layer, "The layer (the layer window's; in the comp window: only its overlays)");
  cmd->add_option("-o,--output", args->output, "PNG file to write")->required();
  cmd->callback([&options, args] { run(options, *args); });
}

} // namespace vlam::cli
