// vlam set SCENE --layer L --effect N --param P --value V [--frame F] [-o OUT]:
// a user changing one parameter of an effect, with everything the host does
// after it (the effect is told and may rewrite other parameters); saved.
#include "cli/CliContext.h"
#include "cli/UserEditReport.h"
#include "host/HostError.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/ParamJson.h"

#include <nlohmann/json.hpp>

namespace vlam::cli {
namespace {

// The value as JSON (numbers, [x, y], true); anything that is not JSON is
// taken as text (a popup item such as EZ-Aim). A number beyond what a double
// holds (1e400) is refused by name.
nlohmann::ordered_json valueJson(const std::string &text) {
  try {
    return nlohmann::ordered_json::parse(text);
  } catch (const nlohmann::json::parse_error &) {
    return text;
  } catch (const nlohmann::json::out_of_range &) {
    throw host::HostError("value " + text + " is out of range (a number beyond +-1.8e308)");
  }
}

void run(const GlobalOptions &options, const EditTarget &target, const std::string &valueText) {
  OpenTarget open = openTarget(options, target);
  std::size_t index = 0;
  host::ParamValue value;
  try {
    index = host::resolveParam(open.effect->installed(), target.param);
    value = host::paramValueFromJson(open.effect->param(index), valueJson(valueText), open.layer->comp());
  } catch (const host::HostError &e) {
    throw host::HostError("--param " + target.param + ": " + e.what());
  }
  const std::size_t before = open.host->messages.size();
  const host::UserEditResult result = host::userSetParam(*open.host, *open.effect, index, value, open.ticks);
  finishUserEdit(open, result, before, target);
}

} // namespace

void addSetCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("set", "Change a parameter as a user would, let the effect answer, save the scene");
  auto target = std::make_shared<EditTarget>();
  auto value = std::make_shared<std::string>();
  addEditTargetOptions(*cmd, *target, "Parameter address, as in scene files (\"Position\", \"#6\")");
  cmd->add_option("--value", *value, "The value, as in scene files ([x, y], 12, true, EZ-Aim)")->required();
  cmd->callback([&options, target, value] { run(options, *target, *value); });
}

} // namespace vlam::cli
