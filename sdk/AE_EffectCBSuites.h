// Effect API: callback suites acquired through the suite broker (handles,
// image buffers, fills, transforms and pixel iteration).
#pragma once
#include "AE_EffectCB.h"
#include "AE_EffectPixelFormat.h"
#include "SPBasic.h"

// Handles.
#define kPFHandleSuite "PF Handle Suite"
#define kPFHandleSuiteVersion1 2

typedef struct PF_HandleSuite1 {
  SPAPI PF_Handle (*host_new_handle)(A_HandleSize size);
  SPAPI void *(*host_lock_handle)(PF_Handle pf_handle);
  SPAPI void (*host_unlock_handle)(PF_Handle pf_handle);
  SPAPI void (*host_dispose_handle)(PF_Handle pf_handle);
  SPAPI A_HandleSize (*host_get_handle_size)(PF_Handle pf_handle);
  SPAPI PF_Err (*host_resize_handle)(A_HandleSize new_sizeL, PF_Handle *handlePH);
} PF_HandleSuite1;

// Image buffers.
#define kPFWorldSuite "PF World Suite"
#define kPFWorldSuiteVersion2 2

typedef struct PF_WorldSuite2 {
  SPAPI PF_Err (*PF_NewWorld)(PF_ProgPtr effect_ref, A_long widthL, A_long heightL,
                              PF_Boolean clear_pixB, PF_PixelFormat pixel_format,
                              PF_EffectWorld *worldP);
  SPAPI PF_Err (*PF_DisposeWorld)(PF_ProgPtr effect_ref, PF_EffectWorld *worldP);
  SPAPI PF_Err (*PF_GetPixelFormat)(const PF_EffectWorld *worldP,
                                    PF_PixelFormat *pixel_formatP);
} PF_WorldSuite2;

// Fills and premultiplication at each depth.
#define kPFFillMatteSuite "PF Fill Matte Suite"
#define kPFFillMatteSuiteVersion2 2

typedef struct PF_FillMatteSuite2 {
  SPAPI PF_Err (*fill)(PF_ProgPtr effect_ref, const PF_Pixel *color, const PF_Rect *dst_rect,
                       PF_EffectWorld *world);
  SPAPI PF_Err (*fill16)(PF_ProgPtr effect_ref, const PF_Pixel16 *color,
                         const PF_Rect *dst_rect, PF_EffectWorld *world);
  SPAPI PF_Err (*fill_float)(PF_ProgPtr effect_ref, const PF_PixelFloat *color,
                             const PF_Rect *dst_rect, PF_EffectWorld *world);
  SPAPI PF_Err (*premultiply)(PF_ProgPtr effect_ref, A_long forward, PF_EffectWorld *dst);
  SPAPI PF_Err (*premultiply_color)(PF_ProgPtr effect_ref, PF_EffectWorld *src,
                                    const PF_Pixel *color, A_long forward, PF_EffectWorld *dst);
  SPAPI PF_Err (*premultiply_color16)(PF_ProgPtr effect_ref, PF_EffectWorld *src,
                                      const PF_Pixel16 *color, A_long forward,
                                      PF_EffectWorld *dst);
  SPAPI PF_Err (*premultiply_color_float)(PF_ProgPtr effect_ref, PF_EffectWorld *src,
                                          const PF_PixelFloat *color, A_long forward,
                                          PF_EffectWorld *dst);
} PF_FillMatteSuite2;

// Compositing and geometric transforms of whole buffers.
#define kPFWorldTransformSuite "PF World Transform Suite"
#define kPFWorldTransformSuiteVersion1 1

