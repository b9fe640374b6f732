// The Windows build has no drawing library (cairo), so the commands that
// draw an effect's controls or a window, or act on drawn controls, are left
// out of it. They are still listed, so that `--help` and the commands
// themselves say so.
#include "cli/CliContext.h"
#include "host/HostError.h"

namespace vlam::cli {
namespace {

constexpr const char *kLeftOut = " (left out of the Windows build: it has no drawing library)";

void addLeftOut(CLI::App &app, const std::string &name, const std::string &help) {
  auto *cmd = app.add_subcommand(name, help + kLeftOut);
  cmd->prefix_command(); // whatever follows is taken, unread
  cmd->fallthrough(false);
  cmd->callback([name] {
    throw host::HostError(name + ": this command draws with cairo, which the Windows build leaves out; "
                                 "use the Linux build of vlam for it");
  });
}

} // namespace

void addPanelCommands(CLI::App &app, GlobalOptions &) {
  addLeftOut(app, "panel", "Draw an effect's controls as the effect-controls panel shows them");
  addLeftOut(app, "click", "Click on a parameter's control in the effect-controls panel");
  addLeftOut(app, "drag", "Drag on a parameter's control in the effect-controls panel");
  addLeftOut(app, "hover", "Move the mouse over a parameter's control and report the cursor");
}

void addViewCommand(CLI::App &app, GlobalOptions &) {
  addLeftOut(app, "view", "Draw the composition or a layer window with the effects' overlays");
}

} // namespace vlam::cli
