// "SP Suites Suite": the broker's suite lists; a plug-in adds its own suites through it.
#pragma once
#include "SPPlugs.h"
#include "SPStrngs.h"
#include "SPTypes.h"

#define kSPSuitesSuite "SP Suites Suite"
#define kSPSuitesSuiteVersion 2
#define kSPLatestInternalVersion 0

typedef struct SPSuiteList *SPSuiteListRef;
typedef struct SPSuite *SPSuiteRef;
typedef struct SPSuiteListIterator *SPSuiteListIteratorRef;

typedef struct SPSuitesSuite {
  SPAPI SPErr (*AllocateSuiteList)(SPStringPoolRef strings, SPPluginListRef plugins,
                                   SPSuiteListRef *suiteList);
  SPAPI SPErr (*FreeSuiteList)(SPSuiteListRef suiteList);
  // A null suiteList means the host's global list.
  SPAPI SPErr (*AddSuite)(SPSuiteListRef suiteList, SPPluginRef host, const char *name,
                          int32 apiVersion, int32 internalVersion, const void *suiteProcs,
                          SPSuiteRef *suite);
  SPAPI SPErr (*AcquireSuite)(SPSuiteListRef suiteList, const char *name, int32 apiVersion,
                              int32 internalVersion, const void **suiteProcs);
  SPAPI SPErr (*ReleaseSuite)(SPSuiteListRef suiteList, const char *name, int32 apiVersion,
                              int32 internalVersion);
  SPAPI SPErr (*FindSuite)(SPSuiteListRef suiteList, const char *name, int32 apiVersion,
                           int32 internalVersion, SPSuiteRef *suite);
  SPAPI SPErr (*NewSuiteListIterator)(SPSuiteListRef suiteList, SPSuiteListIteratorRef *iter);
  SPAPI SPErr (*NextSuite)(SPSuiteListIteratorRef iter, SPSuiteRef *suite);
  SPAPI SPErr (*DeleteSuiteListIterator)(SPSuiteListIteratorRef iter);
  SPAPI SPErr (*GetSuiteHost)(SPSuiteRef suite, SPPluginRef *plugin);
  SPAPI SPErr (*GetSuiteName)(SPSuiteRef suite, const char **name);
  SPAPI SPErr (*GetSuiteAPIVersion)(SPSuiteRef suite, int32 *version);
  SPAPI SPErr (*GetSuiteInternalVersion)(SPSuiteRef suite, int32 *version);
  SPAPI SPErr (*GetSuiteProcs)(SPSuiteRef suite, const void **suiteProcs);
  SPAPI SPErr (*GetSuiteAcquireCount)(SPSuiteRef suite, int32 *count);
} SPSuitesSuite;
