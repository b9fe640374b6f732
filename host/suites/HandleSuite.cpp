// "PF Handle Suite", versions 1 and 2 (the same table).
#include "host/effect/WorldOperations.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostSuites.h"
#include "host/suites/SuiteRegistry.h"

#include <AE_EffectCBSuites.h>

namespace vlam::host {
namespace {
const PF_HandleSuite1 kHandleSuite{
    .host_new_handle = newHandle,
    .host_lock_handle = lockHandle,
    .host_unlock_handle = unlockHandle,
    .host_dispose_handle = disposeHandle,
    .host_get_handle_size = handleSize,
    .host_resize_handle = resizeHandle,
};
} // namespace

void publishHandleSuite(SuiteRegistry &registry) {
  publishTable(registry, kHandleSuite);
}

} // namespace vlam::host
