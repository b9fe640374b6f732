#include "frame/param_checkout.h"

#include "AE_EffectCB.h"

namespace vlam {

ParamCheckout::ParamCheckout(const PF_InData *in_data, PF_ParamIndex index)
    : ParamCheckout(in_data, index, in_data->current_time, in_data->time_step,
                    in_data->time_scale) {}

ParamCheckout::ParamCheckout(const PF_InData *in_data, PF_ParamIndex index, A_long time,
                             A_long time_step, A_u_long time_scale)
    : owner_(in_data) {
  error_ = PF_CHECKOUT_PARAM(in_data, index, time, time_step, time_scale, &param_);
  if (error_ != PF_Err_NONE) {
    // Whatever the host left behind is not a parameter value.
    param_ = PF_ParamDef{};
  }
}

ParamCheckout::~ParamCheckout() {
  // Only a successful checkout is handed back.
  if (error_ == PF_Err_NONE) {
    PF_CHECKIN_PARAM(owner_, &param_);
  }
}

double ParamCheckout::FloatValue() const { return param_.u.fs_d.value; }

double AngleDegrees(const PF_InData *in_data, const PF_ParamDef &def,
                    const ParamValueSuites &suites) {
  if (def.param_type != PF_Param_ANGLE) {
    return 0.0;
  }
  if (suites.angle() != nullptr) {
    A_FpLong value = 0.0;
    suites.angle()->PF_GetFloatingPointValueFromAngleDef(in_data->effect_ref, &def, &value);
    return value;
  }
  return def.u.ad.value / 65536.0;
}

double ParamCheckout::AngleValue(const ParamValueSuites &suites, bool radians) const {
  const double degrees = AngleDegrees(owner_, param_, suites);
  return radians ? degrees * kRadiansPerDegree : degrees;
}

std::array<double, 2> ParamCheckout::PointValue(const ParamValueSuites &suites) const {
  A_FloatPoint point{0.0, 0.0};
  if (param_.param_type == PF_Param_POINT && suites.point() != nullptr) {
    const PF_Err err =
        suites.point()->PF_GetFloatingPointValueFromPointDef(owner_->effect_ref, &param_, &point);
    if (err != PF_Err_NONE) {
      point = A_FloatPoint{0.0, 0.0};
      if (readError_ == PF_Err_NONE) readError_ = err;
    }
  }
  return {point.x, point.y};
}

std::array<double, 3> ParamCheckout::Point3DValue() const {
  return {param_.u.point3d_d.x_value, param_.u.point3d_d.y_value, param_.u.point3d_d.z_value};
}

PF_PixelFloat ParamCheckout::ColorValue(const ParamValueSuites &suites) const {
  PF_PixelFloat color{0.0f, 0.0f, 0.0f, 0.0f};
  if (param_.param_type == PF_Param_COLOR && suites.color() != nullptr) {
    const PF_Err err =
        suites.color()->PF_GetFloatingPointColorFromColorDef(owner_->effect_ref, &param_, &color);
    if (err != PF_Err_NONE) {
      color = PF_PixelFloat{0.0f, 0.0f, 0.0f, 0.0f};
      if (readError_ == PF_Err_NONE) readError_ = err;
    }
  }
  return color;
}

bool ParamCheckout::CheckboxValue() const { return (param_.u.bd.value & 0xFF) != 0; }

A_long ParamCheckout::PopupValue() const { return param_.u.pd.value; }

PF_Handle ParamCheckout::ArbitraryValue() const { return param_.u.arb_d.value; }

}  // namespace vlam
