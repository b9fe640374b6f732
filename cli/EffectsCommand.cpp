// vlam effects: the installed plug-ins, as their property lists describe them.
#include "cli/CliContext.h"
#include "cli/Formatting.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace vlam::cli {
namespace {

nlohmann::ordered_json pluginJson(const host::PiplInfo &pipl) {
  nlohmann::ordered_json j = {{"resource_id", pipl.resourceId},
                              {"kind", pipl.isEffect() ? "effect" : "general"},
                              {"name", pipl.name},
                              {"category", pipl.category},
                              {"entry_point", pipl.entryPoint}};
  if (pipl.isEffect()) j["match_name"] = pipl.matchName;
  if (pipl.effectVersion) {
    j["version"] = hex32(*pipl.effectVersion);
    j["version_text"] = versionText(*pipl.effectVersion);
  }
  if (pipl.version) j["version"] = hex32(*pipl.version);
  if (pipl.specVersion)
    j["spec_version"] = std::to_string(*pipl.specVersion & 0xFFFF) + "." + std::to_string(*pipl.specVersion >> 16);
  if (pipl.outFlags) j["out_flags"] = hex32(*pipl.outFlags);
  if (pipl.outFlags2) j["out_flags2"] = hex32(*pipl.outFlags2);
  return j;
}

void run(const GlobalOptions &options, bool json) {
  auto host = startHost(options);
  std::vector<const host::PiplInfo *> lists;
  for (const auto &plugin : host->generalPlugins()) lists.push_back(&plugin.pipl);
  for (const auto &effect : host->installedEffects()) lists.push_back(&effect->pipl);
  std::sort(lists.begin(), lists.end(), [](auto *a, auto *b) { return a->resourceId < b->resourceId; });
  if (json) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const auto *pipl : lists) out.push_back(pluginJson(*pipl));
    std::cout << out.dump(2) << '\n';
  } else {
    for (const auto *pipl : lists) {
      std::cout << pipl->resourceId << "  " << pipl->name;
      if (pipl->isEffect()) {
        std::cout << "  [" << pipl->matchName << "]  " << pipl->category << "  " << pipl->entryPoint;
        if (pipl->effectVersion) std::cout << "  v" << versionText(*pipl->effectVersion);
        if (pipl->outFlags) std::cout << "  flags " << hex32(*pipl->outFlags);
        if (pipl->outFlags2) std::cout << " / " << hex32(*pipl->outFlags2);
      } else {
        std::cout << "  (general plug-in)  " << pipl->category << "  " << pipl->entryPoint;
      }
      std::cout << '\n';
    }
  }
  printHostMessages(*host);
}

} // namespace

void addEffectsCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("effects", "List the plug-ins the module carries, read from their property lists");
  auto json = std::make_shared<bool>(false);
  cmd->add_flag("--json", *json, "Print JSON");
  cmd->callback([&options, json] { run(options, *json); });
}

} // namespace vlam::cli
