#include "flash/profile_control.h"

#include "flash/builder_params.h"

namespace vlam {
namespace {

constexpr ProfileControl kMainProfile{kBuilderMainProfile, kBuilderMainDiameter, false};
constexpr ProfileControl kPetalProfile{kBuilderPetalProfile, kBuilderPetalDiameter, true};

}  // namespace

const ProfileControl *ProfileControlOf(PF_ParamIndex param) {
  if (param == kBuilderMainProfile) {
    return &kMainProfile;
  }
  if (param == kBuilderPetalProfile) {
    return &kPetalProfile;
  }
  return nullptr;
}

PF_ParamDef *EventParam(PF_ParamDef *params[], PF_ParamIndex index) {
  if (params == nullptr || index < 0 || index >= kBuilderParamCount) {
    return nullptr;
  }
  return params[index];
}

double DiameterOf(PF_ParamDef *params[], const ProfileControl &control) {
  const PF_ParamDef *diameter = EventParam(params, control.diameter);
  return diameter != nullptr ? diameter->u.fs_d.value : 0.0;
}

A_long PopupValueOf(PF_ParamDef *params[], PF_ParamIndex index) {
  const PF_ParamDef *popup = EventParam(params, index);
  return popup != nullptr ? popup->u.pd.value : 0;
}

void MarkChanged(PF_ParamDef *params[], PF_ParamIndex index) {
  if (PF_ParamDef *param = EventParam(params, index)) {
    param->uu.change_flags |= PF_ChangeFlag_CHANGED_VALUE;
  }
}

LockedCurve::LockedCurve(const PF_HandleSuite1 &handles, const PF_ParamDef *profile)
    : handles_(handles) {
  if (profile == nullptr || profile->u.arb_d.value == nullptr ||
      handles.host_get_handle_size(profile->u.arb_d.value) < sizeof(ShapeCurve)) {
    return;
  }
  handle_ = profile->u.arb_d.value;
  curve_ = static_cast<ShapeCurve *>(handles.host_lock_handle(handle_));
  if (curve_ != nullptr) {
    MendShapeCurve(*curve_);
  }
}

LockedCurve::~LockedCurve() {
  if (curve_ != nullptr) {
    handles_.host_unlock_handle(handle_);
  }
}

}  // namespace vlam
