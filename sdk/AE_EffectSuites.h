// Effect API: suites for parameters, paths, masks, application colours and
// custom-UI drawing.
#pragma once
#include "AE_EffectCBSuites.h"
#include "AE_EffectUI.h"
#include "DrawbotSuite.h"

// Parameter UI and state.
#define kPFParamUtilsSuite "PF Param Utils Suite"
#define kPFParamUtilsSuiteVersion3 3

typedef A_long PF_KeyIndex;
typedef struct {
  A_long reserved[4];
} PF_State;

enum {
  PF_TimeDir_GREATER_THAN = 0x0000,
  PF_TimeDir_LESS_THAN = 0x0001,
  PF_TimeDir_GREATER_THAN_OR_EQUAL = 0x1000,
  PF_TimeDir_LESS_THAN_OR_EQUAL = 0x1001
};
typedef A_long PF_TimeDir;

#define PF_KeyIndex_NONE (-1)

typedef struct PF_ParamUtilsSuite3 {
  SPAPI PF_Err (*PF_UpdateParamUI)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                   const PF_ParamDef *defP);
  SPAPI PF_Err (*PF_GetCurrentState)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                     const A_Time *startPT0, const A_Time *durationPT0,
                                     PF_State *stateP);
  SPAPI PF_Err (*PF_AreStatesIdentical)(PF_ProgPtr effect_ref, const PF_State *state1P,
                                        const PF_State *state2P, A_Boolean *samePB);
  SPAPI PF_Err (*PF_IsIdenticalCheckout)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                         A_long what_time1, A_long time_step1,
                                         A_u_long time_scale1, A_long what_time2,
                                         A_long time_step2, A_u_long time_scale2,
                                         PF_Boolean *identicalPB);
  SPAPI PF_Err (*PF_FindKeyframeTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                      A_long what_time, A_u_long time_scale,
                                      PF_TimeDir time_dir, PF_Boolean *foundPB,
                                      PF_KeyIndex *key_indexP0, A_long *key_timeP0,
                                      A_u_long *key_timescaleP0);
  SPAPI PF_Err (*PF_GetKeyframeCount)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                      PF_KeyIndex *key_countP);
  SPAPI PF_Err (*PF_CheckoutKeyframe)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                      PF_KeyIndex key_index, A_long *key_timeP0,
                                      A_u_long *key_timescaleP0, PF_ParamDef *paramP0);
  SPAPI PF_Err (*PF_CheckinKeyframe)(PF_ProgPtr effect_ref, PF_ParamDef *paramP);
  SPAPI PF_Err (*PF_KeyIndexToTime)(PF_ProgPtr effect_ref, PF_ParamIndex param_index,
                                    PF_KeyIndex key_index, A_long *key_timeP,
                                    A_u_long *key_timescaleP);
} PF_ParamUtilsSuite3;

// Floating-point values of fixed-point parameters.
#define kPFAngleParamSuite "PF AngleParamSuite"
#define kPFAngleParamSuiteVersion1 1

typedef struct PF_AngleParamSuite1 {
  SPAPI PF_Err (*PF_GetFloatingPointValueFromAngleDef)(PF_ProgPtr effect_ref,
                                                       const PF_ParamDef *angle_defP,
                                                       A_FpLong *fp_valueP);
} PF_AngleParamSuite1;

#define kPFColorParamSuite "PF ColorParamSuite"
#define kPFColorParamSuiteVersion1 1

typedef struct PF_ColorParamSuite1 {
  SPAPI PF_Err (*PF_GetFloatingPointColorFromColorDef)(PF_ProgPtr effect_ref,
                                                       const PF_ParamDef *color_defP,
                                                       PF_PixelFloat *fp_colorP);
} PF_ColorParamSuite1;

#define kPFPointParamSuite "PF PointParamSuite"
#define kPFPointParamSuiteVersion1 1

typedef struct PF_PointParamSuite1 {
  SPAPI PF_Err (*PF_GetFloatingPointValueFromPointDef)(PF_ProgPtr effect_ref,
                                                       const PF_ParamDef *point_defP,
                                                       A_FloatPoint *fp_pointP);
} PF_PointParamSuite1;

// Layer masks as paths.
typedef struct _PF_PathOutline *PF_PathOutlinePtr;
typedef struct _PF_PathSegPrep *PF_PathSegPrepPtr;
typedef A_long PF_PathVertexIndex;
typedef A_long PF_PathSegIndex;

typedef struct {
  PF_FpLong x, y;
  PF_FpLong tan_in_x, tan_in_y;
  PF_FpLong tan_out_x, tan_out_y;
} PF_PathVertex;

#define kPFPathQuerySuite "PF Path Query Suite"
#define kPFPathQuerySuiteVersion1 1

