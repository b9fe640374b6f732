#pragma once
#include "host/Host.h"
#include "host/effect/UserEdits.h"

#include <cstdint>
#include <memory>
#include <string>

namespace CLI {
class App;
}

namespace vlam::cli {

struct GlobalOptions;

// What `set` and `press` name: a scene, a layer, an effect on it, one of its
// parameters, the frame the time cursor is at, and where to save.
struct EditTarget {
  std::string scene;
  std::string layer;
  std::string effect;
  std::string param;
  double frame = 0;
  std::string output;
};

// Adds the options above to a command; `paramHelp` says what --param names.
void addEditTargetOptions(CLI::App &cmd, EditTarget &target, const std::string &paramHelp);

// The host with the scene open, and the layer, effect and time the target names.
struct OpenTarget {
  std::unique_ptr<host::Host> host;
  host::Layer *layer = nullptr;
  host::EffectInstance *effect = nullptr;
  std::int64_t ticks = 0;
};
OpenTarget openTarget(const GlobalOptions &options, const EditTarget &target);

// The effect a command names on a layer: its index in the stack (top is 0)
// or its match name (which must then be unique on the layer). Throws
// HostError naming the scene file.
host::EffectInstance &findEffectOnLayer(host::Layer &layer, const std::string &which, const std::string &file);

// The comp ticks of a frame of the layer's composition; throws HostError
// when the frame is outside the composition's duration.
std::int64_t ticksOfFrame(const host::Layer &layer, double frame, const std::string &file);

// After a user action: prints what changed (parameters whose values changed,
// keys written and removed, undo groups), then either saves the project
// atomically to `output` or, when the effect failed, reports the failure and
// writes nothing (exit code 1).
void finishUserEdit(const OpenTarget &open, const host::UserEditResult &result, std::size_t messagesBefore,
                    const EditTarget &target);

} // namespace vlam::cli
