// Basic scalar and record types shared by the effect and general plug-in APIs.
#pragma once
#include <cstddef>
#include <cstdint>

typedef int32_t A_long;
typedef uint32_t A_u_long;
typedef int16_t A_short;
typedef uint16_t A_u_short;
typedef char A_char;
typedef unsigned char A_u_char;
typedef uint8_t A_Boolean;
typedef double A_FpLong;
typedef float A_FpShort;
typedef int64_t A_long_long;
typedef uint64_t A_u_longlong;
typedef uint16_t A_UTF16Char;
typedef A_long A_Err;
typedef intptr_t A_intptr_t;
typedef A_u_longlong A_HandleSize;

enum {
  A_Err_NONE = 0,
  A_Err_GENERIC = 1,
  A_Err_STRUCT = 2,
  A_Err_PARAMETER = 3,
  A_Err_ALLOC = 4,
  A_Err_WRONG_THREAD = 5,
  A_Err_CONST_PROJECT_MODIFICATION = 6,
  A_Err_MISSING_SUITE = 13,
  A_Err_NOT_IN_CACHE_OR_COMPUTE_PENDING = 14,
  A_Err_PROBLEMS_GETTING_PASSWORD = 15,
  A_Err_MONITOR_OUT_OF_DATE = 16,
  A_Err_LAST = 17
};

typedef struct {
  A_long value;
  A_u_long scale;
} A_Time;

typedef struct {
  A_long num;
  A_u_long den;
} A_Ratio;

typedef struct {
  A_FpLong x, y;
} A_FloatPoint;

typedef struct {
  A_FpLong x, y, z;
} A_FloatPoint3;

typedef struct {
  A_FpLong left, top, right, bottom;
} A_FloatRect;

typedef struct {
  A_long left, top, right, bottom;
} A_LRect;

typedef struct {
  A_FpLong mat[3][3];
} A_Matrix3;

typedef struct {
  A_FpLong mat[4][4];
} A_Matrix4;

typedef struct {
  A_short major;
  A_short minor;
} A_Version;

typedef struct {
  A_u_long majorS;
  A_u_long minorS;
} A_PluginVersion;
