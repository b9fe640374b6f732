// "PF AE App Suite" (interface colours, cursor, invalidation) and "PF Effect
// Custom UI Suite" (the drawing reference of an event's context).
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"
#include "host/suites/SuiteRegistry.h"
#include "host/ui/InterfacePalette.h"
#include "host/ui/UiContext.h"

#include <AE_EffectSuites.h>

namespace vlam::host {
namespace {

PF_Err appGetBgColor(PF_App_Color *color) {
  return hostCall("PF_AppGetBgColor", [&](Host &) -> PF_Err {
    if (!color) return PF_Err_BAD_CALLBACK_PARAM;
    *color = *interfaceColor(PF_App_Color_FILL);
    return PF_Err_NONE;
  });
}

PF_Err appGetColor(PF_App_ColorType type, PF_App_Color *color) {
  return hostCall("PF_AppGetColor", [&](Host &) -> PF_Err {
    if (!color) return PF_Err_BAD_CALLBACK_PARAM;
    const auto c = interfaceColor(type);
    if (!c) return PF_Err_BAD_CALLBACK_PARAM; // the colour stays as given
    *color = *c;
    return PF_Err_NONE;
  });
}

VLAM_CALLBACK_NOT_OFFERED(getPersonalInfo, PF_AppPersonalTextInfo *)

PF_Err appSetCursor(PF_CursorType cursor) {
  return hostCall("PF_SetCursor", [&](Host &) -> PF_Err {
    noteSetCursor(cursor);
    return PF_Err_NONE;
  });
}

PF_Err isRenderEngine(PF_Boolean *answer) {
  return hostCall("PF_IsRenderEngine", [&](Host &) -> PF_Err {
    if (!answer) return PF_Err_BAD_CALLBACK_PARAM;
    *answer = 0;
    return PF_Err_NONE;
  });
}

VLAM_CALLBACK_NOT_OFFERED(colorPickerDialog, const A_char *, const PF_PixelFloat *, PF_Boolean, PF_PixelFloat *)
VLAM_CALLBACK_NOT_OFFERED(getMouse, PF_Point *)

PF_Err invalidateRect(const PF_ContextH handle, const PF_Rect *rect) {
  return hostCall("PF_InvalidateRect", [&](Host &) -> PF_Err {
    UiContext *context = UiContext::find(handle);
    if (!context) return PF_Err_BAD_CALLBACK_PARAM;
    if (rect) context->invalidated.push_back(*rect);
    else context->invalidatedAll = true;
    return PF_Err_NONE;
  });
}

PF_Err convertLocalToGlobal(const PF_Point *local, PF_Point *global) {
  return hostCall("PF_ConvertLocalToGlobal", [&](Host &) -> PF_Err {
    if (!local || !global) return PF_Err_BAD_CALLBACK_PARAM;
    *global = *local; // the window is the whole screen
    return PF_Err_NONE;
  });
}

PF_Err getDrawingReference(const PF_ContextH handle, DRAWBOT_DrawRef *reference) {
  return hostCall("PF_GetDrawingReference", [&](Host &) -> PF_Err {
    if (!reference) return PF_Err_BAD_CALLBACK_PARAM;
    *reference = nullptr;
    UiContext *context = UiContext::find(handle);
    // Only a draw event has something to draw into.
    if (!context || !context->target) return PF_Err_BAD_CALLBACK_PARAM;
    *reference = context->target->drawRef();
    return PF_Err_NONE;
  });
}

const PFAppSuite4 kAppSuite{
    .PF_AppGetBgColor = appGetBgColor,
    .PF_AppGetColor = appGetColor,
    .PF_GetPersonalInfo = getPersonalInfo,
    VLAM_UNOFFERED(PF_GetFontStyleSheet),
    .PF_SetCursor = appSetCursor,
    .PF_IsRenderEngine = isRenderEngine,
    .PF_AppColorPickerDialog = colorPickerDialog,
    .PF_GetMouse = getMouse,
    .PF_InvalidateRect = invalidateRect,
    .PF_ConvertLocalToGlobal = convertLocalToGlobal,
    VLAM_UNOFFERED(PF_GetColorAtGlobalPoint),
};
const PF_EffectCustomUISuite1 kCustomUISuite{
    .PF_GetDrawingReference = getDrawingReference,
};

} // namespace

void publishAppSuites(SuiteRegistry &registry) {
  publishTable(registry, kAppSuite);
  publishTable(registry, kCustomUISuite);
}

} // namespace vlam::host
