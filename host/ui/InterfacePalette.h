#pragma once
#include <AE_EffectSuites.h>

#include <optional>

namespace vlam::host {

// The host's interface colours as PF_AppGetColor hands them out: a dark
// interface. Types the host does not know give nothing.
std::optional<PF_App_Color> interfaceColor(PF_App_ColorType type);

// The same as floats 0-1, for the host's own drawing of its panels.
struct InterfaceRgb {
  double red, green, blue;
};
InterfaceRgb interfaceRgb(PF_App_ColorType type);

// Colours of the host's own panel elements, by the palette entry they use.
enum : PF_App_ColorType {
  kPanelBackground = PF_App_Color_FILL,
  kPanelText = PF_App_Color_BUTTON_TEXT,
  kPanelDimText = PF_App_Color_DARK_CAPTION_TEXT,
  kPanelValueText = PF_App_Color_HOT_TEXT, // the blue of values a user can edit
  kPanelHeaderFill = PF_App_Color_LIST_BOX_FILL,
  kPanelRule = PF_App_Color_FRAME,
};

} // namespace vlam::host