typedef struct PF_PathQuerySuite1 {
  SPAPI PF_Err (*PF_NumPaths)(PF_ProgPtr effect_ref, A_long *num_pathsPL);
  SPAPI PF_Err (*PF_PathInfo)(PF_ProgPtr effect_ref, A_long indexL, PF_PathID *unique_idP);
  SPAPI PF_Err (*PF_CheckoutPath)(PF_ProgPtr effect_ref, PF_PathID unique_id, A_long what_time,
                                  A_long time_step, A_u_long time_scale,
                                  PF_PathOutlinePtr *pathPP);
  SPAPI PF_Err (*PF_CheckinPath)(PF_ProgPtr effect_ref, PF_PathID unique_id,
                                 PF_Boolean changedB, PF_PathOutlinePtr pathP);
} PF_PathQuerySuite1;

#define kPFPathDataSuite "PF Path Data Suite"
#define kPFPathDataSuiteVersion1 1

typedef struct PF_PathDataSuite1 {
  SPAPI PF_Err (*PF_PathIsOpen)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                PF_Boolean *openPB);
  SPAPI PF_Err (*PF_PathNumSegments)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                     A_long *num_segmentsPL);
  SPAPI PF_Err (*PF_PathVertexInfo)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                    PF_PathVertexIndex which_pointL, PF_PathVertex *vertexP);
} PF_PathDataSuite1;

// Rasterising a mask path into a matte.
#define kPFMaskSuite "AEGP Mask Suite"
#define kPFMaskSuiteVersion1 1

typedef struct PF_MaskSuite1 {
  SPAPI PF_Err (*PF_MaskWorldWithPath)(PF_ProgPtr effect_ref, PF_PathOutlinePtr maskP,
                                       PF_FpLong feather_x, PF_FpLong feather_y,
                                       PF_Boolean invert, PF_FpLong opacity,
                                       PF_Quality quality, PF_EffectWorld *worldP,
                                       PF_Rect *bboxPR0);
} PF_MaskSuite1;

// Host application services: interface colours, invalidation.
#define kPFAppSuite "PF AE App Suite"
#define kPFAppSuiteVersion6 6

typedef struct {
  A_u_short red, green, blue;
} PF_App_Color;

enum {
  PF_App_Color_NONE = -1,
  PF_App_Color_FRAME = 0,
  PF_App_Color_FILL,
  PF_App_Color_DARK_CAPTION_FILL,
  PF_App_Color_DARK_CAPTION_TEXT,
  PF_App_Color_LIGHT_CAPTION_FILL,
  PF_App_Color_LIGHT_CAPTION_TEXT,
  PF_App_Color_LIGHT_TINGE,
  PF_App_Color_DARK_TINGE,
  PF_App_Color_HILITE,
  PF_App_Color_SHADOW,
  PF_App_Color_BUTTON_FRAME,
  PF_App_Color_BUTTON_FILL,
  PF_App_Color_BUTTON_TEXT,
  PF_App_Color_BUTTON_LIGHT_TINGE,
  PF_App_Color_BUTTON_DARK_TINGE,
  PF_App_Color_BUTTON_HILITE,
  PF_App_Color_BUTTON_SHADOW
};
typedef A_short PF_App_ColorType;

typedef struct {
  A_char name[64];
  A_char org[64];
  A_long serial_str[32];
} PF_AppPersonalTextInfo;

typedef struct PF_AppSuite6 {
  SPAPI PF_Err (*PF_AppGetBgColor)(PF_App_Color *bg_colorP);
  SPAPI PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color *app_colorP);
  SPAPI PF_Err (*PF_GetPersonalInfo)(PF_AppPersonalTextInfo *ptiP);
  SPAPI PF_Err (*PF_SetCursor)(PF_CursorType cursor);
  SPAPI PF_Err (*PF_IsRenderEngine)(PF_Boolean *render_enginePB);
  SPAPI PF_Err (*PF_AppColorPickerDialog)(const A_char *dialog_titleZ0,
                                          const PF_PixelFloat *sample_colorP,
                                          PF_Boolean use_ws_to_monitor_xformB,
                                          PF_PixelFloat *result_colorP);
  SPAPI PF_Err (*PF_GetMouse)(PF_Point *pointP);
  SPAPI PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect *rectP0);
  SPAPI PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point *localP, PF_Point *globalP);
} PF_AppSuite6;

// Access to the host's drawing objects from a custom-UI event.
#define kPFEffectCustomUISuite "PF Effect Custom UI Suite"
#define kPFEffectCustomUISuiteVersion1 1

typedef struct PF_EffectCustomUISuite1 {
  SPAPI PF_Err (*PF_GetDrawingReference)(const PF_ContextH effect_contextH,
                                         DRAWBOT_DrawRef *referenceP0);
} PF_EffectCustomUISuite1;
