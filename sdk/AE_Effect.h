// Effect API: commands, in/out records, parameters and image buffers.
#pragma once
#include "A.h"

typedef A_long PF_Err;
typedef A_long PF_Fixed;
typedef A_char PF_Boolean;
typedef double PF_FpLong;
typedef float PF_FpShort;
typedef A_long PF_ParamValue;
typedef A_long PF_ParamIndex;
typedef void **PF_Handle;
typedef struct _PF_ProgressData *PF_ProgPtr;

typedef struct {
  A_u_char alpha, red, green, blue;
} PF_Pixel;
typedef PF_Pixel PF_Pixel8;
typedef PF_Pixel PF_UnionablePixel;

typedef struct {
  A_u_short alpha, red, green, blue;
} PF_Pixel16;

typedef struct {
  PF_FpShort alpha, red, green, blue;
} PF_PixelFloat;
typedef PF_PixelFloat PF_Pixel32;

typedef struct {
  A_long left, top, right, bottom;
} PF_LRect;
typedef PF_LRect PF_Rect;
typedef PF_Rect PF_UnionableRect;

typedef struct {
  A_long h, v;
} PF_Point;

typedef struct {
  A_long num;
  A_u_long den;
} PF_RationalScale;

typedef A_long PF_WorldFlags;
enum {
  PF_WorldFlag_DEEP = 1L << 0,
  PF_WorldFlag_WRITEABLE = 1L << 1,
  PF_WorldFlag_RESERVED0 = 1L << 24,
  PF_WorldFlag_RESERVED1 = 1L << 25,
  PF_WorldFlag_RESERVED2 = 1L << 26,
  PF_WorldFlag_RESERVED3 = 1L << 27,
  PF_WorldFlag_RESERVED4 = 1L << 28,
  PF_WorldFlag_RESERVED5 = 1L << 29,
  PF_WorldFlag_RESERVED6 = 1L << 30,
  PF_WorldFlag_RESERVED = 1L << 31
};

typedef PF_Pixel *PF_PixelPtr;

// An image buffer: the layer parameter's pixels, the output, or a work buffer.
typedef struct PF_LayerDef {
  void *reserved0;
  void *reserved1;
  PF_WorldFlags world_flags;
  PF_PixelPtr data;
  A_long rowbytes;
  A_long width;
  A_long height;
  PF_UnionableRect extent_hint;
  void *platform_ref;
  A_long reserved_long1;
  void *reserved_long4;
  PF_RationalScale pix_aspect_ratio;
  void *reserved_long2;
  A_long origin_x;
  A_long origin_y;
  A_long reserved_long3;
  A_long dephault;
} PF_LayerDef;

typedef PF_LayerDef PF_EffectWorld;
typedef PF_LayerDef PF_World;
