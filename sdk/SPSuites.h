// "SP Suites Suite": lets a plug-in add its own suite to the host's broker.
#pragma once
#include "SPBasic.h"

#define kSPSuitesSuite "SP Suites Suite"
#define kSPSuitesSuiteVersion 2

typedef struct SPSuitesSuite {
  SPAPI SPErr (*AllocateSuiteList)(SPSuiteListRef *suiteList);
  SPAPI SPErr (*FreeSuiteList)(SPSuiteListRef suiteList);
  // Slot 2. A null suiteList means the host's global list.
  SPAPI SPErr (*AddSuite)(SPSuiteListRef suiteList, SPPluginRef host, const char *name,
                          A_long apiVersion, A_long internalVersion, const void *suiteProcs,
                          SPSuiteRef *suite);
  SPAPI SPErr (*AcquireSuite)(SPSuiteListRef suiteList, const char *name, A_long apiVersion,
                              A_long internalVersion, const void **suiteProcs);
  SPAPI SPErr (*ReleaseSuite)(SPSuiteListRef suiteList, const char *name, A_long apiVersion,
                              A_long internalVersion);
  SPAPI SPErr (*FindSuite)(SPSuiteListRef suiteList, const char *name, A_long apiVersion,
                           A_long internalVersion, SPSuiteRef *suite);
} SPSuitesSuite;
