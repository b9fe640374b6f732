#pragma once
#include "host/Host.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

namespace vlam::cli {

// Options every command understands, and the host they configure.
struct GlobalOptions {
  std::string settingsPath;
  std::string modulePath;
  bool trace = false;
  std::vector<std::string> refusedSuites;
  std::vector<std::string> failedCalls; // FUNCTION[:N[:ERROR]]
};

// Reads a --fail-call value: FUNCTION, then optionally the call's number
// (from 1) and the error, a number or one of the names in --help. Throws
// HostError naming the value when it is malformed.
host::HostOptions::FailedCall parseFailedCall(const std::string &text);

// Starts the host as the global options say; `threads` 0 means one per
// processor.
std::unique_ptr<host::Host> startHost(const GlobalOptions &options, int threads = 0);

// Prints what the host showed its user (effect messages, plug-in reports)
// to stderr, from `first` on; returns the number printed.
std::size_t printHostMessages(const host::Host &host, std::size_t first = 0);

// Loads a scene file into the host (or the built-in scene when `file` is empty).
void openScene(host::Host &host, const std::string &file);

// The layer of that name in the project's compositions; throws HostError
// naming the scene file.
host::Layer &findLayer(host::Project &project, const std::string &name, const std::string &file);

// The commands; each adds itself to the app.
void addEffectsCommand(CLI::App &app, GlobalOptions &options);
void addAboutCommand(CLI::App &app, GlobalOptions &options);
void addApplyCommand(CLI::App &app, GlobalOptions &options);
void addInspectCommand(CLI::App &app, GlobalOptions &options);
void addRenderCommand(CLI::App &app, GlobalOptions &options);
void addSetCommand(CLI::App &app, GlobalOptions &options);
void addPressCommand(CLI::App &app, GlobalOptions &options);
void addPresetsCommand(CLI::App &app, GlobalOptions &options);
void addPanelCommands(CLI::App &app, GlobalOptions &options);
void addViewCommand(CLI::App &app, GlobalOptions &options);

// A command's result, returned by main.
int &exitCode();

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitError = 1;
constexpr int kExitCancelled = 130;

} // namespace vlam::cli
