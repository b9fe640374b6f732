// The host's 2D drawing suites used by custom controls.
#pragma once
#include "SPBasic.h"

typedef struct _DRAWBOT_DrawRef *DRAWBOT_DrawRef;
typedef struct _DRAWBOT_ObjectRef *DRAWBOT_ObjectRef;
typedef DRAWBOT_ObjectRef DRAWBOT_SupplierRef;
typedef DRAWBOT_ObjectRef DRAWBOT_SurfaceRef;
typedef DRAWBOT_ObjectRef DRAWBOT_PenRef;
typedef DRAWBOT_ObjectRef DRAWBOT_BrushRef;
typedef DRAWBOT_ObjectRef DRAWBOT_FontRef;
typedef DRAWBOT_ObjectRef DRAWBOT_PathRef;
typedef DRAWBOT_ObjectRef DRAWBOT_ImageRef;

typedef A_u_short DRAWBOT_UTF16Char;
typedef A_u_char DRAWBOT_Boolean;

typedef struct {
  float red, green, blue, alpha;
} DRAWBOT_ColorRGBA;

typedef struct {
  float x, y;
} DRAWBOT_PointF32;

typedef struct {
  float left, top, width, height;
} DRAWBOT_RectF32;

typedef struct {
  A_long left, top, width, height;
} DRAWBOT_Rect32;

typedef struct {
  float mat[3][3];
} DRAWBOT_MatrixF32;

enum {
  kDRAWBOT_FillType_EvenOdd = 0,
  kDRAWBOT_FillType_Winding,
  kDRAWBOT_FillType_Default = kDRAWBOT_FillType_Winding
};
typedef A_long DRAWBOT_FillType;

enum {
  kDRAWBOT_TextAlignment_Left = 0,
  kDRAWBOT_TextAlignment_Center,
  kDRAWBOT_TextAlignment_Right,
  kDRAWBOT_TextAlignment_Default = kDRAWBOT_TextAlignment_Left
};
typedef A_long DRAWBOT_TextAlignment;

enum {
  kDRAWBOT_TextTruncation_None = 0,
  kDRAWBOT_TextTruncation_End,
  kDRAWBOT_TextTruncation_EndEllipsis,
  kDRAWBOT_TextTruncation_PathEllipsis
};
typedef A_long DRAWBOT_TextTruncation;

enum {
  kDRAWBOT_InterpolationPolicy_None = 0,
  kDRAWBOT_InterpolationPolicy_Med,
  kDRAWBOT_InterpolationPolicy_High,
  kDRAWBOT_InterpolationPolicy_Default = kDRAWBOT_InterpolationPolicy_Med
};
typedef A_long DRAWBOT_InterpolationPolicy;

enum {
  kDRAWBOT_AntiAliasPolicy_None = 0,
  kDRAWBOT_AntiAliasPolicy_Medium,
  kDRAWBOT_AntiAliasPolicy_High,
  kDRAWBOT_AntiAliasPolicy_Default = kDRAWBOT_AntiAliasPolicy_Medium
};
typedef A_long DRAWBOT_AntiAliasPolicy;

enum {
  kDRAWBOT_PixelLayout_24RGB = 0,
  kDRAWBOT_PixelLayout_24BGR,
  kDRAWBOT_PixelLayout_32RGB,
  kDRAWBOT_PixelLayout_32BGR,
  kDRAWBOT_PixelLayout_32ARGB_Straight,
  kDRAWBOT_PixelLayout_32ARGB_Premul,
  kDRAWBOT_PixelLayout_32BGRA_Straight,
  kDRAWBOT_PixelLayout_32BGRA_Premul
};
typedef A_long DRAWBOT_PixelLayout;

#define kDRAWBOT_DrawSuite "DRAWBOT Draw Suite"
#define kDRAWBOT_DrawSuite_Version1 1
#define kDRAWBOT_DrawSuite_VersionCurrent kDRAWBOT_DrawSuite_Version1

