// Pixel formats an image buffer can hold (four-char codes).
#pragma once
#include "A.h"

#define PF_PIXEL_FORMAT_CODE(a, b, c, d) \
  ((A_long)(((A_u_long)(a) << 24) | ((A_u_long)(b) << 16) | ((A_u_long)(c) << 8) | (A_u_long)(d)))

enum {
  PF_PixelFormat_ARGB32 = PF_PIXEL_FORMAT_CODE('a', 'r', 'g', 'b'),
  PF_PixelFormat_ARGB64 = PF_PIXEL_FORMAT_CODE('a', 'r', 'g', 'd'),
  PF_PixelFormat_ARGB128 = PF_PIXEL_FORMAT_CODE('a', 'r', 'g', 'f'),
  PF_PixelFormat_GPU_BGRA128 = PF_PIXEL_FORMAT_CODE('@', 'C', 'D', 'f'),
  PF_PixelFormat_RESERVED = PF_PIXEL_FORMAT_CODE('a', 'l', 'g', 'p'),
  PF_PixelFormat_BGRA32 = PF_PIXEL_FORMAT_CODE('b', 'g', 'r', 'a'),
  PF_PixelFormat_VUYA32 = PF_PIXEL_FORMAT_CODE('v', 'u', 'y', 'a'),
  PF_PixelFormat_NTSCDV25 = PF_PIXEL_FORMAT_CODE('d', 'v', 'n', 't'),
  PF_PixelFormat_PALDV25 = PF_PIXEL_FORMAT_CODE('d', 'v', 'p', 'a'),
  PF_PixelFormat_INVALID = PF_PIXEL_FORMAT_CODE('b', 'a', 'd', 'f'),
  PF_PixelFormat_FORCE_LONG_INT = 0x7FFFFFFF
};
typedef A_long PF_PixelFormat;
