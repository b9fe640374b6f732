#pragma once

namespace vlam::host {

class SuiteRegistry;

// Publishes every suite the host offers. Each suite family lives in its own
// file with its own publish function; this list names them all.
void publishHostSuites(SuiteRegistry &registry);

void publishSuitesSuite(SuiteRegistry &registry);
void publishHandleSuite(SuiteRegistry &registry);
void publishWorldSuites(SuiteRegistry &registry);
void publishParamUtilsSuite(SuiteRegistry &registry);
void publishParamValueSuites(SuiteRegistry &registry);
void publishIterateSuites(SuiteRegistry &registry);
void publishPFInterfaceSuite(SuiteRegistry &registry);
void publishEffectSuite(SuiteRegistry &registry);
void publishStreamSuites(SuiteRegistry &registry);
void publishLayerSuites(SuiteRegistry &registry);
void publishUtilitySuite(SuiteRegistry &registry);
void publishRegisterSuite(SuiteRegistry &registry);
void publishMemorySuite(SuiteRegistry &registry);
void publishPersistentDataSuites(SuiteRegistry &registry);
void publishMaskSuites(SuiteRegistry &registry);
void publishKeyframeSuite(SuiteRegistry &registry);
void publishCameraSuite(SuiteRegistry &registry);
void publishDrawbotSuites(SuiteRegistry &registry);
void publishAppSuites(SuiteRegistry &registry);

// The SPBasicSuite the host hands to plug-ins.
struct SPBasicSuite makeBasicSuite();

} // namespace vlam::host
