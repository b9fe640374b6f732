// Effect API: suites for parameters, paths, application services and
// custom-UI drawing. Earlier versions of some of these suites are declared
// in AE_EffectSuitesOld.h, included at the end.
#pragma once
#include "AE_Effect.h"
#include "AE_EffectUI.h"
#include "SPBasic.h"
#include "adobesdk/DrawbotSuite.h"

// Parameter UI and state.
#define kPFParamUtilsSuite "PF Param Utils Suite"
#define kPFParamUtilsSuiteVersion3 3

typedef A_long PF_KeyIndex;
typedef struct {
  A_long reservedAL[4];
} PF_State;

enum {
  PF_TimeDir_GREATER_THAN = 0x0000,
  PF_TimeDir_LESS_THAN = 0x0001,
  PF_TimeDir_GREATER_THAN_OR_EQUAL = 0x1000,
  PF_TimeDir_LESS_THAN_OR_EQUAL = 0x1001
};
typedef A_long PF_TimeDir;

#define PF_KeyIndex_NONE (-1L)

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
typedef struct PF_PathOutline *PF_PathOutlinePtr;
typedef struct PF_PathSegPrep *PF_PathSegPrepPtr;

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
                                    A_long which_pointL, PF_PathVertex *vertexP);
  SPAPI PF_Err (*PF_PathPrepareSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                          A_long which_segL, A_long frequencyL,
                                          PF_PathSegPrepPtr *lengthPrepPP);
  SPAPI PF_Err (*PF_PathGetSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                      A_long which_segL, PF_PathSegPrepPtr *lengthPrepP0,
                                      PF_FpLong *lengthPF);
  SPAPI PF_Err (*PF_PathEvalSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                       PF_PathSegPrepPtr *lengthPrepPP0, A_long which_segL,
                                       PF_FpLong lengthF, PF_FpLong *x, PF_FpLong *y);
  SPAPI PF_Err (*PF_PathEvalSegLengthDeriv1)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                             PF_PathSegPrepPtr *lengthPrepPP0,
                                             A_long which_segL, PF_FpLong lengthF,
                                             PF_FpLong *x, PF_FpLong *y, PF_FpLong *deriv1x,
                                             PF_FpLong *deriv1y);
  SPAPI PF_Err (*PF_PathCleanupSegLength)(PF_ProgPtr effect_ref, PF_PathOutlinePtr pathP,
                                          A_long which_segL, PF_PathSegPrepPtr *lengthPrepPP);
  SPAPI PF_Err (*PF_PathIsInverted)(PF_ProgPtr effect_ref, PF_PathID unique_id,
                                    PF_Boolean *invertedB);
  SPAPI PF_Err (*PF_PathGetMaskMode)(PF_ProgPtr effect_ref, PF_PathID unique_id,
                                     PF_MaskMode *modeP);
  SPAPI PF_Err (*PF_PathGetName)(PF_ProgPtr effect_ref, PF_PathID unique_id, A_char *nameZ);
} PF_PathDataSuite1;

// Host application services: interface colours, fonts, cursor, invalidation.
#define kPFAppSuite "PF AE App Suite"
#define kPFAppSuiteVersion6 1

typedef struct {
  A_u_short red, green, blue;
} PF_App_Color;