typedef struct DRAWBOT_DrawbotSuite1 {
  SPAPI SPErr (*GetSupplier)(DRAWBOT_DrawRef in_drawbot_ref, DRAWBOT_SupplierRef *out_supplierP);
  SPAPI SPErr (*GetSurface)(DRAWBOT_DrawRef in_drawbot_ref, DRAWBOT_SurfaceRef *out_surfaceP);
} DRAWBOT_DrawbotSuite1;
typedef DRAWBOT_DrawbotSuite1 DRAWBOT_DrawbotSuiteCurrent;

#define kDRAWBOT_SupplierSuite "DRAWBOT Supplier Suite"
#define kDRAWBOT_SupplierSuite_Version1 1
#define kDRAWBOT_SupplierSuite_VersionCurrent kDRAWBOT_SupplierSuite_Version1

typedef struct DRAWBOT_SupplierSuite1 {
  SPAPI SPErr (*NewPen)(DRAWBOT_SupplierRef in_supplier_ref, const DRAWBOT_ColorRGBA *in_colorP,
                        float in_size, DRAWBOT_PenRef *out_penP);
  SPAPI SPErr (*NewBrush)(DRAWBOT_SupplierRef in_supplier_ref,
                          const DRAWBOT_ColorRGBA *in_colorP, DRAWBOT_BrushRef *out_brushP);
  SPAPI SPErr (*SupportsText)(DRAWBOT_SupplierRef in_supplier_ref,
                              DRAWBOT_Boolean *out_supports_textB);
  SPAPI SPErr (*GetDefaultFontSize)(DRAWBOT_SupplierRef in_supplier_ref,
                                    float *out_font_sizeF);
  SPAPI SPErr (*NewDefaultFont)(DRAWBOT_SupplierRef in_supplier_ref, float in_font_sizeF,
                                DRAWBOT_FontRef *out_fontP);
  SPAPI SPErr (*NewImageFromBuffer)(DRAWBOT_SupplierRef in_supplier_ref, int in_width,
                                    int in_height, int in_row_bytes,
                                    DRAWBOT_PixelLayout in_pl, const void *in_dataP,
                                    DRAWBOT_ImageRef *out_imageP);
  SPAPI SPErr (*NewPath)(DRAWBOT_SupplierRef in_supplier_ref, DRAWBOT_PathRef *out_pathP);
  SPAPI SPErr (*SupportsPixelLayoutBGRA)(DRAWBOT_SupplierRef in_supplier_ref,
                                         DRAWBOT_Boolean *out_supports_bgraPB);
  SPAPI SPErr (*PrefersPixelLayoutBGRA)(DRAWBOT_SupplierRef in_supplier_ref,
                                        DRAWBOT_Boolean *out_prefers_bgraPB);
  SPAPI SPErr (*SupportsPixelLayoutARGB)(DRAWBOT_SupplierRef in_supplier_ref,
                                         DRAWBOT_Boolean *out_supports_argbPB);
  SPAPI SPErr (*PrefersPixelLayoutARGB)(DRAWBOT_SupplierRef in_supplier_ref,
                                        DRAWBOT_Boolean *out_prefers_argbPB);
  SPAPI SPErr (*RetainObject)(DRAWBOT_ObjectRef in_obj_ref);
  SPAPI SPErr (*ReleaseObject)(DRAWBOT_ObjectRef in_obj_ref);
} DRAWBOT_SupplierSuite1;
typedef DRAWBOT_SupplierSuite1 DRAWBOT_SupplierSuiteCurrent;

#define kDRAWBOT_SurfaceSuite "DRAWBOT Surface Suite"
#define kDRAWBOT_SurfaceSuite_Version1 1
#define kDRAWBOT_SurfaceSuite_Version2 2
#define kDRAWBOT_SurfaceSuite_VersionCurrent kDRAWBOT_SurfaceSuite_Version2

