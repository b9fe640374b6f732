#include "modules/utility_state.h"

namespace vlam {

void UtilityState::SetHost(const SPBasicSuite *basic, AEGP_PluginID plugin_id) {
  std::lock_guard<std::mutex> lock(mutex_);
  basic_ = basic;
  plugin_id_ = plugin_id;
}

const SPBasicSuite *UtilityState::basic() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return basic_;
}

AEGP_PluginID UtilityState::plugin_id() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return plugin_id_;
}

void UtilityState::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  target_layer_ = nullptr;
  stack_done_ = true;
  pending_command_ = kNoCommand;
}

void UtilityState::RequestModuleStack(AEGP_LayerH layer) {
  std::lock_guard<std::mutex> lock(mutex_);
  target_layer_ = layer;
  stack_done_ = false;
}

void UtilityState::RequestCommand(A_long command) {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_command_ = command;
}

bool UtilityState::TakeModuleStackRequest(AEGP_LayerH *layer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (stack_done_) {
    return false;
  }
  stack_done_ = true;
  *layer = target_layer_;
  return true;
}

A_long UtilityState::TakeCommand() {
  std::lock_guard<std::mutex> lock(mutex_);
  const A_long command = pending_command_;
  pending_command_ = kNoCommand;
  return command;
}

bool UtilityState::stack_done() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return stack_done_;
}

A_long UtilityState::pending_command() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pending_command_;
}

AEGP_LayerH UtilityState::target_layer() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return target_layer_;
}

UtilityState &TheUtilityState() {
  static UtilityState state;
  return state;
}

namespace {

// Called by the host on behalf of an effect: nothing may escape.
A_Err RequestModuleStackImpl(AEGP_LayerH layer) {
  try {
    TheUtilityState().RequestModuleStack(layer);
  } catch (...) {
    return A_Err_GENERIC;
  }
  return A_Err_NONE;
}

A_Err RequestCommandImpl(A_long command) {
  try {
    TheUtilityState().RequestCommand(command);
  } catch (...) {
    return A_Err_GENERIC;
  }
  return A_Err_NONE;
}

}  // namespace

const VlamUtilsSuite1 &TheVlamUtilsSuite() {
  static const VlamUtilsSuite1 suite{RequestModuleStackImpl, RequestCommandImpl};
  return suite;
}

}  // namespace vlam
