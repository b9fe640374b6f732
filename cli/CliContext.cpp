#include "cli/CliContext.h"

#include "host/HostError.h"
#include "host/scene/DefaultScene.h"
#include "host/scene/SceneFile.h"

#include <iostream>

namespace vlam::cli {

int &exitCode() {
  static int code = kExitOk;
  return code;
}

std::unique_ptr<host::Host> startHost(const GlobalOptions &options, int threads) {
  host::HostOptions hostOptions;
  hostOptions.modulePath = options.modulePath;
  hostOptions.settingsPath = options.settingsPath;
  hostOptions.threads = threads;
  hostOptions.trace = options.trace ? &std::cerr : nullptr;
  hostOptions.refusedSuites = options.refusedSuites;
  return std::make_unique<host::Host>(hostOptions);
}

void openScene(host::Host &host, const std::string &file) {
  if (file.empty()) {
    host::openDefaultScene(host);
    return;
  }
  host.openProject(host::readScene(host, file));
}

host::Layer &findLayer(host::Project &project, const std::string &name, const std::string &file) {
  for (const auto &comp : project.comps)
    if (host::Layer *layer = comp->findLayer(name)) return *layer;
  throw host::HostError(file + ": no layer named '" + name + "'");
}

std::size_t printHostMessages(const host::Host &host, std::size_t first) {
  std::size_t printed = 0;
  for (std::size_t i = first; i < host.messages.size(); ++i, ++printed) {
    const host::HostMessage &m = host.messages[i];
    std::cerr << m.source << ": " << m.text;
    if (m.error) std::cerr << " (error " << m.error << ")";
    std::cerr << '\n';
  }
  return printed;
}

} // namespace vlam::cli
