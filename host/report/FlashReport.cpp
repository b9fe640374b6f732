#include "host/report/FlashReport.h"

#include "host/Host.h"
#include "host/effect/EffectRunner.h"
#include "host/report/RecordLayouts.h"
#include "host/module/ModuleLibrary.h"
#include "host/project/ShapeCurveRecord.h"
#include "host/scene/ParamJson.h"

#include <VlamFiringDescription.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;
using Bytes = std::vector<std::uint8_t>;
namespace rec = records;

constexpr const char *kSlotNames[rec::kDesignSlots] = {"Flash A", "Flash B", "Flash C", "Flash D"};

std::span<const std::uint8_t> designBytes(const Bytes &block, std::size_t slot) {
  return std::span<const std::uint8_t>(block).subspan(rec::kDesignsOffset + slot * rec::kFlashDesignSize,
                                                      rec::kFlashDesignSize);
}

std::span<const std::uint8_t> instanceBytes(const Bytes &block, std::size_t slot) {
  return std::span<const std::uint8_t>(block).subspan(rec::kInstancesOffset + slot * rec::kInstanceRecordSize,
                                                      rec::kInstanceRecordSize);
}

// The bytes a record's pointer field points at (the module keeps them valid
// until the next export into the same block on this thread).
const std::uint8_t *pointed(std::span<const std::uint8_t> record, std::size_t offset) {
  const auto address = readAt<std::uint64_t>(record, offset);
  return reinterpret_cast<const std::uint8_t *>(static_cast<std::uintptr_t>(address));
}

json curveJson(std::span<const std::uint8_t> design, std::size_t offset) {
  const std::uint8_t *p = pointed(design, offset);
  if (!p) return nullptr;
  const auto curve = readShapeCurve(Bytes(p, p + shape_curve_record::kSize));
  return curve ? json(shapeCurveText(*curve)) : json(nullptr);
}

json layoutJson(std::span<const std::uint8_t> design) {
  const std::uint8_t *p = pointed(design, rec::kDesignPetalLayoutOffset);
  if (!p) return nullptr;
  const std::span<const std::uint8_t> layout(p, rec::kPetalLayoutSize);
  const auto count = readAt<std::int16_t>(layout, 0);
  json angles = json::array();
  for (std::int16_t i = 0; i < std::clamp<std::int16_t>(count, 0, rec::kPetalLayoutMaxPetals); ++i)
    angles.push_back(readAt<double>(layout, 4 + 8 * static_cast<std::size_t>(i)));
  return {{"count", count}, {"angles", std::move(angles)}};
}

// A design slot with what its pointers lead to, read while they are valid.
json designJson(const Bytes &block, std::size_t slot) {
  const auto design = designBytes(block, slot);
  return {{"slot", kSlotNames[slot]},
          {"design", recordJson(design, flashDesignFields())},
          {"mainProfile", curveJson(design, rec::kDesignMainProfileOffset)},
          {"petalProfile", curveJson(design, rec::kDesignPetalProfileOffset)},
          {"petalLayout", layoutJson(design)}};
}

PF_Err callGeneral(Host &host, EffectInstance &effect, std::int64_t ticks, Bytes &block) {
  CallOptions options;
  options.ticks = ticks;
  options.settings = host.activeRender;
  options.extra = block.data();
  return host.runner().call(effect.installed(), &effect, PF_Cmd_COMPLETELY_GENERAL, options).err;
}

std::int32_t instanceCount(const Bytes &block) { return readAt<std::int32_t>(block, rec::kInstanceCountOffset); }

void setInstanceCount(Bytes &block, std::int32_t count) {
  std::memcpy(block.data() + rec::kInstanceCountOffset, &count, sizeof count);
}

