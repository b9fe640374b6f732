// "PF Handle Suite", versions 1 and 2 (the same table).
#include "host/effect/WorldOperations.h"
#include "host/suites/HostSuites.h"
#include "host/suites/SuiteRegistry.h"

#include <AE_EffectCBSuites.h>

namespace vlam::host {
namespace {
const PF_HandleSuite1 kHandleSuite{newHandle, lockHandle, unlockHandle, disposeHandle, handleSize, resizeHandle};
} // namespace

void publishHandleSuite(SuiteRegistry &registry) {
  registry.add(kPFHandleSuite, kPFHandleSuiteVersion1, &kHandleSuite, "host");
  registry.add(kPFHandleSuite, kPFHandleSuiteVersion2, &kHandleSuite, "host");
}

} // namespace vlam::host
