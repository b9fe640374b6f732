// The SPBasicSuite: suite acquisition by name and version, and blocks.
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

#include <SPBasic.h>

#include <cstdlib>
#include <cstring>

namespace vlam::host {
namespace {

SPErr acquireSuite(const char *name, A_long version, const void **suite) {
  return hostCall("AcquireSuite", [&](Host &host) -> SPErr {
    if (!suite) return kSPBadParameterError;
    *suite = host.suites().acquire(name, version);
    return *suite ? kSPNoError : kSPSuiteNotFoundError;
  });
}

SPErr releaseSuite(const char *name, A_long version) {
  return hostCall("ReleaseSuite", [&](Host &host) -> SPErr {
    return host.suites().release(name, version) ? kSPNoError : kSPSuiteNotFoundError;
  });
}

SPBoolean isEqual(const char *a, const char *b) { return a && b && std::strcmp(a, b) == 0; }

SPErr allocateBlock(size_t size, void **block) {
  return hostCall("AllocateBlock", [&](Host &) -> SPErr {
    if (!block) return kSPBadParameterError;
    *block = std::malloc(size ? size : 1);
    return *block ? kSPNoError : A_Err_ALLOC;
  });
}

SPErr freeBlock(void *block) {
  std::free(block);
  return kSPNoError;
}

SPErr reallocateBlock(void *block, size_t size, void **grown) {
  return hostCall("ReallocateBlock", [&](Host &) -> SPErr {
    if (!grown) return kSPBadParameterError;
    void *p = std::realloc(block, size ? size : 1);
    if (!p) return A_Err_ALLOC;
    *grown = p;
    return kSPNoError;
  });
}

SPErr undefined() { return kSPBadParameterError; }

} // namespace

SPBasicSuite makeBasicSuite() {
  SPBasicSuite suite{};
  suite.AcquireSuite = acquireSuite;
  suite.ReleaseSuite = releaseSuite;
  suite.IsEqual = isEqual;
  suite.AllocateBlock = allocateBlock;
  suite.FreeBlock = freeBlock;
  suite.ReallocateBlock = reallocateBlock;
  suite.Undefined = undefined;
  return suite;
}

} // namespace vlam::host
