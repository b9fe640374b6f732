// "AEGP Register Suite" (version 6): hooks of general plug-ins (the idle hook).
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_GeneralPlug.h>

namespace vlam::host {
namespace {

A_Err registerIdleHook(AEGP_PluginID id, AEGP_IdleHook hook, AEGP_IdleRefcon refcon) {
  return hostCall("AEGP_RegisterIdleHook", [&](Host &host) -> A_Err {
    if (!hook || !host.findGeneralPlugin(id)) return A_Err_PARAMETER;
    host.idleHooks.push_back({id, hook, refcon});
    return A_Err_NONE;
  });
}

const AEGP_RegisterSuite5 kRegisterSuite{
    VLAM_UNOFFERED(AEGP_RegisterCommandHook),
    VLAM_UNOFFERED(AEGP_RegisterUpdateMenuHook),
    VLAM_UNOFFERED(AEGP_RegisterDeathHook),
    VLAM_UNOFFERED(AEGP_RegisterVersionHook),
    VLAM_UNOFFERED(AEGP_RegisterAboutStringHook),
    VLAM_UNOFFERED(AEGP_RegisterAboutHook),
    VLAM_UNOFFERED(AEGP_RegisterArtisan),
    VLAM_UNOFFERED(AEGP_RegisterIO),
    .AEGP_RegisterIdleHook = registerIdleHook,
    VLAM_UNOFFERED(AEGP_RegisterTracker),
    VLAM_UNOFFERED(AEGP_RegisterInteractiveArtisan),
    VLAM_UNOFFERED(AEGP_RegisterPresetLocalizationString),
};

} // namespace

void publishRegisterSuite(SuiteRegistry &registry) {
  publishTable(registry, kRegisterSuite);
}

} // namespace vlam::host
