// The broker's string pools.
#pragma once
#include "SPTypes.h"

typedef struct SPStringPool *SPStringPoolRef;
