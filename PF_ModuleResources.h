// The module's resources on platforms without a resource section: our host
// reads each plug-in's property list (PiPL) through this exported function.
// Not part of the host SDK, so it lives outside sdk/; it sits at the top of
// the tree so that a tool can build the property lists with only the
// project root and sdk/ on its include path.
#pragma once
#include "A.h"

typedef struct {
  A_u_long type;  // four-char code, 'PiPL' for property lists
  A_long id;      // resource id
  A_u_long size;  // bytes of data
  const A_u_char *data;
} PF_ModuleResource;

#define PF_ModuleResourceType_PiPL 0x5069504CUL  // 'PiPL'
#define PF_GetModuleResources_FuncName "PF_GetModuleResources"

typedef const PF_ModuleResource *(*PF_GetModuleResourcesFunc)(A_long *countP);

#if !defined(_WIN32)
extern "C" const PF_ModuleResource *PF_GetModuleResources(A_long *countP);
#endif
