#include "host/project/ParamCodec.h"

#include "host/image/Image.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vlam::host {

PF_Fixed toFixed(double v) {
  if (std::isnan(v)) return 0;
  const double scaled = std::round(v * 65536.0);
  if (scaled >= static_cast<double>(std::numeric_limits<PF_Fixed>::max())) return std::numeric_limits<PF_Fixed>::max();
  if (scaled <= static_cast<double>(std::numeric_limits<PF_Fixed>::min())) return std::numeric_limits<PF_Fixed>::min();
  return static_cast<PF_Fixed>(scaled);
}

bool insideFloatLimits(double value, PF_FpShort lo, PF_FpShort hi) {
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  // Beyond a float's range (or not a number) nothing is inside finite limits;
  // converting such a value to float is not defined.
  const double atFloat = std::fabs(value) <= kFloatMax ? static_cast<double>(static_cast<float>(value)) : value;
  return atFloat >= lo && atFloat <= std::max(lo, hi);
}

namespace {

A_long toLong(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::round(v);
  if (r >= static_cast<double>(std::numeric_limits<A_long>::max())) return std::numeric_limits<A_long>::max();
  if (r <= static_cast<double>(std::numeric_limits<A_long>::min())) return std::numeric_limits<A_long>::min();
  return static_cast<A_long>(r);
}

ParamValue fromPixel(const PF_Pixel &p) {
  ParamValue v;
  v.number = {fromCode8(p.alpha), fromCode8(p.red), fromCode8(p.green), fromCode8(p.blue)};
  return v;
}

} // namespace

ParamValue defaultValue(const ParamDefinition &param, int layerWidth, int layerHeight, int ownLayerId) {
  const PF_ParamDef &d = param.def();
  ParamValue v;
  switch (d.param_type) {
  case PF_Param_LAYER:
    v.number[0] = d.u.ld.dephault == PF_LayerDefault_MYSELF ? ownLayerId : 0;
    break;
  case PF_Param_SLIDER: v.number[0] = d.u.sd.dephault; break;
  case PF_Param_FIX_SLIDER: v.number[0] = fromFixed(d.u.fd.dephault); break;
  case PF_Param_ANGLE: v.number[0] = fromFixed(d.u.ad.dephault); break;
  case PF_Param_CHECKBOX: v.number[0] = d.u.bd.dephault ? 1 : 0; break;
  case PF_Param_COLOR: v = fromPixel(d.u.cd.dephault); break;
  case PF_Param_POINT:
    v.number[0] = fromFixed(d.u.td.x_dephault) / 100.0 * layerWidth;
    v.number[1] = fromFixed(d.u.td.y_dephault) / 100.0 * layerHeight;
    break;
  case PF_Param_POPUP: v.number[0] = d.u.pd.dephault; break;
  case PF_Param_FLOAT_SLIDER: v.number[0] = d.u.fs_d.dephault; break;
  case PF_Param_POINT_3D:
    v.number[0] = d.u.point3d_d.x_dephault / 100.0 * layerWidth;
    v.number[1] = d.u.point3d_d.y_dephault / 100.0 * layerHeight;
    v.number[2] = d.u.point3d_d.z_dephault;
    break;
  default: break;
  }
  return v;
}

void writeValue(PF_ParamDef &d, const ParamValue &v) {
  const auto &n = v.number;
  switch (d.param_type) {
  case PF_Param_SLIDER: d.u.sd.value = toLong(n[0]); break;
  case PF_Param_FIX_SLIDER: d.u.fd.value = toFixed(n[0]); break;
  case PF_Param_ANGLE: d.u.ad.value = toFixed(n[0]); break;
  case PF_Param_CHECKBOX: d.u.bd.value = n[0] != 0 ? 1 : 0; break;
  case PF_Param_COLOR:
    d.u.cd.value = {toCode8(static_cast<float>(n[0])), toCode8(static_cast<float>(n[1])),
                    toCode8(static_cast<float>(n[2])), toCode8(static_cast<float>(n[3]))};
    break;
  case PF_Param_POINT:
    d.u.td.x_value = toFixed(n[0]);
    d.u.td.y_value = toFixed(n[1]);
    break;
  case PF_Param_POPUP: d.u.pd.value = toLong(n[0]); break;
  case PF_Param_FLOAT_SLIDER: d.u.fs_d.value = n[0]; break;
  case PF_Param_PATH: d.u.path_d.path_id = toLong(n[0]); break;
  case PF_Param_POINT_3D:
    d.u.point3d_d.x_value = n[0];
    d.u.point3d_d.y_value = n[1];
    d.u.point3d_d.z_value = n[2];
    break;
  default: break;
  }
}

ParamValue readValue(const PF_ParamDef &d) {
  ParamValue v;
  auto &n = v.number;
  switch (d.param_type) {
  case PF_Param_SLIDER: n[0] = d.u.sd.value; break;
  case PF_Param_FIX_SLIDER: n[0] = fromFixed(d.u.fd.value); break;
  case PF_Param_ANGLE: n[0] = fromFixed(d.u.ad.value); break;
  case PF_Param_CHECKBOX: n[0] = d.u.bd.value ? 1 : 0; break;
  case PF_Param_COLOR: v = fromPixel(d.u.cd.value); break;
  case PF_Param_POINT:
    n[0] = fromFixed(d.u.td.x_value);
    n[1] = fromFixed(d.u.td.y_value);
    break;
  case PF_Param_POPUP: n[0] = d.u.pd.value; break;
  case PF_Param_FLOAT_SLIDER: n[0] = d.u.fs_d.value; break;
  case PF_Param_PATH: n[0] = d.u.path_d.path_id; break;
  case PF_Param_POINT_3D:
    n[0] = d.u.point3d_d.x_value;
    n[1] = d.u.point3d_d.y_value;
    n[2] = d.u.point3d_d.z_value;
    break;
  default: break;
  }
  return v;
}

bool clampToValidRange(const ParamDefinition &param, ParamValue &value) {
  const PF_ParamDef &d = param.def();
  double &x = value.number[0];
  switch (d.param_type) {
  case PF_Param_SLIDER: x = std::clamp<double>(x, d.u.sd.valid_min, std::max(d.u.sd.valid_min, d.u.sd.valid_max)); return true;
  case PF_Param_FIX_SLIDER:
    x = std::clamp(x, fromFixed(d.u.fd.valid_min), std::max(fromFixed(d.u.fd.valid_min), fromFixed(d.u.fd.valid_max)));
    return true;
  case PF_Param_FLOAT_SLIDER:
    if (!insideFloatLimits(x, d.u.fs_d.valid_min, d.u.fs_d.valid_max))
      x = std::clamp<double>(x, d.u.fs_d.valid_min, std::max(d.u.fs_d.valid_min, d.u.fs_d.valid_max));
    return true;
  case PF_Param_POPUP: x = std::clamp<double>(x, 1, std::max<A_short>(1, d.u.pd.num_choices)); return true;
  case PF_Param_CHECKBOX: x = x != 0 ? 1 : 0; return true;
  case PF_Param_COLOR:
    for (double &c : value.number) c = std::clamp(c, 0.0, 1.0);
    return true;
  default: return false;
  }
}

} // namespace vlam::host
