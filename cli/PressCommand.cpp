// vlam press SCENE --layer L --effect N --param P --frame F [-o OUT]: a user
// clicking a button parameter with the time cursor at a frame; saved.
#include "cli/CliContext.h"
#include "cli/UserEditReport.h"
#include "host/HostError.h"
#include "host/scene/ParamAddress.h"

namespace vlam::cli {
namespace {

void run(const GlobalOptions &options, const EditTarget &target) {
  OpenTarget open = openTarget(options, target);
  std::size_t index = 0;
  try {
    index = host::resolveAnyParam(open.effect->installed(), target.param);
  } catch (const host::HostError &e) {
    throw host::HostError("--param " + target.param + ": " + e.what());
  }
  const std::size_t before = open.host->messages.size();
  const host::UserEditResult result = host::userPressButton(*open.host, *open.effect, index, open.ticks);
  finishUserEdit(open, result, before, target);
}

} // namespace

void addPressCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("press", "Press a button parameter at a frame, let the effect answer, save the scene");
  auto target = std::make_shared<EditTarget>();
  addEditTargetOptions(*cmd, *target, "The button, as in scene files (\"Add Keyframes\", \"#17\")");
  cmd->callback([&options, target] { run(options, *target); });
}

} // namespace vlam::cli