typedef struct DRAWBOT_SurfaceSuite2 {
  SPAPI SPErr (*PushStateStack)(DRAWBOT_SurfaceRef in_surface_ref);
  SPAPI SPErr (*PopStateStack)(DRAWBOT_SurfaceRef in_surface_ref);
  SPAPI SPErr (*PaintRect)(DRAWBOT_SurfaceRef in_surface_ref,
                           const DRAWBOT_ColorRGBA *in_colorP, const DRAWBOT_RectF32 *in_rectPR);
  SPAPI SPErr (*FillPath)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_BrushRef in_brush_ref,
                          DRAWBOT_PathRef in_path_ref, DRAWBOT_FillType in_fill_type);
  SPAPI SPErr (*StrokePath)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_PenRef in_pen_ref,
                            DRAWBOT_PathRef in_path_ref);
  SPAPI SPErr (*Clip)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_SupplierRef in_supplier_ref,
                      const DRAWBOT_Rect32 *in_rectPR);
  SPAPI SPErr (*GetClipBounds)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_Rect32 *out_rectPR);
  SPAPI SPErr (*IsWithinClipBounds)(DRAWBOT_SurfaceRef in_surface_ref,
                                    const DRAWBOT_Rect32 *in_rectPR,
                                    DRAWBOT_Boolean *out_withinPB);
  SPAPI SPErr (*Transform)(DRAWBOT_SurfaceRef in_surface_ref,
                           const DRAWBOT_MatrixF32 *in_matrixP);
  SPAPI SPErr (*DrawString)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_BrushRef in_brush_ref,
                            DRAWBOT_FontRef in_font_ref, const DRAWBOT_UTF16Char *in_stringP,
                            const DRAWBOT_PointF32 *in_originP,
                            DRAWBOT_TextAlignment in_alignment_style,
                            DRAWBOT_TextTruncation in_truncation_style,
                            float in_truncation_width);
  SPAPI SPErr (*DrawImage)(DRAWBOT_SurfaceRef in_surface_ref, DRAWBOT_ImageRef in_image_ref,
                           const DRAWBOT_PointF32 *in_originP, float in_alpha);
  SPAPI SPErr (*SetInterpolationPolicy)(DRAWBOT_SurfaceRef in_surface_ref,
                                        DRAWBOT_InterpolationPolicy in_interp);
  SPAPI SPErr (*GetInterpolationPolicy)(DRAWBOT_SurfaceRef in_surface_ref,
                                        DRAWBOT_InterpolationPolicy *out_interpP);
  SPAPI SPErr (*SetAntiAliasPolicy)(DRAWBOT_SurfaceRef in_surface_ref,
                                    DRAWBOT_AntiAliasPolicy in_policy);
  SPAPI SPErr (*GetAntiAliasPolicy)(DRAWBOT_SurfaceRef in_surface_ref,
                                    DRAWBOT_AntiAliasPolicy *out_policyP);
  SPAPI SPErr (*Flush)(DRAWBOT_SurfaceRef in_surface_ref);
} DRAWBOT_SurfaceSuite2;
typedef DRAWBOT_SurfaceSuite2 DRAWBOT_SurfaceSuiteCurrent;

#define kDRAWBOT_PathSuite "DRAWBOT Path Suite"
#define kDRAWBOT_PathSuite_Version1 1
#define kDRAWBOT_PathSuite_VersionCurrent kDRAWBOT_PathSuite_Version1

typedef struct DRAWBOT_PathSuite1 {
  SPAPI SPErr (*MoveTo)(DRAWBOT_PathRef in_path_ref, float in_x, float in_y);
  SPAPI SPErr (*LineTo)(DRAWBOT_PathRef in_path_ref, float in_x, float in_y);
  SPAPI SPErr (*BezierTo)(DRAWBOT_PathRef in_path_ref, const DRAWBOT_PointF32 *in_pt1P,
                          const DRAWBOT_PointF32 *in_pt2P, const DRAWBOT_PointF32 *in_pt3P);
  SPAPI SPErr (*AddRect)(DRAWBOT_PathRef in_path_ref, const DRAWBOT_RectF32 *in_rectPR);
  SPAPI SPErr (*AddArc)(DRAWBOT_PathRef in_path_ref, const DRAWBOT_PointF32 *in_centerP,
                        float in_radius, float in_start_angle, float in_sweep);
  SPAPI SPErr (*Close)(DRAWBOT_PathRef in_path_ref);
} DRAWBOT_PathSuite1;
typedef DRAWBOT_PathSuite1 DRAWBOT_PathSuiteCurrent;
