#include "host/ui/EffectPanel.h"

#include "host/Host.h"
#include "host/project/Project.h"
#include "host/ui/CairoImage.h"
#include "host/ui/InterfacePalette.h"
#include "host/ui/ParamText.h"
#include "host/ui/UiEvents.h"

#include <AE_GeneralPlug.h>

namespace vlam::host {
namespace {

constexpr int kHeaderHeight = 24;
constexpr int kIndent = 14;
constexpr int kNameLeft = EffectPanel::kControlLeft + 16;
constexpr int kValueLeft = 215;
constexpr double kFontSize = 11.0;

void setColor(cairo_t *cr, PF_App_ColorType type, double alpha = 1.0) {
  const InterfaceRgb c = interfaceRgb(type);
  cairo_set_source_rgba(cr, c.red, c.green, c.blue, alpha);
}

void text(cairo_t *cr, double x, double baseline, const std::string &s, PF_App_ColorType color,
          bool bold = false) {
  cairo_select_font_face(cr, kInterfaceFontFace, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, kFontSize);
  setColor(cr, color);
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, s.c_str());
}

// The small triangle of a twirl: pointing right when closed, down when open.
void twirl(cairo_t *cr, double x, double centreY, bool open) {
  cairo_new_path(cr);
  if (open) {
    cairo_move_to(cr, x, centreY - 2.5);
    cairo_line_to(cr, x + 8, centreY - 2.5);
    cairo_line_to(cr, x + 4, centreY + 3);
  } else {
    cairo_move_to(cr, x + 1.5, centreY - 4);
    cairo_line_to(cr, x + 7, centreY);
    cairo_line_to(cr, x + 1.5, centreY + 4);
  }
  cairo_close_path(cr);
  setColor(cr, kPanelDimText);
  cairo_fill(cr);
}

double baselineOf(const PF_Rect &row) { return row.top + (row.bottom - row.top) * 0.5 + 4.0; }

bool hiddenParam(const EffectInstance &effect, std::size_t i) {
  const PF_ParamUIFlags ui = effect.ui[i].uiFlags;
  return (ui & (PF_PUI_INVISIBLE | PF_PUI_NO_ECW_UI)) || (effect.ui[i].streamFlags & AEGP_DynStreamFlag_HIDDEN);
}

bool disabledParam(const EffectInstance &effect, std::size_t i) {
  return (effect.ui[i].uiFlags & PF_PUI_DISABLED) || (effect.ui[i].streamFlags & AEGP_DynStreamFlag_DISABLED);
}

void drawValue(cairo_t *cr, const ParamDefinition &param, const ParamValue &value, const PF_Rect &row,
               bool disabled) {
  const double base = baselineOf(row);
  const PF_App_ColorType valueColor = disabled ? kPanelDimText : kPanelValueText;
  switch (param.type()) {
  case PF_Param_CHECKBOX: {
    cairo_new_path(cr);
    cairo_rectangle(cr, kValueLeft + 0.5, row.top + 5.5, 11, 11);
    setColor(cr, kPanelDimText);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    if (value.number[0] != 0) {
      cairo_move_to(cr, kValueLeft + 3, row.top + 11);
      cairo_line_to(cr, kValueLeft + 5.5, row.top + 14);
      cairo_line_to(cr, kValueLeft + 10, row.top + 7.5);
      setColor(cr, kPanelValueText);
      cairo_set_line_width(cr, 1.8);
      cairo_stroke(cr);
    }
    const char *label = param.def().u.bd.u.nameptr;
    if (label && *label) text(cr, kValueLeft + 18, base, label, kPanelText);
    return;
  }
  case PF_Param_COLOR: {
    cairo_new_path(cr);
    cairo_rectangle(cr, kValueLeft, row.top + 5, 32, 12);
    cairo_set_source_rgb(cr, value.number[1], value.number[2], value.number[3]);
    cairo_fill_preserve(cr);
    setColor(cr, kPanelRule);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    return;
  }
  case PF_Param_BUTTON: {
    cairo_new_path(cr);
    cairo_rectangle(cr, kValueLeft + 0.5, row.top + 3.5, 110, 15);
    setColor(cr, PF_App_Color_BUTTON_FILL);
    cairo_fill_preserve(cr);
    setColor(cr, PF_App_Color_BUTTON_FRAME);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    const char *label = param.def().u.button_d.u.namesptr;
    if (label) text(cr, kValueLeft + 8, base, label, PF_App_Color_BUTTON_TEXT);
    return;
  }
  case PF_Param_POPUP: {
    const std::string shown = paramValueText(param, value);
    text(cr, kValueLeft, base, shown, valueColor);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, shown.c_str(), &ext);
    const double x = kValueLeft + ext.x_advance + 6;
    cairo_new_path(cr);
    cairo_move_to(cr, x, row.top + 9.5);
    cairo_line_to(cr, x + 7, row.top + 9.5);
    cairo_line_to(cr, x + 3.5, row.top + 13.5);
    cairo_close_path(cr);
    setColor(cr, valueColor);
    cairo_fill(cr);
    return;
  }
  case PF_Param_ARBITRARY_DATA:
  case PF_Param_NO_DATA:
  case PF_Param_GROUP_START: return;
  default: text(cr, kValueLeft, base, paramValueText(param, value), valueColor);
  }
}

} // namespace

