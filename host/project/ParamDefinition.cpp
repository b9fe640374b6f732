#include "host/project/ParamDefinition.h"

#include <cstring>

namespace vlam::host {

namespace {
const A_char *textPointer(const PF_ParamDef &def) {
  switch (def.param_type) {
  case PF_Param_POPUP: return def.u.pd.u.namesptr;
  case PF_Param_CHECKBOX: return def.u.bd.u.nameptr;
  case PF_Param_BUTTON: return def.u.button_d.u.namesptr;
  default: return nullptr;
  }
}
} // namespace

ParamDefinition::ParamDefinition(const PF_ParamDef &def) : def_(def) {
  def_.name[sizeof def_.name - 1] = 0; // a name that filled its field is cut, never overrun
  if (const A_char *text = textPointer(def)) text_ = std::make_shared<const std::string>(text);
  repoint();
}

ParamDefinition::ParamDefinition(const ParamDefinition &other)
    : def_(other.def_), text_(other.text_), groups_(other.groups_) {
  repoint();
}

ParamDefinition &ParamDefinition::operator=(const ParamDefinition &other) {
  def_ = other.def_;
  text_ = other.text_;
  groups_ = other.groups_;
  repoint();
  return *this;
}

void ParamDefinition::repoint() {
  const A_char *text = text_ ? text_->c_str() : nullptr;
  switch (def_.param_type) {
  case PF_Param_POPUP: def_.u.pd.u.namesptr = text; break;
  case PF_Param_CHECKBOX: def_.u.bd.u.nameptr = text; break;
  case PF_Param_BUTTON: def_.u.button_d.u.namesptr = text; break;
  default: break;
  }
}

std::string ParamDefinition::name() const { return std::string(def_.name, strnlen(def_.name, sizeof def_.name)); }

std::vector<std::string> ParamDefinition::popupItems() const {
  std::vector<std::string> items;
  if (def_.param_type != PF_Param_POPUP || !text_) return items;
  std::string::size_type start = 0;
  while (true) {
    auto bar = text_->find('|', start);
    items.push_back(text_->substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return items;
}

bool ParamDefinition::hasValue() const {
  switch (def_.param_type) {
  case PF_Param_LAYER:
  case PF_Param_SLIDER:
  case PF_Param_FIX_SLIDER:
  case PF_Param_ANGLE:
  case PF_Param_CHECKBOX:
  case PF_Param_COLOR:
  case PF_Param_POINT:
  case PF_Param_POPUP:
  case PF_Param_FLOAT_SLIDER:
  case PF_Param_ARBITRARY_DATA:
  case PF_Param_PATH:
  case PF_Param_POINT_3D: return true;
  default: return false;
  }
}

bool ParamDefinition::animatable() const {
  return hasValue() && !(def_.flags & PF_ParamFlag_CANNOT_TIME_VARY) && !(def_.ui_flags & PF_PUI_STD_CONTROL_ONLY);
}

bool ParamDefinition::blendable() const {
  if (def_.flags & PF_ParamFlag_CANNOT_INTERP) return false;
  switch (def_.param_type) {
  case PF_Param_SLIDER:
  case PF_Param_FIX_SLIDER:
  case PF_Param_ANGLE:
  case PF_Param_COLOR:
  case PF_Param_POINT:
  case PF_Param_FLOAT_SLIDER:
  case PF_Param_POINT_3D: return true;
  default: return false;
  }
}

const char *paramTypeName(PF_ParamType type) {
  switch (type) {
  case PF_Param_LAYER: return "layer";
  case PF_Param_SLIDER: return "slider";
  case PF_Param_FIX_SLIDER: return "fixed slider";
  case PF_Param_ANGLE: return "angle";
  case PF_Param_CHECKBOX: return "checkbox";
  case PF_Param_COLOR: return "color";
  case PF_Param_POINT: return "point";
  case PF_Param_POPUP: return "popup";
  case PF_Param_NO_DATA: return "custom";
  case PF_Param_FLOAT_SLIDER: return "float slider";
  case PF_Param_ARBITRARY_DATA: return "arbitrary";
  case PF_Param_PATH: return "path";
  case PF_Param_GROUP_START: return "group start";
  case PF_Param_GROUP_END: return "group end";
  case PF_Param_BUTTON: return "button";
  case PF_Param_POINT_3D: return "3D point";
  default: return "unknown";
  }
}

} // namespace vlam::host
