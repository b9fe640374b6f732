// The host's suite broker: every other suite is acquired through it by name and version.
#pragma once
#include "A.h"

typedef A_long SPErr;
typedef A_Boolean SPBoolean;
typedef struct SPPlugin *SPPluginRef;
typedef struct SPSuite *SPSuiteRef;
typedef struct SPSuiteList *SPSuiteListRef;

#define kSPNoError 0
#define kSPBadParameterError 0x50617261   // 'Para'
#define kSPSuiteNotFoundError 0x53214664  // 'S!Fd'

#define SPAPI

typedef struct SPBasicSuite {
  SPAPI SPErr (*AcquireSuite)(const char *name, A_long version, const void **suite);
  SPAPI SPErr (*ReleaseSuite)(const char *name, A_long version);
  SPAPI SPBoolean (*IsEqual)(const char *token1, const char *token2);
  SPAPI SPErr (*AllocateBlock)(size_t size, void **block);
  SPAPI SPErr (*FreeBlock)(void *block);
  SPAPI SPErr (*ReallocateBlock)(void *block, size_t newSize, void **newblock);
  SPAPI SPErr (*Undefined)(void);
} SPBasicSuite;

#define kSPBasicSuite "SP Basic Suite"
#define kSPBasicSuiteVersion 4
