#include "relight/light_list.h"

#include <algorithm>
#include <cstdint>

#include "flash/raster_target.h"

namespace vlam {

namespace {

constexpr double kFiringThreshold = 0.01;

bool MakesLight(const InstanceRecord &instance, const FlashDesignTable &table) {
  return instance.triggerLevel >= kFiringThreshold &&
         instance.designIndex < static_cast<std::uint32_t>(kFlashDesignSlots) &&
         table.designs[instance.designIndex].valid != 0;
}

}  // namespace

double LightLevelFactor(double e) {
  if (e < 0.0) return 1.5;
  if (e < 0.4) return 1.5 - 1.875 * e;
  if (e <= 0.75) return 0.75 - (e - 0.4) * 2.142857142857143;
  return 0.0;
}

RelightLights BuildLights(const ExchangeBlock &block, const LightSettings &settings) {
  RelightLights out;
  const int slots = std::clamp<int>(block.table.instanceCount, 0, kMaxInstances);
  for (int k = 0; k < slots; ++k) {
    const InstanceRecord &instance = block.instances[k];
    if (!MakesLight(instance, block.table)) continue;
    const FlashDesign &design = block.table.designs[instance.designIndex];
    RelightLight &light = out.lights[out.count++];

    light.colour = settings.useFlashColour ? design.flashColour : settings.relightColour;
    out.ambient.red += light.colour.red;
    out.ambient.green += light.colour.green;
    out.ambient.blue += light.colour.blue;

    const double f = LightLevelFactor(instance.triggerLevel);
    ScaleInPlace(light.colour, settings.gain * instance.brightness * 0.01 * f);
    ScaleInPlace(out.ambient, settings.ambient * 0.5 * 0.01 * f);

    light.position[0] = (instance.position[0] - settings.halfWidth) * settings.pixelAspect;
    light.position[1] = instance.position[1] - settings.halfHeight;
    light.position[2] = 0.0;
    // A design from a damaged record must not make a negative brush.
    light.diameter = std::max<A_long>(
        TruncToPixel(settings.spread * settings.bufferScale * design.mainDiameter), 0);
  }
  return out;
}

}  // namespace vlam
