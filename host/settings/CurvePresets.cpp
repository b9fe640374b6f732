#include "host/settings/CurvePresets.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"

namespace vlam::host {

std::vector<std::string> curvePresetKeys() {
  std::vector<std::string> keys;
  for (const char *shape : {"MAIN", "PETAL"})
    for (int i = 1; i <= 5; ++i) keys.push_back(std::string(shape) + "_SHAPE_PRESET_" + std::to_string(i));
  return keys;
}

std::vector<std::pair<std::string, std::string>> storedCurvePresets(Host &host) {
  InstalledEffect *builder = host.findInstalled("zk_VlamFlash");
  if (!builder) throw HostError("the module offers no Flash Builder (zk_VlamFlash)");
  // Instances of the builder keep it set up; only an unused builder is set
  // up and down here.
  bool inUse = false;
  for (EffectInstance *effect : host.project().allEffects()) inUse = inUse || &effect->installed() == builder;
  if (!inUse) {
    if (PF_Err err = host.runner().ensureReady(*builder))
      throw HostError("the Flash Builder failed to set up (error " + std::to_string(err) + ")");
    host.runner().globalSetdown(*builder);
  }
  std::vector<std::pair<std::string, std::string>> presets;
  for (const std::string &key : curvePresetKeys()) {
    const auto value = host.settings().get(AEGP_PersistentType_MACHINE_SPECIFIC, kCurvePresetSection, key);
    const std::string *text = value ? std::get_if<std::string>(&*value) : nullptr;
    presets.emplace_back(key, text ? *text : std::string());
  }
  return presets;
}

} // namespace vlam::host
