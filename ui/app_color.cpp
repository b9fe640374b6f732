#include "ui/app_color.h"

#include "frame/scoped_suite.h"

namespace vlam {
namespace {

PF_App_ColorType HostColorType(const PF_InData *in_data, PF_App_ColorType type) {
  const bool older_table = in_data->version.major == 13 && in_data->version.minor <= 3;
  if (older_table && type > 54) {
    return static_cast<PF_App_ColorType>(type + 3);
  }
  return type;
}

}  // namespace

PF_Err GetAppColor(const PF_InData *in_data, PF_App_ColorType type, DRAWBOT_ColorRGBA *out) {
  const PF_App_ColorType host_type = HostColorType(in_data, type);
  ScopedSuite<PFAppSuite4> app(in_data->pica_basicP, kPFAppSuite, kPFAppSuiteVersion4);
  PF_App_Color color{0, 0, 0};
  const PF_Err err = app->PF_AppGetColor(host_type, &color);
  if (err != PF_Err_NONE) {
    color = PF_App_Color{0, 0, 0};
  }
  out->red = static_cast<float>(color.red / 65536.0);
  out->green = static_cast<float>(color.green / 65536.0);
  out->blue = static_cast<float>(color.blue / 65536.0);
  out->alpha = 1.0f;
  return err;
}

DRAWBOT_ColorRGBA DrawingAppColor(const PF_InData *in_data, PF_App_ColorType type) {
  DRAWBOT_ColorRGBA color{};
  static_cast<void>(GetAppColor(in_data, type, &color));
  return color;
}

DRAWBOT_ColorRGBA ScaleColor(const DRAWBOT_ColorRGBA &color, double factor) {
  return DRAWBOT_ColorRGBA{static_cast<float>(color.red * factor),
                           static_cast<float>(color.green * factor),
                           static_cast<float>(color.blue * factor), color.alpha};
}

}  // namespace vlam
