#include <cstdio>

#include "frame/host_error.h"
#include "frame/suite_handler.h"
#include "modules/apply_and_place.h"
#include "modules/grain_precomp_script.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"

namespace vlam {
namespace {

// Runs the command's script and frees the host's result.
A_Err RunCommand(SuiteHandler &suites, AEGP_PluginID /*plugin_id*/, A_long command) {
  const auto *utility =
      suites.Get<AEGP_UtilitySuite5>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5);
  AEGP_MemHandle result = nullptr;
  A_Err err = utility->AEGP_ExecuteScript(0, ScriptForCommand(command), true, &result, nullptr);
  if (err == A_Err_NONE && result != nullptr) {
    const auto *memory = suites.Get<AEGP_MemorySuite1>(kAEGPMemorySuite, kAEGPMemorySuiteVersion1);
    err = memory->AEGP_FreeMemHandle(result);
  }
  return err;
}

// Tells the user that the idle work failed in a way the host would not show.
void ReportIdleFailure(const SPBasicSuite *basic, AEGP_PluginID plugin_id, A_Err code) {
  try {
    SuiteHandler suites(basic);
    const auto *utility =
        suites.Get<AEGP_UtilitySuite3>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3);
    char message[128];
    std::snprintf(message, sizeof message, "zkVlamUtil could not carry out a request (error %d).",
                  static_cast<int>(code));
    utility->AEGP_ReportInfo(plugin_id, message);
  } catch (...) {
    // Nothing more can be done without the utility suite.
  }
}

}  // namespace

A_Err ApplyModuleStack(SuiteHandler &suites, AEGP_LayerH layer) {
  // Each effect is applied even when one before it failed; the first error
  // is the result.
  A_Err err = ApplyAndPlace(suites, layer, "zk_VlamMod", Placement::kTop, nullptr);
  KeepFirstError(err, ApplyAndPlace(suites, layer, "zk_VlamFlash", Placement::kAfterAnchor, "zk_VlamMod"));
  KeepFirstError(err,
                 ApplyAndPlace(suites, layer, "zk_VlamInstance", Placement::kAfterAnchor, "zk_VlamFlash"));
  return err;
}

A_Err VlamIdleHook(AEGP_GlobalRefcon /*plugin_refcon*/, AEGP_IdleRefcon /*refcon*/,
                   A_long * /*max_sleep*/) {
  UtilityState &state = TheUtilityState();
  const SPBasicSuite *basic = nullptr;
  AEGP_PluginID plugin_id = 0;
  A_Err failure = A_Err_NONE;
  try {
    basic = state.basic();
    plugin_id = state.plugin_id();
    SuiteHandler suites(basic);
    AEGP_LayerH layer = nullptr;
    // A request without a layer has nothing to apply to.
    // A stack that could not be applied whole is reported; the command
    // asked for as well is still carried out.
    if (state.TakeModuleStackRequest(&layer) && layer != nullptr) {
      if (const A_Err stack = ApplyModuleStack(suites, layer)) {
        ReportIdleFailure(basic, plugin_id, stack);
      }
    }
    const A_long command = state.TakeCommand();
    if (command == kNoCommand) {
      return A_Err_NONE;
    }
    return RunCommand(suites, plugin_id, command);
  } catch (HostError code) {
    failure = code;
  } catch (...) {
    failure = A_Err_GENERIC;
  }
  ReportIdleFailure(basic, plugin_id, failure);
  return failure;
}

}  // namespace vlam
