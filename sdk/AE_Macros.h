// Small helpers the SDK offers effects: clearing records, chaining errors,
// and 16.16 fixed-point conversions.
#pragma once
#include <cstring>

#include "A.h"

#define AEFX_CLR_STRUCT(STRUCT) std::memset(&(STRUCT), 0, sizeof(STRUCT))
#define ERR(FUNC)          \
  do {                     \
    if (!err) {            \
      err = (FUNC);        \
    }                      \
  } while (0)
#define ERR2(FUNC)                        \
  do {                                    \
    if (((err2 = (FUNC)) != 0) && !err) { \
      err = err2;                         \
    }                                     \
  } while (0)
#define ABS(N) ((N) < 0 ? -(N) : (N))
#define MAX(A, B) ((A) > (B) ? (A) : (B))
#define MIN(A, B) ((A) < (B) ? (A) : (B))
#define FIX_2_FLOAT(X) ((A_FpLong)(X) / 65536.0)
#define FLOAT2FIX(F) ((A_long)((F) * 65536 + (((F) < 0) ? -0.5 : 0.5)))
#define INT2FIX(I) ((A_long)(I) << 16)
#define FIX2INT(X) (((A_long)(X)) >> 16)
#define FIX2INT_ROUND(X) (FIX2INT((X) + 32768))
