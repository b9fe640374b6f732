#include "render/flash_fixture_support.h"

#include <cstring>

namespace vlam_render_test {

using namespace vlam;

namespace {
constexpr double kPi = 3.141592653589793;
}

DesignStorage::DesignStorage() {
  MakeDefaultMainCurve(mainCurve);
  MakeDefaultPetalCurve(petalCurve);
  threeStar.count = 3;
  threeStar.angles[0] = 0.0;
  threeStar.angles[1] = kPi * 2.0 / 3.0;
  threeStar.angles[2] = kPi * 4.0 / 3.0;
}

FlashDesign DefaultDesign(const DesignStorage &storage) {
  FlashDesign d;
  std::memset(static_cast<void *>(&d), 0, sizeof d);
  const double f = 0.75;
  d.valid = 1;
  d.mainLength = 250.0;
  d.mainDiameter = 0.5 * 200.0;
  d.mainProfile = &storage.mainCurve;
  d.mainFalloffA = f * 0.9 + (1.0 - f);
  d.mainFalloffB = (1.0 - f) * 0.3 + f * 0.25;
  d.brightnessFalloff = static_cast<float>(f);
  d.petalLength = 100.0;
  d.petalDiameter = 0.4 * 100.0;
  d.petalProfile = &storage.petalCurve;
  d.petalBrightnessFalloff = static_cast<float>(f);
  d.petalLayout = &storage.noPetals;
  d.petalAngle = 75.0 * kPi / 180.0;
  d.horizontalOffset = -15.0;
  d.barrelRadius = 8.0;
  d.petalBrightness = 1.0;
  d.maxSparks = 0;
  d.sparkDispersion = 15.0 * kPi / 180.0;
  d.sparkBrightness = 0.5;
  d.colourTemperatureAmount = 0.5;
  d.flashColour = PF_PixelFloat{1.0f, 1.0f, 186.0f / 255.0f, 118.0f / 255.0f};
  d.baseFrequency = 0.01;
  d.displacementAmount = 80.0 * 0.04;
  d.displacementComplexity = 0.25;
  return d;
}

InstanceRecord FiringInstance(double x, double y) {
  InstanceRecord r;
  std::memset(static_cast<void *>(&r), 0, sizeof r);
  r.designIndex = 0;
  r.randomSeed = 1024;
  r.randomness = 1.0;
  r.triggerLevel = kInstanceFiringLevel;
  r.ezAim = 0;
  r.position[0] = x;
  r.position[1] = y;
  r.position[2] = 0.0;
  r.aimA = 0.0;
  r.aimB = 0.0;
  r.roll = InstanceRecordRoll(0.0);
  r.postScale = 1.0;
  r.brightness = 1.0;
  return r;
}

}  // namespace vlam_render_test