json firingJson(Host &host, const Bytes &block, std::int64_t ticks, std::size_t slot) {
  auto describe = reinterpret_cast<VlamDescribeFiringFunc>(host.module().symbol(VlamDescribeFiring_FuncName));
  if (!describe) return nullptr;
  VlamFiringDescription d{};
  const auto time = static_cast<A_long>(std::clamp<std::int64_t>(ticks, std::numeric_limits<A_long>::min(),
                                                                   std::numeric_limits<A_long>::max()));
  if (describe(block.data(), static_cast<A_u_long>(block.size()), time, static_cast<A_long>(slot), &d) != A_Err_NONE)
    return nullptr;
  if (!d.firing) return {{"firing", false}};
  return {{"firing", true},
          {"energy", d.energy},
          {"easedBrightness", d.eased_brightness},
          {"colourFactor", d.colour_factor},
          {"shapeScale", d.shape_scale},
          {"variant", d.variant},
          {"blendWeight", d.blend_weight},
          {"sparkCount", d.spark_count}};
}

} // namespace

bool isFlashBuilder(const EffectInstance &effect) { return effect.matchName() == "zk_VlamFlash"; }
bool isFlashInstance(const EffectInstance &effect) { return effect.matchName() == "zk_VlamInstance"; }

json inspectFlashBuilder(Host &host, EffectInstance &builder, std::int64_t ticks) {
  Bytes block(rec::kExchangeBlockSize, 0);
  if (PF_Err err = callGeneral(host, builder, ticks, block)) return {{"error", err}};
  for (std::size_t slot = 0; slot < rec::kDesignSlots; ++slot)
    if (readAt<std::uint8_t>(designBytes(block, slot), rec::kDesignValidOffset)) return designJson(block, slot);
  return {{"slot", nullptr}};
}

json inspectFlashInstance(Host &host, EffectInstance &instance, std::int64_t ticks) {
  Bytes block(rec::kExchangeBlockSize, 0);
  setInstanceCount(block, 1); // the instance writes slot count - 1
  json out = json::object();
  if (PF_Err err = callGeneral(host, instance, ticks, block)) out["error"] = err;
  else out["record"] = recordJson(instanceBytes(block, 0), instanceRecordFields());
  for (std::size_t i = 1; i < instance.paramCount(); ++i) {
    if (instance.param(i).name() != "Trigger") continue;
    const Composition &comp = instance.layer().comp();
    json keys = json::array();
    for (const Keyframe &key : instance.streams[i].keys())
      keys.push_back({{"frame", comp.frameOfTicks(key.ticks)},
                      {"value", paramValueToJson(instance.param(i), key.value, comp)}});
    out["triggerKeys"] = std::move(keys);
  }
  return out;
}

json inspectCollected(Host &host, Layer &layer, std::int64_t ticks) {
  Bytes block(rec::kExchangeBlockSize, 0);
  json errors = json::array();
  bool overLimit = false;
  for (const auto &effect : layer.effects) {
    if (!effect->active || !(isFlashBuilder(*effect) || isFlashInstance(*effect))) continue;
    if (isFlashInstance(*effect)) {
      if (instanceCount(block) >= static_cast<std::int32_t>(rec::kInstanceSlots)) {
        overLimit = true;
        continue;
      }
      setInstanceCount(block, instanceCount(block) + 1);
    }
    if (PF_Err err = callGeneral(host, *effect, ticks, block)) {
      errors.push_back({{"effect", layer.indexOf(*effect)}, {"error", err}});
      break; // as the Render effect: no further effect is asked
    }
  }
  json designs = json::array();
  for (std::size_t slot = 0; slot < rec::kDesignSlots; ++slot) {
    if (readAt<std::uint8_t>(designBytes(block, slot), rec::kDesignValidOffset)) designs.push_back(designJson(block, slot));
    else designs.push_back({{"slot", kSlotNames[slot]}, {"design", nullptr}});
  }
  const std::int32_t count = instanceCount(block);
  json instances = json::array();
  for (std::size_t slot = 0; slot < static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, 16)); ++slot)
    instances.push_back({{"slot", slot},
                         {"record", recordJson(instanceBytes(block, slot), instanceRecordFields())},
                         {"derived", firingJson(host, block, ticks, slot)}});
  json out = {{"designs", std::move(designs)}, {"instanceCount", count}, {"instances", std::move(instances)}};
  if (overLimit) out["instanceLimitReached"] = true;
  if (!errors.empty()) out["errors"] = std::move(errors);
  return out;
}

} // namespace vlam::host
