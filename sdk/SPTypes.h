// Scalar types of the suite broker (the host's plug-in management layer).
#pragma once
#include <cstddef>
#include <cstdint>

typedef int32_t int32;
typedef uint32_t uint32;
typedef int16_t int16;
typedef uint16_t uint16;
typedef uint8_t uint8;

typedef int32 SPErr;
// The broker's boolean is a 32-bit integer on Windows and a byte elsewhere.
#if defined(_WIN32)
typedef int32 SPBoolean;
#else
typedef uint8 SPBoolean;
#endif

#define SPAPI
