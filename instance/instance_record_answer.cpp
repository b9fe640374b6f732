#include "instance/instance_record_answer.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "frame/host_error.h"
#include "frame/param_checkout.h"
#include "frame/param_value_suites.h"
#include "instance/exchange_block.h"
#include "instance/instance_param_ids.h"

namespace vlam {

InstanceSettings ReadInstanceSettings(const PF_InData *in_data, PF_Err *err) {
  const ParamValueSuites suites(in_data);
  // Checked out in this order and all held until the record is read.
  const ParamCheckout flashIdentifier(in_data, kInstanceFlashIdentifier);
  const ParamCheckout trigger(in_data, kInstanceTrigger);
  const ParamCheckout aimSystem(in_data, kInstanceAimSystem);
  const ParamCheckout position(in_data, kInstancePosition);
  const ParamCheckout aim(in_data, kInstanceAim);
  const ParamCheckout pointAway(in_data, kInstancePointAway);
  const ParamCheckout sweep(in_data, kInstanceSweep);
  const ParamCheckout tilt(in_data, kInstanceTilt);
  const ParamCheckout roll(in_data, kInstanceRoll);
  const ParamCheckout postScale(in_data, kInstancePostScale);
  const ParamCheckout randomSeed(in_data, kInstanceRandomSeed);
  const ParamCheckout randomness(in_data, kInstanceRandomness);
  const ParamCheckout brightness(in_data, kInstanceBrightness);
  const ParamCheckout defocus(in_data, kInstanceDefocus);
  const ParamCheckout maskPath(in_data, kInstanceMaskPath);

  InstanceSettings s;
  s.flashIdentifier = flashIdentifier.PopupValue();
  s.trigger = trigger.CheckboxValue();
  s.aimSystem = aimSystem.PopupValue();
  const std::array<double, 3> p = position.Point3DValue();
  s.position[0] = p[0];
  s.position[1] = p[1];
  s.position[2] = p[2];
  const std::array<double, 2> q = aim.PointValue(suites);
  s.aim[0] = q[0];
  s.aim[1] = q[1];
  s.pointAway = pointAway.CheckboxValue();
  s.sweep = sweep.AngleValue(suites, true);
  s.tilt = tilt.AngleValue(suites, true);
  s.roll = roll.AngleValue(suites, true);
  s.postScale = postScale.FloatValue();
  s.randomSeed = randomSeed.FloatValue();
  s.randomness = randomness.FloatValue();
  s.brightness = brightness.FloatValue();
  s.defocus = defocus.FloatValue();
  s.maskId = maskPath.PopupValue();  // the path ID, the definition's first value
  if (err != nullptr) {
    *err = PF_Err_NONE;
    for (const ParamCheckout *checkout :
         {&flashIdentifier, &trigger, &aimSystem, &position, &aim, &pointAway, &sweep, &tilt, &roll,
          &postScale, &randomSeed, &randomness, &brightness, &defocus, &maskPath}) {
      KeepFirstError(*err, checkout->error());
    }
  }
  return s;
}

PF_Err AnswerInstanceRecord(const PF_InData *in_data, void *extra) {
  if (extra == nullptr) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  // The block comes from another effect through the host: read and write it
  // byte-wise, and never outside its sixteen slots.
  auto *block = static_cast<unsigned char *>(extra);
  std::int32_t count = 0;
  std::memcpy(&count,
              block + offsetof(ExchangeBlock, table) + offsetof(FlashDesignTable, instanceCount),
              sizeof count);
  if (count < 1 || count > kMaxInstances) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  PF_Err err = PF_Err_NONE;
  const InstanceSettings settings = ReadInstanceSettings(in_data, &err);
  if (err != PF_Err_NONE) {
    return err;
  }
  const InstanceRecord record = MakeInstanceRecord(settings);
  std::memcpy(block + offsetof(ExchangeBlock, instances) + (count - 1) * sizeof(InstanceRecord),
              &record, sizeof record);
  return PF_Err_NONE;
}

}  // namespace vlam
