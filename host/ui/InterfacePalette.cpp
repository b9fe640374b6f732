#include "host/ui/InterfacePalette.h"

#include <array>
#include <cmath>

namespace vlam::host {
namespace {

constexpr InterfaceRgb grey(double v) { return {v, v, v}; }

// The application colours numbered from PF_App_Color_FRAME up; the panel
// colours from PF_App_Color_PANEL_BACKGROUND up are a second block.
constexpr int kMainCount = PF_App_Color_PURE_WHITE + 1;
constexpr int kPanelCount = PF_App_Color_NUMTYPES - PF_App_Color_PANEL_BACKGROUND;

struct Palette {
  std::array<InterfaceRgb, kMainCount> main;
  std::array<InterfaceRgb, kPanelCount> panel;
};

// Grey levels and a few accents of a dark interface.
const Palette &palette() {
  static const Palette colors = [] {
    Palette p{};
    for (auto &entry : p.main) entry = grey(0.2);
    auto &c = p.main;
    c[PF_App_Color_FRAME] = grey(0.09);
    c[PF_App_Color_FILL] = grey(0.137);
    c[PF_App_Color_TEXT] = grey(0.85);
    c[PF_App_Color_LIGHT_TINGE] = grey(0.24);
    c[PF_App_Color_DARK_TINGE] = grey(0.11);
    c[PF_App_Color_HILITE] = grey(0.32);
    c[PF_App_Color_SHADOW] = grey(0.05);
    c[PF_App_Color_BUTTON_FRAME] = grey(0.06);
    c[PF_App_Color_BUTTON_FILL] = grey(0.24);
    c[PF_App_Color_BUTTON_TEXT] = grey(0.78);
    c[PF_App_Color_BUTTON_LIGHT_TINGE] = grey(0.33);
    c[PF_App_Color_BUTTON_DARK_TINGE] = grey(0.18);
    c[PF_App_Color_BUTTON_HILITE] = grey(0.30);
    c[PF_App_Color_BUTTON_SHADOW] = grey(0.05);
    c[PF_App_Color_BUTTON_PRESSED_FRAME] = grey(0.36);
    c[PF_App_Color_BUTTON_PRESSED_FILL] = grey(0.27);
    c[PF_App_Color_BUTTON_PRESSED_TEXT] = grey(0.80);
    c[PF_App_Color_BLACK] = grey(0.0);
    c[PF_App_Color_WHITE] = grey(1.0);
    c[PF_App_Color_GRAY] = grey(0.5);
    c[PF_App_Color_PURE_BLACK] = grey(0.0);
    c[PF_App_Color_PURE_WHITE] = grey(1.0);
    const InterfaceRgb hot{0.2, 0.55, 0.92}; // values and pressed labels
    const InterfaceRgb hotDark{0.12, 0.38, 0.70};
    const InterfaceRgb selection{0.26, 0.33, 0.45};
    c[PF_App_Color_HOT_TEXT] = hot;
    c[PF_App_Color_HOT_TEXT_DISABLED] = hot;
    c[PF_App_Color_LABEL_0] = hotDark;
    c[PF_App_Color_LABEL_1] = selection;
    // Hosts of effect API 13.0 to 13.3 kept the three entries above three
    // places further on.
    c[PF_App_Color_HOT_TEXT_DISABLED + 3] = hot;
    c[PF_App_Color_LABEL_0 + 3] = hotDark;
    c[PF_App_Color_LABEL_1 + 3] = selection;
    auto &panel = p.panel;
    panel[PF_App_Color_PANEL_BACKGROUND - PF_App_Color_PANEL_BACKGROUND] = grey(0.137);
    panel[PF_App_Color_LIST_BOX_FILL - PF_App_Color_PANEL_BACKGROUND] = grey(0.176);
    panel[PF_App_Color_DARK_CAPTION_FILL - PF_App_Color_PANEL_BACKGROUND] = grey(0.102);
    panel[PF_App_Color_DARK_CAPTION_TEXT - PF_App_Color_PANEL_BACKGROUND] = grey(0.6);
    panel[PF_App_Color_TEXT_ON_LIGHTER_BG - PF_App_Color_PANEL_BACKGROUND] = grey(0.1);
    return p;
  }();
  return colors;
}

const InterfaceRgb *entryOf(PF_App_ColorType type) {
  if (type >= 0 && type < kMainCount) return &palette().main[static_cast<std::size_t>(type)];
  if (type >= PF_App_Color_PANEL_BACKGROUND && type < PF_App_Color_NUMTYPES)
    return &palette().panel[static_cast<std::size_t>(type - PF_App_Color_PANEL_BACKGROUND)];
  return nullptr;
}

A_u_short channel(double v) { return static_cast<A_u_short>(std::lround(v * 65535.0)); }

} // namespace

std::optional<PF_App_Color> interfaceColor(PF_App_ColorType type) {
  const InterfaceRgb *c = entryOf(type);
  if (!c) return std::nullopt;
  return PF_App_Color{channel(c->red), channel(c->green), channel(c->blue)};
}

InterfaceRgb interfaceRgb(PF_App_ColorType type) {
  const InterfaceRgb *c = entryOf(type);
  return c ? *c : grey(0.5);
}

} // namespace vlam::host
