// "AEGP Register Suite" v6: hooks of general plug-ins (the idle hook).
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

VLAM_NOT_OFFERED(registerCommandHook, AEGP_PluginID, A_long, A_long, void *, void *)
VLAM_NOT_OFFERED(registerUpdateMenuHook, AEGP_PluginID, void *, void *)
VLAM_NOT_OFFERED(registerDeathHook, AEGP_PluginID, AEGP_DeathHook, void *)
VLAM_NOT_OFFERED(registerVersionHook, AEGP_PluginID, void *, void *)
VLAM_NOT_OFFERED(registerAboutStringHook, AEGP_PluginID, void *, void *)
VLAM_NOT_OFFERED(registerAboutHook, AEGP_PluginID, void *, void *)
VLAM_NOT_OFFERED(registerArtisan)
VLAM_NOT_OFFERED(registerIO)

const AEGP_RegisterSuite6 kRegisterSuite{registerCommandHook, registerUpdateMenuHook, registerDeathHook,
                                         registerVersionHook, registerAboutStringHook, registerAboutHook,
                                         registerArtisan,     registerIO,             registerIdleHook};

} // namespace

void publishRegisterSuite(SuiteRegistry &registry) {
  registry.add(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion6, &kRegisterSuite, "host");
}

} // namespace vlam::host
