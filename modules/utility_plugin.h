// The utility plug-in's entry and idle hook.
#pragma once
#include "AE_GeneralPlug.h"
#include "entry.h"

namespace vlam {

inline constexpr const char *kUtilityInitErrorMessage = "Error initialising zkVlamUtil!";

// Carries out the pending requests: the module stack first, then the
// pending command's script. Never throws; a failure that is not a plain host
// result is reported through AEGP_ReportInfo.
A_Err VlamIdleHook(AEGP_GlobalRefcon plugin_refcon, AEGP_IdleRefcon refcon, A_long *max_sleep);

// Applies Module Selector (top), Flash Builder (after the first Module
// Selector) and Flash Instance (after the first Flash Builder) to the layer;
// the first error of the three.
class SuiteHandler;
A_Err ApplyModuleStack(SuiteHandler &suites, AEGP_LayerH layer);

}  // namespace vlam

extern "C" {
DllExport A_Err EntryPointFunc_VlamUtils(struct SPBasicSuite *pica_basicP, A_long major_versionL,
                                         A_long minor_versionL, AEGP_PluginID aegp_plugin_id,
                                         AEGP_GlobalRefcon *global_refconP);
}
