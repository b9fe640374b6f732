// "SP Suites Suite": plug-ins add their own suites to the host's broker.
#include "host/suites/SuiteIdentity.h"
#include "host/suites/NotOffered.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

#include <SPSuites.h>

namespace vlam::host {
namespace {

// Only the host's global list exists; a plug-in asking for a list of its own
// gets this stand-in.
SPSuiteListRef globalList() { return nullptr; }

SPErr allocateSuiteList(SPStringPoolRef, SPPluginListRef, SPSuiteListRef *list) {
  return hostCall("AllocateSuiteList", [&](Host &) -> SPErr {
    if (!list) return kSPBadParameterError;
    *list = globalList();
    return kSPNoError;
  });
}

SPErr freeSuiteList(SPSuiteListRef) { return kSPNoError; }

SPErr addSuite(SPSuiteListRef, SPPluginRef, const char *name, A_long apiVersion, A_long, const void *procs,
               SPSuiteRef *suite) {
  return hostCall("AddSuite", [&](Host &host) -> SPErr {
    if (!name || !procs) return kSPBadParameterError;
    if (!host.suites().add(name, apiVersion, procs, "plug-in")) return kSPBadParameterError;
    if (suite) *suite = reinterpret_cast<SPSuiteRef>(const_cast<void *>(procs));
    return kSPNoError;
  });
}

SPErr acquireSuite(SPSuiteListRef, const char *name, A_long apiVersion, A_long, const void **procs) {
  return hostCall("AcquireSuite", [&](Host &host) -> SPErr {
    if (!procs) return kSPBadParameterError;
    *procs = host.suites().acquire(name, apiVersion);
    return *procs ? kSPNoError : kSPSuiteNotFoundError;
  });
}

SPErr releaseSuite(SPSuiteListRef, const char *name, A_long apiVersion, A_long) {
  return hostCall("ReleaseSuite", [&](Host &host) -> SPErr {
    return host.suites().release(name, apiVersion) ? kSPNoError : kSPSuiteNotFoundError;
  });
}

SPErr findSuite(SPSuiteListRef, const char *name, A_long apiVersion, A_long, SPSuiteRef *suite) {
  return hostCall("FindSuite", [&](Host &host) -> SPErr {
    if (!suite || !name) return kSPBadParameterError;
    *suite = nullptr;
    return host.suites().has(name, apiVersion) ? kSPNoError : kSPSuiteNotFoundError;
  });
}

const SPSuitesSuite kSuitesSuite{
    .AllocateSuiteList = allocateSuiteList,
    .FreeSuiteList = freeSuiteList,
    .AddSuite = addSuite,
    .AcquireSuite = acquireSuite,
    .ReleaseSuite = releaseSuite,
    .FindSuite = findSuite,
    VLAM_UNOFFERED(NewSuiteListIterator),
    VLAM_UNOFFERED(NextSuite),
    VLAM_UNOFFERED(DeleteSuiteListIterator),
    VLAM_UNOFFERED(GetSuiteHost),
    VLAM_UNOFFERED(GetSuiteName),
    VLAM_UNOFFERED(GetSuiteAPIVersion),
    VLAM_UNOFFERED(GetSuiteInternalVersion),
    VLAM_UNOFFERED(GetSuiteProcs),
    VLAM_UNOFFERED(GetSuiteAcquireCount),
};

} // namespace

void publishSuitesSuite(SuiteRegistry &registry) {
  publishTable(registry, kSuitesSuite);
}

} // namespace vlam::host
