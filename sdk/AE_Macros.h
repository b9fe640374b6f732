// Small helpers the SDK's samples rely on.
#pragma once
#include <cstring>

#define AEFX_CLR_STRUCT(STRUCT) std::memset(&(STRUCT), 0, sizeof(STRUCT))
#define ERR(FUNC)          \
  do {                     \
    if (!err) {            \
      err = (FUNC);        \
    }                      \
  } while (0)
#define ERR2(FUNC)         \
  do {                     \
    if (((err2 = (FUNC)) != 0) && !err) { \
      err = err2;          \
    }                      \
  } while (0)
#define PF_MAX(A, B) ((A) > (B) ? (A) : (B))
#define PF_MIN(A, B) ((A) < (B) ? (A) : (B))
#define PF_ABS(A) ((A) < 0 ? -(A) : (A))
#define FIX_2_FLOAT(X) ((A_FpLong)(X) / 65536.0)
#define FLOAT2FIX(F) ((PF_Fixed)((F) * 65536 + (((F) < 0) ? -0.5 : 0.5)))
#define INT2FIX(I) ((PF_Fixed)(I) << 16)
#define FIX2INT(X) ((A_long)((X) >> 16))
