#include "host/suites/HostSuites.h"

namespace vlam::host {

void publishHostSuites(SuiteRegistry &registry) {
  publishSuitesSuite(registry);
  publishHandleSuite(registry);
  publishWorldSuites(registry);
  publishParamUtilsSuite(registry);
  publishParamValueSuites(registry);
  publishIterateSuites(registry);
  publishPFInterfaceSuite(registry);
  publishEffectSuite(registry);
  publishStreamSuites(registry);
  publishLayerSuites(registry);
  publishUtilitySuite(registry);
  publishRegisterSuite(registry);
  publishMemorySuite(registry);
  publishPersistentDataSuites(registry);
  publishMaskSuites(registry);
  publishKeyframeSuite(registry);
  publishCameraSuite(registry);
  publishDrawbotSuites(registry);
  publishAppSuites(registry);
}

} // namespace vlam::host
