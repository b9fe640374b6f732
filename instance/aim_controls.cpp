#include "instance/aim_controls.h"

#include <initializer_list>

#include "frame/fixed_point.h"
#include "frame/host_error.h"
#include "frame/param_ui.h"
#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

namespace vlam {

namespace {

bool HasParams(PF_ParamDef *params[], std::initializer_list<PF_ParamIndex> indices) {
  if (params == nullptr) {
    return false;
  }
  for (const PF_ParamIndex i : indices) {
    if (params[i] == nullptr) {
      return false;
    }
  }
  return true;
}

void MarkChanged(PF_ParamDef *def) { def->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE; }

void WriteAnglesFromAimPoint(PF_ParamDef *params[]) {
  const PF_Point3DDef &position = params[kInstancePosition]->u.point3d_d;
  const PF_PointDef &aim = params[kInstanceAim]->u.td;
  const AimAngles angles =
      EzAimAngles(position.x_value, position.y_value, DoubleFromFixed(aim.x_value),
                  DoubleFromFixed(aim.y_value), params[kInstancePointAway]->u.bd.value != 0);
  params[kInstanceSweep]->u.ad.value = FixedFromDouble(angles.sweep * kDegreesPerRadian);
  params[kInstanceTilt]->u.ad.value = FixedFromDouble(angles.tilt * kDegreesPerRadian);
  MarkChanged(params[kInstanceSweep]);
  MarkChanged(params[kInstanceTilt]);
}

void WriteAimPointFromAngles(PF_ParamDef *params[]) {
  const PF_Point3DDef &position = params[kInstancePosition]->u.point3d_d;
  const AimPoint aim =
      AimPointFromAngles(DoubleFromFixed(params[kInstanceSweep]->u.ad.value),
                         params[kInstanceTilt]->u.ad.value * kRadiansPerFixedDegree,
                         position.x_value, position.y_value);
  params[kInstanceAim]->u.td.x_value = FixedFromDouble(aim.x);
  params[kInstanceAim]->u.td.y_value = FixedFromDouble(aim.y);
  params[kInstancePointAway]->u.bd.value = aim.pointAway ? 1 : 0;
  MarkChanged(params[kInstanceAim]);
  MarkChanged(params[kInstancePointAway]);
}

}  // namespace

PF_Err KeepAimControlsInStep(PF_ParamDef *params[], PF_ParamIndex changed) {
  if (changed != kInstancePosition && changed != kInstanceAim && changed != kInstanceSweep &&
      changed != kInstanceTilt) {
    return PF_Err_NONE;
  }
  if (!HasParams(params, {kInstanceAimSystem, kInstancePosition, kInstanceAim, kInstancePointAway,
                          kInstanceSweep, kInstanceTilt})) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (changed == kInstanceSweep || changed == kInstanceTilt) {
    WriteAimPointFromAngles(params);
  } else if (params[kInstanceAimSystem]->u.pd.value == kAimSystemEzAim) {
    WriteAnglesFromAimPoint(params);
  }
  return PF_Err_NONE;
}

PF_Err EnableAimControls(const PF_InData *in_data, PF_ParamDef *params[]) {
  if (!HasParams(params, {kInstanceAimSystem, kInstanceAim, kInstancePointAway, kInstanceSweep,
                          kInstanceTilt})) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  const A_long system = params[kInstanceAimSystem]->u.pd.value;
  const bool aimPointOn = system < kAimSystemYzxRotation;
  const bool anglesOn = system == kAimSystemYzxRotation;
  PF_Err err = SetParamEnabled(in_data, params, kInstanceAim, aimPointOn);
  KeepFirstError(err, SetParamEnabled(in_data, params, kInstancePointAway, aimPointOn));
  KeepFirstError(err, SetParamEnabled(in_data, params, kInstanceSweep, anglesOn));
  KeepFirstError(err, SetParamEnabled(in_data, params, kInstanceTilt, anglesOn));
  return err;
}

}  // namespace vlam
