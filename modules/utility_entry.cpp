#include "SPSuites.h"
#include "entry.h"
#include "frame/host_error.h"
#include "frame/suite_handler.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"

namespace vlam {
namespace {

// Publishes "ZK Vlam Utils Suite" through "SP Suites Suite".
A_Err PublishUtilsSuite(const SPBasicSuite *basic) {
  if (basic == nullptr) {
    return A_Err_MISSING_SUITE;
  }
  const void *suite = nullptr;
  if (basic->AcquireSuite(kSPSuitesSuite, kSPSuitesSuiteVersion, &suite) != kSPNoError ||
      suite == nullptr) {
    return A_Err_MISSING_SUITE;
  }
  const auto *suites_suite = static_cast<const SPSuitesSuite *>(suite);
  SPSuiteRef added = nullptr;
  const A_Err err =
      suites_suite->AddSuite(nullptr, nullptr, kVlamUtilsSuite, kVlamUtilsSuiteVersion1,
                             kVlamUtilsSuiteInternalVersion1, &TheVlamUtilsSuite(), &added);
  basic->ReleaseSuite(kSPSuitesSuite, kSPSuitesSuiteVersion);
  return err;
}

A_Err RegisterIdleHook(SuiteHandler &suites, AEGP_PluginID plugin_id) {
  const auto *reg = suites.Get<AEGP_RegisterSuite5>(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion5);
  return reg->AEGP_RegisterIdleHook(plugin_id, VlamIdleHook, nullptr);
}

A_Err ReportInitFailure(SuiteHandler &suites, AEGP_PluginID plugin_id) {
  const auto *utility =
      suites.Get<AEGP_UtilitySuite3>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3);
  return utility->AEGP_ReportInfo(plugin_id, kUtilityInitErrorMessage);
}

A_Err InitUtilityPlugin(const SPBasicSuite *basic, AEGP_PluginID plugin_id) {
  UtilityState &state = TheUtilityState();
  state.SetHost(basic, plugin_id);
  A_Err err = PublishUtilsSuite(basic);
  state.Reset();

  SuiteHandler suites(basic);
  try {
    if (err == A_Err_NONE) {
      err = RegisterIdleHook(suites, plugin_id);
      if (err == A_Err_NONE) {
        return A_Err_NONE;
      }
    }
  } catch (HostError code) {
    err = code;
  }
  try {
    KeepFirstError(err, ReportInitFailure(suites, plugin_id));
  } catch (HostError code) {
    KeepFirstError(err, code);
  }
  return err;
}

}  // namespace
}  // namespace vlam

extern "C" DllExport A_Err EntryPointFunc_VlamUtils(struct SPBasicSuite *pica_basicP,
                                                    A_long /*major_versionL*/,
                                                    A_long /*minor_versionL*/,
                                                    AEGP_PluginID aegp_plugin_id,
                                                    AEGP_GlobalRefcon * /*global_refconP*/) {
  try {
    return vlam::InitUtilityPlugin(pica_basicP, aegp_plugin_id);
  } catch (vlam::HostError code) {
    return code;
  } catch (...) {
    return A_Err_GENERIC;
  }
}
