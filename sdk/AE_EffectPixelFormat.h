// Pixel formats an image buffer can hold: four-char codes whose first
// character is the lowest byte.
#pragma once
#include "A.h"

#define MAKE_PIXEL_FORMAT_FOURCC(CH0, CH1, CH2, CH3)                                     \
  ((A_u_long)(A_u_char)(CH0) | ((A_u_long)(A_u_char)(CH1) << 8) |                          \
   ((A_u_long)(A_u_char)(CH2) << 16) | ((A_u_long)(A_u_char)(CH3) << 24))

enum {
  PF_PixelFormat_ARGB32 = MAKE_PIXEL_FORMAT_FOURCC('a', 'r', 'g', 'b'),
  PF_PixelFormat_ARGB64 = MAKE_PIXEL_FORMAT_FOURCC('a', 'e', '1', '6'),
  PF_PixelFormat_ARGB128 = MAKE_PIXEL_FORMAT_FOURCC('a', 'e', '3', '2'),
  PF_PixelFormat_GPU_BGRA128 = MAKE_PIXEL_FORMAT_FOURCC('@', 'C', 'D', 'A'),
  PF_PixelFormat_RESERVED = MAKE_PIXEL_FORMAT_FOURCC('@', 'C', 'D', 'a'),
  PF_PixelFormat_BGRA32 = MAKE_PIXEL_FORMAT_FOURCC('b', 'g', 'r', 'a'),
  PF_PixelFormat_VUYA32 = MAKE_PIXEL_FORMAT_FOURCC('v', 'u', 'y', 'a'),
  PF_PixelFormat_NTSCDV25 = MAKE_PIXEL_FORMAT_FOURCC('d', 'v', 'n', '2'),
  PF_PixelFormat_PALDV25 = MAKE_PIXEL_FORMAT_FOURCC('d', 'v', 'p', '2'),
  PF_PixelFormat_INVALID = MAKE_PIXEL_FORMAT_FOURCC('b', 'a', 'd', 'f'),
  PF_PixelFormat_FORCE_LONG_INT = 0xFFFFFFFF
};
typedef A_long PF_PixelFormat;
