#include "host/ui/ParamText.h"

#include <cmath>
#include <cstdio>

namespace vlam::host {
namespace {

std::string number(double v, int precision) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 0 : (precision > 6 ? 6 : precision), v);
  return buf;
}

} // namespace

std::string paramValueText(const ParamDefinition &param, const ParamValue &value) {
  const PF_ParamDef &d = param.def();
  const auto &n = value.number;
  switch (param.type()) {
  case PF_Param_SLIDER: return number(n[0], 0);
  case PF_Param_FIX_SLIDER:
    return number(n[0] * ((d.u.fd.display_flags & PF_ValueDisplayFlag_PERCENT) ? 100.0 : 1.0), d.u.fd.precision) +
           ((d.u.fd.display_flags & PF_ValueDisplayFlag_PERCENT) ? "%" : "");
  case PF_Param_FLOAT_SLIDER:
    return number(n[0], d.u.fs_d.precision) + ((d.u.fs_d.display_flags & PF_ValueDisplayFlag_PERCENT) ? "%" : "");
  case PF_Param_ANGLE: {
    const double turns = std::trunc(n[0] / 360.0);
    const double rest = n[0] - turns * 360.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0fx%+.1f\u00b0", turns, rest);
    return buf;
  }
  case PF_Param_CHECKBOX: return n[0] != 0 ? "on" : "off";
  case PF_Param_POPUP: {
    const auto items = param.popupItems();
    const auto k = static_cast<long>(std::lround(n[0]));
    return k >= 1 && static_cast<std::size_t>(k) <= items.size() ? items[static_cast<std::size_t>(k - 1)]
                                                                 : "(" + std::to_string(k) + ")";
  }
  case PF_Param_COLOR: {
    char buf[64];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", static_cast<int>(std::lround(n[1] * 255)),
                  static_cast<int>(std::lround(n[2] * 255)), static_cast<int>(std::lround(n[3] * 255)));
    return buf;
  }
  case PF_Param_POINT: return number(n[0], 1) + ", " + number(n[1], 1);
  case PF_Param_POINT_3D: return number(n[0], 1) + ", " + number(n[1], 1) + ", " + number(n[2], 1);
  case PF_Param_LAYER: return n[0] > 0 ? "layer " + number(n[0], 0) : "None";
  case PF_Param_ARBITRARY_DATA:
    return value.flat ? std::to_string(value.flat->size()) + " bytes" : "default";
  default: return "";
  }
}

} // namespace vlam::host