EffectPanel::EffectPanel(Host &host, EffectInstance &effect, std::int64_t ticks, bool openAll)
    : host_(host), effect_(effect), ticks_(ticks) {
  updateError_ = host.updateParamsUi(effect, ticks);
  PanelRow header;
  header.title = {0, 0, kWidth, kHeaderHeight};
  header.twirl = header.open = true;
  rows_.push_back(header);
  int y = kHeaderHeight;
  const bool effectUi = takesEvents(effect, PF_Window_EFFECT);
  std::vector<bool> groups; // shown-and-open of each enclosing group
  for (std::size_t i = 1; i < effect.paramCount(); ++i) {
    const ParamDefinition &param = effect.param(i);
    const PF_ParamDef &def = param.def();
    if (param.type() == PF_Param_GROUP_END) {
      if (!groups.empty()) groups.pop_back();
      continue;
    }
    const bool inside = groups.empty() || groups.back();
    const bool shown = inside && !hiddenParam(effect, i);
    const bool startOpen = openAll || !(def.flags & PF_ParamFlag_START_COLLAPSED);
    if (param.type() == PF_Param_GROUP_START) groups.push_back(shown && startOpen);
    if (!shown) continue;

    PanelRow row;
    row.index = i;
    row.depth = static_cast<int>(groups.size()) - (param.type() == PF_Param_GROUP_START ? 1 : 0);
    row.title = {0, y, kWidth, y + kRowHeight};
    y += kRowHeight;
    const PF_ParamUIFlags ui = effect.ui[i].uiFlags;
    row.custom = effectUi && (ui & (PF_PUI_CONTROL | PF_PUI_TOPIC)) && !(ui & PF_PUI_STD_CONTROL_ONLY);
    if (param.type() == PF_Param_GROUP_START) {
      row.twirl = true;
      row.open = startOpen;
    } else if (row.custom && (ui & PF_PUI_TOPIC)) {
      row.topic = true;
      row.control = {kControlLeft, row.title.top, kWidth - kControlLeft, row.title.bottom};
    } else if (row.custom) {
      row.twirl = true;
      row.open = startOpen;
      if (row.open) {
        row.control = {kControlLeft, y, kWidth - kControlLeft, y + def.ui_height};
        y += def.ui_height;
      }
    }
    rows_.push_back(row);
  }
  height_ = y + 6;
}

const PanelRow *EffectPanel::rowOf(std::size_t index) const {
  for (const PanelRow &row : rows_)
    if (row.index == index && index != 0) return &row;
  return nullptr;
}