typedef struct PF_WorldTransformSuite1 {
  SPAPI PF_Err (*composite_rect)(PF_ProgPtr effect_ref, PF_Rect *src_rect, A_long src_opacity,
                                 PF_EffectWorld *source_wld, A_long dest_x, A_long dest_y,
                                 PF_Field field_rdr, PF_XferMode xfer_mode,
                                 PF_EffectWorld *dest_wld);
  SPAPI PF_Err (*blend)(PF_ProgPtr effect_ref, const PF_EffectWorld *src1,
                        const PF_EffectWorld *src2, PF_Fixed ratio, PF_EffectWorld *dst);
  SPAPI PF_Err (*convolve)(PF_ProgPtr effect_ref, PF_EffectWorld *src, const PF_Rect *area,
                           PF_KernelFlags flags, A_long kernel_size, void *a_kernel, void *r_kernel,
                           void *g_kernel, void *b_kernel, PF_EffectWorld *dst);
  SPAPI PF_Err (*copy)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst,
                       PF_Rect *src_r, PF_Rect *dst_r);
  SPAPI PF_Err (*copy_hq)(PF_ProgPtr effect_ref, PF_EffectWorld *src, PF_EffectWorld *dst,
                          PF_Rect *src_r, PF_Rect *dst_r);
  SPAPI PF_Err (*transfer_rect)(PF_ProgPtr effect_ref, PF_Quality quality, PF_ModeFlags m_flags,
                                PF_Field field, const PF_Rect *src_rec,
                                const PF_EffectWorld *src_world,
                                const PF_CompositeMode *comp_mode,
                                const PF_MaskWorld *mask_world0, A_long dest_x, A_long dest_y,
                                PF_EffectWorld *dst_world);
  SPAPI PF_Err (*transform_world)(PF_ProgPtr effect_ref, PF_Quality quality,
                                  PF_ModeFlags m_flags, PF_Field field,
                                  const PF_EffectWorld *src_world,
                                  const PF_CompositeMode *comp_mode,
                                  const PF_MaskWorld *mask_world0,
                                  const PF_FloatMatrix *matrices, A_long num_matrices,
                                  PF_Boolean src2dst_matrix, const PF_Rect *dest_rect,
                                  PF_EffectWorld *dst_world);
} PF_WorldTransformSuite1;

// Per-pixel iteration on the host's threads, one suite per depth.
#define kPFIterate8Suite "PF Iterate8 Suite"
#define kPFIterate8SuiteVersion1 1

typedef struct PF_Iterate8Suite1 {
  SPAPI PF_Err (*iterate)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                          PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                          PF_IteratePixel8Func pix_fn, PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_origin)(PF_InData *in_data, A_long progress_base,
                                 A_long progress_final, PF_EffectWorld *src,
                                 const PF_Rect *area, const PF_Point *origin, void *refcon,
                                 PF_IteratePixel8Func pix_fn, PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_lut)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                              PF_EffectWorld *src, const PF_Rect *area, A_u_char *a_lut0,
                              A_u_char *r_lut0, A_u_char *g_lut0, A_u_char *b_lut0,
                              PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_origin_non_clip_src)(PF_InData *in_data, A_long progress_base,
                                              A_long progress_final, PF_EffectWorld *src,
                                              const PF_Rect *area, const PF_Point *origin,
                                              void *refcon, PF_IteratePixel8Func pix_fn,
                                              PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_generic)(A_long iterationsL, void *refconPV,
                                  PF_Err (*fn_func)(void *refconPV, A_long thread_indexL,
                                                    A_long i, A_long iterationsL));
} PF_Iterate8Suite1;

#define kPFIterate16Suite "PF iterate16 Suite"
#define kPFIterate16SuiteVersion1 1

typedef struct PF_iterate16Suite1 {
  SPAPI PF_Err (*iterate)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                          PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                          PF_IteratePixel16Func pix_fn, PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_origin)(PF_InData *in_data, A_long progress_base,
                                 A_long progress_final, PF_EffectWorld *src,
                                 const PF_Rect *area, const PF_Point *origin, void *refcon,
                                 PF_IteratePixel16Func pix_fn, PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_origin_non_clip_src)(PF_InData *in_data, A_long progress_base,
                                              A_long progress_final, PF_EffectWorld *src,
                                              const PF_Rect *area, const PF_Point *origin,
                                              void *refcon, PF_IteratePixel16Func pix_fn,
                                              PF_EffectWorld *dst);
} PF_iterate16Suite1;

#define kPFIterateFloatSuite "PF iterateFloat Suite"
#define kPFIterateFloatSuiteVersion1 1

typedef struct PF_iterateFloatSuite1 {
  SPAPI PF_Err (*iterate)(PF_InData *in_data, A_long progress_base, A_long progress_final,
                          PF_EffectWorld *src, const PF_Rect *area, void *refcon,
                          PF_IteratePixelFloatFunc pix_fn, PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_origin)(PF_InData *in_data, A_long progress_base,
                                 A_long progress_final, PF_EffectWorld *src,
                                 const PF_Rect *area, const PF_Point *origin, void *refcon,
                                 PF_IteratePixelFloatFunc pix_fn, PF_EffectWorld *dst);
  SPAPI PF_Err (*iterate_origin_non_clip_src)(PF_InData *in_data, A_long progress_base,
                                              A_long progress_final, PF_EffectWorld *src,
                                              const PF_Rect *area, const PF_Point *origin,
                                              void *refcon, PF_IteratePixelFloatFunc pix_fn,
                                              PF_EffectWorld *dst);
} PF_iterateFloatSuite1;
