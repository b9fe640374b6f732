#include "cli/CliContext.h"

#include "host/HostError.h"
#include "host/scene/DefaultScene.h"
#include "host/scene/SceneFile.h"

#include <charconv>
#include <iostream>
#include <utility>

namespace vlam::cli {

int &exitCode() {
  static int code = kExitOk;
  return code;
}

namespace {

// Errors a --fail-call may name instead of giving the number.
constexpr std::pair<const char *, A_Err> kErrorNames[] = {
    {"memory", PF_Err_OUT_OF_MEMORY},  {"generic", A_Err_GENERIC},           {"struct", A_Err_STRUCT},
    {"parameter", A_Err_PARAMETER},    {"wrong-thread", A_Err_WRONG_THREAD}, {"missing-suite", A_Err_MISSING_SUITE},
    {"cancel", PF_Interrupt_CANCEL},   {"bad-callback", PF_Err_BAD_CALLBACK_PARAM},
};

bool parseWhole(std::string_view text, int &value) {
  const char *end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

} // namespace

host::HostOptions::FailedCall parseFailedCall(const std::string &text) {
  const auto bad = [&](const std::string &why) { return host::HostError("--fail-call " + text + ": " + why); };
  host::HostOptions::FailedCall call;
  const std::size_t first = text.find(':');
  call.function = text.substr(0, first);
  if (call.function.empty()) throw bad("no function named");
  if (first == std::string::npos) return call;
  const std::size_t second = text.find(':', first + 1);
  const std::string_view n = std::string_view(text).substr(first + 1, second - first - 1);
  if (!parseWhole(n, call.n) || call.n < 1) throw bad("the call's number must be a whole number from 1");
  if (second == std::string::npos) return call;
  const std::string_view error = std::string_view(text).substr(second + 1);
  for (const auto &[name, code] : kErrorNames)
    if (error == name) {
      call.error = code;
      return call;
    }
  int code = 0;
  if (!parseWhole(error, code) || code == 0) throw bad("the error must be a non-zero number or a name listed in --help");
  call.error = code;
  return call;
}

std::unique_ptr<host::Host> startHost(const GlobalOptions &options, int threads) {
  host::HostOptions hostOptions;
  hostOptions.modulePath = options.modulePath;
  hostOptions.settingsPath = options.settingsPath;
  hostOptions.threads = threads;
  hostOptions.trace = options.trace ? &std::cerr : nullptr;
  hostOptions.refusedSuites = options.refusedSuites;
  for (const std::string &call : options.failedCalls) hostOptions.failedCalls.push_back(parseFailedCall(call));
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
