// "AEGP Memory Suite" v1: memory handles of general plug-ins.
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

#include <AE_GeneralPlug.h>

namespace vlam::host {
namespace {

void **raw(AEGP_MemHandle h) { return reinterpret_cast<void **>(h); }

A_Err newMemHandle(AEGP_PluginID, const A_char *, AEGP_MemSize size, AEGP_MemFlag, AEGP_MemHandle *handle) {
  return hostCall("AEGP_NewMemHandle", [&](Host &host) -> A_Err {
    if (!handle) return A_Err_PARAMETER;
    *handle = reinterpret_cast<AEGP_MemHandle>(host.memHandles().allocate(size)); // always cleared
    return *handle ? A_Err_NONE : A_Err_ALLOC;
  });
}

A_Err freeMemHandle(AEGP_MemHandle handle) {
  return hostCall("AEGP_FreeMemHandle",
                  [&](Host &host) -> A_Err { return host.memHandles().dispose(raw(handle)) ? A_Err_NONE : A_Err_PARAMETER; });
}

A_Err lockMemHandle(AEGP_MemHandle handle, void **data) {
  return hostCall("AEGP_LockMemHandle", [&](Host &host) -> A_Err {
    if (!data) return A_Err_PARAMETER;
    *data = host.memHandles().lock(raw(handle));
    return *data ? A_Err_NONE : A_Err_PARAMETER;
  });
}

A_Err unlockMemHandle(AEGP_MemHandle handle) {
  return hostCall("AEGP_UnlockMemHandle",
                  [&](Host &host) -> A_Err { return host.memHandles().unlock(raw(handle)) ? A_Err_NONE : A_Err_PARAMETER; });
}

A_Err memHandleSize(AEGP_MemHandle handle, AEGP_MemSize *size) {
  return hostCall("AEGP_GetMemHandleSize", [&](Host &host) -> A_Err {
    if (!size || !host.memHandles().known(raw(handle))) return A_Err_PARAMETER;
    *size = host.memHandles().size(raw(handle));
    return A_Err_NONE;
  });
}

A_Err resizeMemHandle(const A_char *, AEGP_MemSize size, AEGP_MemHandle handle) {
  return hostCall("AEGP_ResizeMemHandle", [&](Host &host) -> A_Err {
    if (!host.memHandles().known(raw(handle))) return A_Err_PARAMETER;
    return host.memHandles().resize(raw(handle), size) ? A_Err_NONE : A_Err_ALLOC;
  });
}

A_Err memReporting(A_Boolean) { return A_Err_NONE; }

A_Err memStats(AEGP_PluginID, A_long *count, A_long *size) {
  return hostCall("AEGP_GetMemStats", [&](Host &host) -> A_Err {
    if (!count || !size) return A_Err_PARAMETER;
    *count = static_cast<A_long>(host.memHandles().liveCount());
    *size = 0;
    return A_Err_NONE;
  });
}

const AEGP_MemorySuite1 kMemorySuite{
    .AEGP_NewMemHandle = newMemHandle,
    .AEGP_FreeMemHandle = freeMemHandle,
    .AEGP_LockMemHandle = lockMemHandle,
    .AEGP_UnlockMemHandle = unlockMemHandle,
    .AEGP_GetMemHandleSize = memHandleSize,
    .AEGP_ResizeMemHandle = resizeMemHandle,
    .AEGP_SetMemReportingOn = memReporting,
    .AEGP_GetMemStats = memStats,
};

} // namespace

void publishMemorySuite(SuiteRegistry &registry) {
  publishTable(registry, kMemorySuite);
}

} // namespace vlam::host
