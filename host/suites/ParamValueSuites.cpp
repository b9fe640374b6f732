// "PF AngleParamSuite", "PF ColorParamSuite" and "PF PointParamSuite": the
// floating-point values behind fixed-point and 8-bit parameter records.
#include "host/effect/EffectRunner.h"
#include "host/project/ParamCodec.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

#include <AE_EffectSuites.h>

namespace vlam::host {
namespace {

// The host keeps values more precisely than the record can hold. When the
// record is the calling effect's parameter (same disk id and type) at the
// call's time, the stored value is returned; otherwise the record's own.
std::optional<ParamValue> storedValue(PF_ProgPtr ref, const PF_ParamDef &def) {
  CallFrame *frame = frameFromRef(ref);
  if (!frame || !frame->instance) return std::nullopt;
  EffectInstance &instance = *frame->instance;
  for (std::size_t i = 1; i < instance.paramCount(); ++i) {
    const ParamDefinition &param = instance.param(i);
    if (param.def().uu.id != def.uu.id || param.type() != def.param_type) continue;
    ParamValue value = instance.streams[i].valueAt(frame->ticks, param.blendable());
    PF_ParamDef encoded = param.def();
    writeValue(encoded, value);
    if (std::memcmp(&encoded.u, &def.u, sizeof def.u) == 0) return value;
    return std::nullopt;
  }
  return std::nullopt;
}

PF_Err angleValue(PF_ProgPtr ref, const PF_ParamDef *def, A_FpLong *value) {
  return hostCall("PF_GetFloatingPointValueFromAngleDef", [&](Host &) -> PF_Err {
    if (!def || !value || def->param_type != PF_Param_ANGLE) return PF_Err_BAD_CALLBACK_PARAM;
    auto stored = storedValue(ref, *def);
    *value = stored ? stored->number[0] : fromFixed(def->u.ad.value);
    return PF_Err_NONE;
  });
}

PF_Err colorValue(PF_ProgPtr ref, const PF_ParamDef *def, PF_PixelFloat *color) {
  return hostCall("PF_GetFloatingPointColorFromColorDef", [&](Host &) -> PF_Err {
    if (!def || !color || def->param_type != PF_Param_COLOR) return PF_Err_BAD_CALLBACK_PARAM;
    ParamValue v = readValue(*def);
    if (auto stored = storedValue(ref, *def)) v = *stored;
    *color = {static_cast<PF_FpShort>(v.number[0]), static_cast<PF_FpShort>(v.number[1]),
              static_cast<PF_FpShort>(v.number[2]), static_cast<PF_FpShort>(v.number[3])};
    return PF_Err_NONE;
  });
}

PF_Err pointValue(PF_ProgPtr ref, const PF_ParamDef *def, A_FloatPoint *point) {
  return hostCall("PF_GetFloatingPointValueFromPointDef", [&](Host &) -> PF_Err {
    if (!def || !point || def->param_type != PF_Param_POINT) return PF_Err_BAD_CALLBACK_PARAM;
    ParamValue v = readValue(*def);
    if (auto stored = storedValue(ref, *def)) v = *stored;
    *point = {v.number[0], v.number[1]};
    return PF_Err_NONE;
  });
}

const PF_AngleParamSuite1 kAngleSuite{
    .PF_GetFloatingPointValueFromAngleDef = angleValue,
};
const PF_ColorParamSuite1 kColorSuite{
    .PF_GetFloatingPointColorFromColorDef = colorValue,
};
const PF_PointParamSuite1 kPointSuite{
    .PF_GetFloatingPointValueFromPointDef = pointValue,
};

} // namespace

void publishParamValueSuites(SuiteRegistry &registry) {
  publishTable(registry, kAngleSuite);
  publishTable(registry, kColorSuite);
  publishTable(registry, kPointSuite);
}

} // namespace vlam::host
