// References to the broker's plug-ins and plug-in lists.
#pragma once
#include "SPTypes.h"

typedef struct SPPlugin *SPPluginRef;
typedef struct SPPluginList *SPPluginListRef;
