// Effect API: earlier versions of suites whose current versions are in
// AE_EffectSuites.h.
#pragma once
#include "AE_EffectSuites.h"

// Host application services as effect API 13.5 and later publish them under
// version 6 of "PF AE App Suite".
#define kPFAppSuiteVersion4 6
#define kPFAppSuiteVersion5 7

typedef struct PFAppSuite4 {
  SPAPI PF_Err (*PF_AppGetBgColor)(PF_App_Color *bg_colorP);
  SPAPI PF_Err (*PF_AppGetColor)(PF_App_ColorType color_type, PF_App_Color *app_colorP);
  SPAPI PF_Err (*PF_GetPersonalInfo)(PF_AppPersonalTextInfo *ptiP);
  SPAPI PF_Err (*PF_GetFontStyleSheet)(PF_FontStyleSheet sheet, PF_FontName *font_nameP0,
                                       A_short *font_numPS0, A_short *sizePS0,
                                       A_short *stylePS0);
  SPAPI PF_Err (*PF_SetCursor)(PF_CursorType cursor);
  SPAPI PF_Err (*PF_IsRenderEngine)(PF_Boolean *render_enginePB);
  SPAPI PF_Err (*PF_AppColorPickerDialog)(const A_char *dialog_titleZ0,
                                          const PF_PixelFloat *sample_colorP,
                                          PF_Boolean use_ws_to_monitor_xformB,
                                          PF_PixelFloat *result_colorP);
  SPAPI PF_Err (*PF_GetMouse)(PF_Point *pointP);
  SPAPI PF_Err (*PF_InvalidateRect)(const PF_ContextH contextH, const PF_Rect *rectP0);
  SPAPI PF_Err (*PF_ConvertLocalToGlobal)(const PF_Point *localP, PF_Point *globalP);
  SPAPI PF_Err (*PF_GetColorAtGlobalPoint)(const PF_Point *globalP, A_short eyeSize,
                                           PF_EyeDropperSampleMode mode,
                                           PF_PixelFloat *pointColor);
} PFAppSuite4;

#define kPFEffectCustomUISuiteVersion1 1

typedef struct PF_EffectCustomUISuite1 {
  SPAPI PF_Err (*PF_GetDrawingReference)(const PF_ContextH effect_contextH,
                                         DRAWBOT_DrawRef *referenceP0);
} PF_EffectCustomUISuite1;
