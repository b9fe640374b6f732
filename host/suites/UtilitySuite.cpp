// "AEGP Utility Suite" (v7 and v11, one table): reports, undo groups, plug-in
// registration and scripts. The host has no script engine: a script runs as
// it would with no active composition (the scripts the module sends return
// at once) and every script is recorded for the user to see.
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

A_Err quietErrors(AEGP_ErrReportH *state) {
  return hostCall("AEGP_StartQuietErrors", [&](Host &) -> A_Err { return state ? A_Err_NONE : A_Err_PARAMETER; });
}
A_Err endQuietErrors(A_Boolean, AEGP_ErrReportH *state) {
  return hostCall("AEGP_EndQuietErrors", [&](Host &) -> A_Err { return state ? A_Err_NONE : A_Err_PARAMETER; });
}

VLAM_NOT_OFFERED(implementationVersion, A_short *, A_short *)
VLAM_NOT_OFFERED(lastErrorMessage, A_long, A_char *, A_Err *)
VLAM_NOT_OFFERED(mainHWND, void *)
VLAM_NOT_OFFERED(showHideFloaters, A_Boolean)

const AEGP_UtilitySuite11 kUtilitySuite{reportInfo,      initFuncVersion, implementationVersion, quietErrors,
                                        endQuietErrors,  lastErrorMessage, startUndoGroup,       endUndoGroup,
                                        registerWithAEGP, mainHWND,       showHideFloaters,      executeScript,
                                        hostIsActivated};

} // namespace

void publishUtilitySuite(SuiteRegistry &registry) {
  registry.add(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7, &kUtilitySuite, "host");
  registry.add(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion11, &kUtilitySuite, "host");
}

} // namespace vlam::host
