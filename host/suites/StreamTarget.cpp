#include "host/suites/StreamTarget.h"

#include <cmath>

namespace vlam::host {

std::optional<StreamTarget> streamTargetOf(Host &host, AEGP_StreamRefH ref) {
  const StreamRef *s = host.streamRefs().find(ref);
  if (!s) return std::nullopt;
  EffectInstance *effect = host.project().findEffect(s->effectId);
  if (!effect || s->paramIndex < 0 || static_cast<std::size_t>(s->paramIndex) >= effect->paramCount())
    return std::nullopt;
  return StreamTarget{effect, static_cast<std::size_t>(s->paramIndex)};
}

AEGP_StreamType streamTypeOf(PF_ParamType type) {
  switch (type) {
  case PF_Param_SLIDER:
  case PF_Param_FIX_SLIDER:
  case PF_Param_ANGLE:
  case PF_Param_CHECKBOX:
  case PF_Param_POPUP:
  case PF_Param_FLOAT_SLIDER: return AEGP_StreamType_OneD;
  case PF_Param_COLOR: return AEGP_StreamType_COLOR;
  case PF_Param_POINT: return AEGP_StreamType_TwoD_SPATIAL;
  case PF_Param_POINT_3D: return AEGP_StreamType_ThreeD_SPATIAL;
  case PF_Param_ARBITRARY_DATA: return AEGP_StreamType_ARB;
  case PF_Param_LAYER: return AEGP_StreamType_LAYER_ID;
  default: return AEGP_StreamType_NO_DATA;
  }
}

bool streamTicksOf(const StreamTarget &target, const A_Time *time, std::int64_t &ticks) {
  if (!time || time->scale == 0) return false;
  const double t = std::round(static_cast<double>(time->value) *
                              target.effect->layer().comp().frameRate.perSecond / time->scale);
  if (!std::isfinite(t) || std::fabs(t) > 9e15) return false;
  ticks = static_cast<std::int64_t>(t);
  return true;
}

AEGP_StreamVal2 streamValOf(AEGP_StreamType type, const ParamValue &v) {
  AEGP_StreamVal2 val{};
  switch (type) {
  case AEGP_StreamType_COLOR: val.color = {v.number[0], v.number[1], v.number[2], v.number[3]}; break;
  case AEGP_StreamType_TwoD_SPATIAL: val.two_d = {v.number[0], v.number[1]}; break;
  case AEGP_StreamType_ThreeD_SPATIAL: val.three_d = {v.number[0], v.number[1], v.number[2]}; break;
  case AEGP_StreamType_LAYER_ID: val.layer_id = static_cast<AEGP_LayerIDVal>(v.number[0]); break;
  default: val.one_d = v.number[0]; break;
  }
  return val;
}

bool paramValueOf(AEGP_StreamType type, const AEGP_StreamVal2 &val, ParamValue &v) {
  v = ParamValue{};
  switch (type) {
  case AEGP_StreamType_COLOR: v.number = {val.color.alphaF, val.color.redF, val.color.greenF, val.color.blueF}; return true;
  case AEGP_StreamType_TwoD_SPATIAL: v.number = {val.two_d.x, val.two_d.y, 0, 0}; return true;
  case AEGP_StreamType_ThreeD_SPATIAL: v.number = {val.three_d.x, val.three_d.y, val.three_d.z, 0}; return true;
  case AEGP_StreamType_LAYER_ID: v.number[0] = val.layer_id; return true;
  case AEGP_StreamType_OneD: v.number[0] = val.one_d; return true;
  default: return false;
  }
}

} // namespace vlam::host
