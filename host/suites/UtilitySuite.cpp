// "AEGP Utility Suite" (v7 and v11, one table): reports, undo groups, plug-in
// registration and scripts. The host has no script engine: a script runs as
// it would with no active composition (the scripts the module sends return
// at once) and every script is recorded for the user to see.
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_GeneralPlug.h>

#include <cstring>

namespace vlam::host {
namespace {

std::string pluginName(Host &host, AEGP_PluginID id) {
  GeneralPlugin *plugin = host.findGeneralPlugin(id);
  return plugin ? plugin->pipl.name : "plug-in " + std::to_string(id);
}

A_Err reportInfo(AEGP_PluginID id, const A_char *text) {
  return hostCall("AEGP_ReportInfo", [&](Host &host) -> A_Err {
    if (!text) return A_Err_PARAMETER;
    host.report(pluginName(host, id), text);
    return A_Err_NONE;
  });
}

A_Err initFuncVersion(A_short *major, A_short *minor) {
  return hostCall("AEGP_GetDriverPluginInitFuncVersion", [&](Host &host) -> A_Err {
    if (!major || !minor) return A_Err_PARAMETER;
    *major = host.options().specVersion.major;
    *minor = host.options().specVersion.minor;
    return A_Err_NONE;
  });
}

A_Err startUndoGroup(const A_char *name) {
  return hostCall("AEGP_StartUndoGroup", [&](Host &host) -> A_Err {
    if (!name) return A_Err_PARAMETER;
    host.undoGroups.push_back({name, false});
    return A_Err_NONE;
  });
}

A_Err endUndoGroup() {
  return hostCall("AEGP_EndUndoGroup", [&](Host &host) -> A_Err {
    for (auto it = host.undoGroups.rbegin(); it != host.undoGroups.rend(); ++it)
      if (!it->closed) {
        it->closed = true;
        return A_Err_NONE;
      }
    return A_Err_PARAMETER; // no group is open
  });
}

A_Err registerWithAEGP(AEGP_GlobalRefcon, const A_char *name, AEGP_PluginID *id) {
  return hostCall("AEGP_RegisterWithAEGP", [&](Host &host) -> A_Err {
    if (!name || !id) return A_Err_PARAMETER;
    *id = host.registerPluginId();
    return A_Err_NONE;
  });
}

A_Err executeScript(AEGP_PluginID, const A_char *script, const A_Boolean, AEGP_MemHandle *result,
                    AEGP_MemHandle *errorText) {
  return hostCall("AEGP_ExecuteScript", [&](Host &host) -> A_Err {
    if (!script) return A_Err_PARAMETER;
    host.scripts.emplace_back(script);
    if (errorText) *errorText = nullptr;
    if (result) {
      // With no active composition a script's function returns at once: an empty result.
      void **h = host.memHandles().allocate(1);
      if (!h) return A_Err_ALLOC;
      *result = reinterpret_cast<AEGP_MemHandle>(h);
    }
    return A_Err_NONE;
  });
}

A_Err hostIsActivated(A_Boolean *activated) {
  return hostCall("AEGP_HostIsActivated", [&](Host &) -> A_Err {
    if (!activated) return A_Err_PARAMETER;
    *activated = true;
    return A_Err_NONE;
  });
}

A_Err quietErrors(AEGP_ErrReportState *state) {
  return hostCall("AEGP_StartQuietErrors", [&](Host &) -> A_Err { return state ? A_Err_NONE : A_Err_PARAMETER; });
}
A_Err endQuietErrors(A_Boolean, AEGP_ErrReportState *state) {
  return hostCall("AEGP_EndQuietErrors", [&](Host &) -> A_Err { return state ? A_Err_NONE : A_Err_PARAMETER; });
}


const AEGP_UtilitySuite3 kUtilitySuite3{
    .AEGP_ReportInfo = reportInfo,
    .AEGP_GetDriverPluginInitFuncVersion = initFuncVersion,
    VLAM_UNOFFERED(AEGP_GetDriverImplementationVersion),
    .AEGP_StartQuietErrors = quietErrors,
    .AEGP_EndQuietErrors = endQuietErrors,
    .AEGP_StartUndoGroup = startUndoGroup,
    .AEGP_EndUndoGroup = endUndoGroup,
    .AEGP_RegisterWithAEGP = registerWithAEGP,
    VLAM_UNOFFERED(AEGP_GetMainHWND),
    VLAM_UNOFFERED(AEGP_ShowHideAllFloaters),
    VLAM_UNOFFERED(AEGP_PaintPalGetForeColor),
    VLAM_UNOFFERED(AEGP_PaintPalGetBackColor),
    VLAM_UNOFFERED(AEGP_PaintPalSetForeColor),
    VLAM_UNOFFERED(AEGP_PaintPalSetBackColor),
    VLAM_UNOFFERED(AEGP_CharPalGetFillColor),
    VLAM_UNOFFERED(AEGP_CharPalGetStrokeColor),
    VLAM_UNOFFERED(AEGP_CharPalSetFillColor),
    VLAM_UNOFFERED(AEGP_CharPalSetStrokeColor),
    VLAM_UNOFFERED(AEGP_CharPalIsFillColorUIFrontmost),
    VLAM_UNOFFERED(AEGP_ConvertFpLongToHSFRatio),
    VLAM_UNOFFERED(AEGP_ConvertHSFRatioToFpLong),
    VLAM_UNOFFERED(AEGP_CauseIdleRoutinesToBeCalled),
    VLAM_UNOFFERED(AEGP_GetSuppressInteractiveUI),
    VLAM_UNOFFERED(AEGP_WriteToOSConsole),
    VLAM_UNOFFERED(AEGP_WriteToDebugLog),
};

const AEGP_UtilitySuite5 kUtilitySuite5{
    .AEGP_ReportInfo = reportInfo,
    .AEGP_GetDriverPluginInitFuncVersion = initFuncVersion,
    VLAM_UNOFFERED(AEGP_GetDriverImplementationVersion),
    .AEGP_StartQuietErrors = quietErrors,
    .AEGP_EndQuietErrors = endQuietErrors,
    VLAM_UNOFFERED(AEGP_GetLastErrorMessage),
    .AEGP_StartUndoGroup = startUndoGroup,
    .AEGP_EndUndoGroup = endUndoGroup,
    .AEGP_RegisterWithAEGP = registerWithAEGP,
    VLAM_UNOFFERED(AEGP_GetMainHWND),
    VLAM_UNOFFERED(AEGP_ShowHideAllFloaters),
    VLAM_UNOFFERED(AEGP_PaintPalGetForeColor),
    VLAM_UNOFFERED(AEGP_PaintPalGetBackColor),
    VLAM_UNOFFERED(AEGP_PaintPalSetForeColor),
    VLAM_UNOFFERED(AEGP_PaintPalSetBackColor),
    VLAM_UNOFFERED(AEGP_CharPalGetFillColor),
    VLAM_UNOFFERED(AEGP_CharPalGetStrokeColor),
    VLAM_UNOFFERED(AEGP_CharPalSetFillColor),
    VLAM_UNOFFERED(AEGP_CharPalSetStrokeColor),
    VLAM_UNOFFERED(AEGP_CharPalIsFillColorUIFrontmost),
    VLAM_UNOFFERED(AEGP_ConvertFpLongToHSFRatio),
    VLAM_UNOFFERED(AEGP_ConvertHSFRatioToFpLong),
    VLAM_UNOFFERED(AEGP_CauseIdleRoutinesToBeCalled),
    VLAM_UNOFFERED(AEGP_GetSuppressInteractiveUI),
    VLAM_UNOFFERED(AEGP_WriteToOSConsole),
    VLAM_UNOFFERED(AEGP_WriteToDebugLog),
    VLAM_UNOFFERED(AEGP_IsScriptingAvailable),
    .AEGP_ExecuteScript = executeScript,
    .AEGP_HostIsActivated = hostIsActivated,
    VLAM_UNOFFERED(AEGP_GetPluginPlatformRef),
    VLAM_UNOFFERED(AEGP_UpdateFontList),
};

} // namespace

void publishUtilitySuite(SuiteRegistry &registry) {
  publishTable(registry, kUtilitySuite3);
  publishTable(registry, kUtilitySuite5);
}

} // namespace vlam::host