enum {
  PF_App_Color_NONE = -1,
  PF_App_Color_FRAME,
  PF_App_Color_FILL,
  PF_App_Color_TEXT,
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
  PF_App_Color_BUTTON_SHADOW,
  PF_App_Color_BUTTON_PRESSED_FRAME,
  PF_App_Color_BUTTON_PRESSED_FILL,
  PF_App_Color_BUTTON_PRESSED_TEXT,
  PF_App_Color_BUTTON_PRESSED_LIGHT_TINGE,
  PF_App_Color_BUTTON_PRESSED_DARK_TINGE,
  PF_App_Color_BUTTON_PRESSED_HILITE,
  PF_App_Color_BUTTON_PRESSED_SHADOW,
  PF_App_Color_FRAME_DISABLED,
  PF_App_Color_FILL_DISABLED,
  PF_App_Color_TEXT_DISABLED,
  PF_App_Color_LIGHT_TINGE_DISABLED,
  PF_App_Color_DARK_TINGE_DISABLED,
  PF_App_Color_HILITE_DISABLED,
  PF_App_Color_SHADOW_DISABLED,
  PF_App_Color_BUTTON_FRAME_DISABLED,
  PF_App_Color_BUTTON_FILL_DISABLED,
  PF_App_Color_BUTTON_TEXT_DISABLED,
  PF_App_Color_BUTTON_LIGHT_TINGE_DISABLED,
  PF_App_Color_BUTTON_DARK_TINGE_DISABLED,
  PF_App_Color_BUTTON_HILITE_DISABLED,
  PF_App_Color_BUTTON_SHADOW_DISABLED,
  PF_App_Color_BUTTON_PRESSED_FRAME_DISABLED,
  PF_App_Color_BUTTON_PRESSED_FILL_DISABLED,
  PF_App_Color_BUTTON_PRESSED_TEXT_DISABLED,
  PF_App_Color_BUTTON_PRESSED_LIGHT_TINGE_DISABLED,
  PF_App_Color_BUTTON_PRESSED_DARK_TINGE_DISABLED,
  PF_App_Color_BUTTON_PRESSED_HILITE_DISABLED,
  PF_App_Color_BUTTON_PRESSED_SHADOW_DISABLED,
  PF_App_Color_BLACK,
  PF_App_Color_WHITE,
  PF_App_Color_GRAY,
  PF_App_Color_RED,
  PF_App_Color_YELLOW,
  PF_App_Color_GREEN,
  PF_App_Color_CYAN,
  PF_App_Color_TLW_NEEDLE_CURRENT_TIME,
  PF_App_Color_TLW_NEEDLE_PREVIEW_TIME,
  PF_App_Color_TLW_CACHE_MARK_MEM,
  PF_App_Color_TLW_CACHE_MARK_DISK,
  PF_App_Color_TLW_CACHE_MARK_MIX,
  PF_App_Color_FILL_LIGHT,
  PF_App_Color_HOT_TEXT,
  PF_App_Color_HOT_TEXT_DISABLED,
  PF_App_Color_LABEL_0,
  PF_App_Color_LABEL_1,
  PF_App_Color_LABEL_2,
  PF_App_Color_LABEL_3,
  PF_App_Color_LABEL_4,
  PF_App_Color_LABEL_5,
  PF_App_Color_LABEL_6,
  PF_App_Color_LABEL_7,
  PF_App_Color_LABEL_8,
  PF_App_Color_LABEL_9,
  PF_App_Color_LABEL_10,
  PF_App_Color_LABEL_11,
  PF_App_Color_LABEL_12,
  PF_App_Color_LABEL_13,
  PF_App_Color_LABEL_14,
  PF_App_Color_LABEL_15,
  PF_App_Color_LABEL_16,
  PF_App_Color_TLW_CACHE_MARK_MEM_DUBIOUS,
  PF_App_Color_TLW_CACHE_MARK_DISK_DUBIOUS,
  PF_App_Color_TLW_CACHE_MARK_MIX_DUBIOUS,
  PF_App_Color_HOT_TEXT_PRESSED,
  PF_App_Color_HOT_TEXT_WARNING,
  PF_App_Color_PURE_BLACK,
  PF_App_Color_PURE_WHITE,
  PF_App_Color_PANEL_BACKGROUND = 1000,
  PF_App_Color_LIST_BOX_FILL,
  PF_App_Color_DARK_CAPTION_FILL,
  PF_App_Color_DARK_CAPTION_TEXT,
  PF_App_Color_TEXT_ON_LIGHTER_BG,
  PF_App_Color_NUMTYPES
};
typedef A_short PF_App_ColorType;

typedef struct {
  A_char name[64];
  A_char org[64];
  A_char serial_str[64];
} PF_AppPersonalTextInfo;

enum {
  PF_FontStyle_NONE = -1,
  PF_FontStyle_SYS = 0,
  PF_FontStyle_SMALL,
  PF_FontStyle_SMALL_BOLD,
  PF_FontStyle_SMALL_ITALIC,
  PF_FontStyle_MED,
  PF_FontStyle_MED_BOLD,
  PF_FontStyle_APP,
  PF_FontStyle_APP_BOLD,
  PF_FontStyle_APP_ITALIC
};
typedef A_LegacyEnumType PF_FontStyleSheet;

typedef struct {
  A_char font_nameAC[256];
} PF_FontName;

enum {
  PF_EyeDropperSampleMode_DEFAULT = 0,
  PF_EyeDropperSampleMode_STRAIGHT,
  PF_EyeDropperSampleMode_PREMUL
};
typedef A_short PF_EyeDropperSampleMode;

// Access to the host's drawing objects from a custom-UI event.
#define kPFEffectCustomUISuite "PF Effect Custom UI Suite"

#include "AE_EffectSuitesOld.h"
