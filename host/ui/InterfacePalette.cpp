#include "host/ui/InterfacePalette.h"

#include <array>
#include <cmath>

namespace vlam::host {
namespace {

// Grey levels and a few accents of a dark interface, one entry per colour
// type. Types 56 to 58 repeat at 59 to 61, where hosts of effect API 13.0 to
// 13.3 kept them.
constexpr int kColorCount = 62;

constexpr InterfaceRgb grey(double v) { return {v, v, v}; }

const std::array<InterfaceRgb, kColorCount> &palette() {
  static const std::array<InterfaceRgb, kColorCount> colors = [] {
    std::array<InterfaceRgb, kColorCount> c{};
    for (auto &entry : c) entry = grey(0.2);
    c[PF_App_Color_FRAME] = grey(0.09);
    c[PF_App_Color_FILL] = grey(0.137);
    c[PF_App_Color_DARK_CAPTION_FILL] = grey(0.102);
    c[PF_App_Color_DARK_CAPTION_TEXT] = grey(0.6);
    c[PF_App_Color_LIGHT_CAPTION_FILL] = grey(0.176);
    c[PF_App_Color_LIGHT_CAPTION_TEXT] = grey(0.85);
    c[PF_App_Color_LIGHT_TINGE] = grey(0.24);
    c[PF_App_Color_DARK_TINGE] = grey(0.11);
    c[PF_App_Color_HILITE] = grey(0.32);
    // The dark interface draws its "shadow" tone as light text on the dark
    // button faces.
    c[PF_App_Color_SHADOW] = grey(0.78);
    c[PF_App_Color_BUTTON_FRAME] = grey(0.06);
    c[PF_App_Color_BUTTON_FILL] = grey(0.24);
    c[PF_App_Color_BUTTON_TEXT] = grey(0.80);
    c[PF_App_Color_BUTTON_LIGHT_TINGE] = grey(0.33);
    c[PF_App_Color_BUTTON_DARK_TINGE] = grey(0.36); // face under the mouse
    c[PF_App_Color_BUTTON_HILITE] = grey(0.27);     // face
    c[PF_App_Color_BUTTON_SHADOW] = grey(0.05);
    const InterfaceRgb hot{0.2, 0.55, 0.92}; // values and pressed labels
    const InterfaceRgb hotDark{0.12, 0.38, 0.70};
    const InterfaceRgb selection{0.26, 0.33, 0.45};
    c[56] = c[59] = hot;
    c[57] = c[60] = hotDark;
    c[58] = c[61] = selection;
    return c;
  }();
  return colors;
}

A_u_short channel(double v) { return static_cast<A_u_short>(std::lround(v * 65535.0)); }

} // namespace

std::optional<PF_App_Color> interfaceColor(PF_App_ColorType type) {
  if (type < 0 || type >= kColorCount) return std::nullopt;
  const InterfaceRgb &c = palette()[static_cast<std::size_t>(type)];
  return PF_App_Color{channel(c.red), channel(c.green), channel(c.blue)};
}

InterfaceRgb interfaceRgb(PF_App_ColorType type) {
  if (type < 0 || type >= kColorCount) return grey(0.5);
  return palette()[static_cast<std::size_t>(type)];
}

} // namespace vlam::host
