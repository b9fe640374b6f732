// vlam presets [--json]: the Flash Builder's ten profile curve presets as the
// host's settings file holds them.
#include "cli/CliContext.h"
#include "host/settings/CurvePresets.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace vlam::cli {
namespace {

void run(const GlobalOptions &options, bool asJson) {
  auto host = startHost(options);
  const auto presets = host::storedCurvePresets(*host);
  if (asJson) {
    nlohmann::ordered_json keys = nlohmann::ordered_json::object();
    for (const auto &[key, text] : presets) keys[key] = text;
    std::cout << nlohmann::ordered_json{{"section", host::kCurvePresetSection}, {"presets", std::move(keys)}}.dump(2)
              << '\n';
  } else {
    for (const auto &[key, text] : presets) std::cout << key << "  " << text << '\n';
  }
  printHostMessages(*host);
}

} // namespace

void addPresetsCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("presets", "List the Flash Builder's profile curve presets as stored");
  auto json = std::make_shared<bool>(false);
  cmd->add_flag("--json", *json, "Print JSON");
  cmd->callback([&options, json] { run(options, *json); });
}

} // namespace vlam::cli
