// vlam about MATCH_NAME: an effect's about text.
#include "cli/CliContext.h"
#include "cli/Formatting.h"
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace vlam::cli {
namespace {

void run(const GlobalOptions &options, const std::string &matchName, bool json) {
  auto host = startHost(options);
  host::InstalledEffect *effect = host->findInstalled(matchName);
  if (!effect) throw host::HostError("unknown effect match name '" + matchName + "' (see 'vlam effects')");
  const std::string text = host->runner().about(*effect);
  if (json)
    std::cout << nlohmann::ordered_json{{"match_name", matchName}, {"about", text}}.dump(2) << '\n';
  else
    std::cout << terminalText(text) << '\n';
  printHostMessages(*host);
}

} // namespace

void addAboutCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("about", "Print an effect's about text");
  auto matchName = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  cmd->add_option("MATCH_NAME", *matchName, "The effect's match name, e.g. zk_Vlam")->required();
  cmd->add_flag("--json", *json, "Print JSON (the text with its carriage returns)");
  cmd->callback([&options, matchName, json] { run(options, *matchName, *json); });
}

} // namespace vlam::cli