PF_EffectWindowInfo EffectPanel::windowInfo(const PanelRow &row) const {
  PF_EffectWindowInfo info{};
  info.index = static_cast<PF_ParamIndex>(row.index);
  info.area = PF_EA_CONTROL;
  info.current_frame = row.control;
  info.param_title_frame = row.topic ? row.control : PF_Rect{kNameLeft, row.title.top, kValueLeft, row.title.bottom};
  info.horiz_offset = 0;
  return info;
}

Image EffectPanel::draw(std::vector<std::string> &problems) {
  if (updateError_) problems.push_back("updating the controls failed (error " + std::to_string(updateError_) + ")");
  CairoSurface surface = newCairoSurface(kWidth, height_);
  Cairo cr(cairo_create(surface.get()));
  cairo_t *c = cr.get();
  setColor(c, kPanelBackground);
  cairo_paint(c);

  // The effect's header: twirl, "fx" mark, name, and the reset link.
  const PanelRow &header = rows_.front();
  cairo_rectangle(c, 0, 0, kWidth, kHeaderHeight);
  setColor(c, kPanelHeaderFill);
  cairo_fill(c);
  twirl(c, kControlLeft, kHeaderHeight * 0.5, true);
  cairo_new_path(c);
  cairo_rectangle(c, kNameLeft + 0.5, 6.5, 15, 11);
  setColor(c, kPanelText);
  cairo_set_line_width(c, 1.0);
  cairo_stroke(c);
  cairo_select_font_face(c, kInterfaceFontFace, CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(c, 8.5);
  cairo_move_to(c, kNameLeft + 3, 15);
  cairo_show_text(c, "fx");
  text(c, kNameLeft + 22, baselineOf(header.title), effect_.installed().name(), kPanelText, true);
  text(c, kWidth - 44, baselineOf(header.title), "Reset", kPanelValueText);
  cairo_new_path(c);
  cairo_move_to(c, 0, kHeaderHeight - 0.5);
  cairo_line_to(c, kWidth, kHeaderHeight - 0.5);
  setColor(c, kPanelRule);
  cairo_stroke(c);

  for (const PanelRow &row : rows_) {
    if (row.index == 0) continue;
    const ParamDefinition &param = effect_.param(row.index);
    const double indent = row.depth * kIndent;
    const bool disabled = disabledParam(effect_, row.index);
    if (row.twirl) twirl(c, kControlLeft + indent, (row.title.top + row.title.bottom) * 0.5, row.open);
    if (!row.topic) {
      text(c, kNameLeft + indent, baselineOf(row.title), param.name(), disabled ? kPanelDimText : kPanelText);
      if (!row.custom) drawValue(c, param, effect_.streams[row.index].valueAt(ticks_, param.blendable()), row.title, disabled);
    }
    if (!row.custom || row.control.bottom <= row.control.top) continue;

    // The effect draws its control, clipped to the control's area.
    cairo_save(c);
    cairo_new_path(c);
    cairo_rectangle(c, row.control.left, row.control.top, row.control.right - row.control.left,
                    row.control.bottom - row.control.top);
    cairo_clip(c);
    {
      DrawingTarget target(c);
      UiContext context(PF_Window_EFFECT, effect_.layer());
      context.target = &target;
      PF_EventExtra extra{};
      extra.e_type = PF_Event_DRAW;
      extra.u.draw.update_rect = row.control;
      extra.u.draw.depth = 32;
      extra.effect_win = windowInfo(row);
      const UiEventResult r = sendUiEvent(host_, effect_, ticks_, context, extra);
      if (r.sent && r.err)
        problems.push_back(param.name() + ": drawing failed (error " + std::to_string(r.err) + ")" +
                           (r.message.empty() ? "" : ": " + r.message));
    }
    cairo_restore(c);
  }
  cr.reset();
  return imageFromCairo(surface.get());
}

} // namespace vlam::host
