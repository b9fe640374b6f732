// The utility plug-in's module-wide state: written by the suite functions
// (called from effect commands) and consumed by the idle hook.
#pragma once
#include <mutex>

#include "AE_GeneralPlug.h"
#include "modules/vlam_utils_suite.h"

namespace vlam {

class UtilityState {
 public:
  void SetHost(const SPBasicSuite *basic, AEGP_PluginID plugin_id);
  const SPBasicSuite *basic() const;
  AEGP_PluginID plugin_id() const;

  // Back to the idle state: no target layer, stack done, no command.
  void Reset();

  void RequestModuleStack(AEGP_LayerH layer);
  void RequestCommand(A_long command);

  // Takes the pending module-stack request, if any: returns its layer and
  // marks the stack done, in one step, so that a request arriving meanwhile
  // is kept for the next idle call instead of being lost or run twice.
  bool TakeModuleStackRequest(AEGP_LayerH *layer);
  // Takes the pending command (kNoCommand when there is none) and leaves
  // kNoCommand behind.
  A_long TakeCommand();

  // Read-only views for checks.
  bool stack_done() const;
  A_long pending_command() const;
  AEGP_LayerH target_layer() const;

 private:
  mutable std::mutex mutex_;
  const SPBasicSuite *basic_ = nullptr;
  AEGP_PluginID plugin_id_ = 0;
  AEGP_LayerH target_layer_ = nullptr;
  bool stack_done_ = true;
  A_long pending_command_ = kNoCommand;
};

// The one copy per loaded module.
UtilityState &TheUtilityState();

// The published suite table; lives as long as the module.
const VlamUtilsSuite1 &TheVlamUtilsSuite();

}  // namespace vlam
