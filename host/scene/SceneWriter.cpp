#include "host/Host.h"
#include "host/effect/EffectRunner.h"
#include "host/io/AtomicFile.h"
#include "host/scene/ArbitraryJson.h"
#include "host/scene/HexBytes.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/MaskJson.h"
#include "host/scene/CameraJson.h"
#include "host/scene/ParamJson.h"
#include "host/scene/SceneFile.h"

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

json ratioJson(std::int64_t num, std::int64_t den) {
  if (den == 1) return num;
  return json::array({num, den});
}

json effectJson(EffectInstance &effect, const Composition &comp) {
  const InstalledEffect &installed = effect.installed();
  json e = {{"effect", installed.matchName()}};
  if (!effect.active) e["active"] = false;
  json params = json::object();
  for (std::size_t i = 1; i < effect.paramCount(); ++i) {
    const ParamDefinition &param = effect.param(i);
    if (!param.hasValue()) continue;
    if (param.type() == PF_Param_ARBITRARY_DATA) {
      // Arbitrary data is flattened by the effect that made it.
      if (Host *host = Host::currentOrNull()) params[paramAddress(installed, i)] = arbitraryStreamToJson(*host, effect, i);
      continue;
    }
    params[paramAddress(installed, i)] = param.type() == PF_Param_PATH
                                             ? pathParamToJson(effect.layer(), effect.streams[i].staticValue())
                                             : paramStreamToJson(param, effect.streams[i], comp);
  }
  if (!params.empty()) e["params"] = std::move(params);
  // Sequence data is saved byte for byte, flattened first by an effect that
  // asks for it.
  Host *host = Host::currentOrNull();
  if (effect.sequenceData && host)
    if (const auto bytes = host->runner().flatSequenceData(effect))
      e["sequence_data"] = hexText(bytes->data(), bytes->size());
  return e;
}

json layerJson(const Layer &layer, const Composition &comp) {
  json l = {{"name", layer.name}};
  if (layer.camera) {
    l["camera"] = cameraToJson(*layer.camera, comp);
    if (!layer.enabled) l["enabled"] = false;
    return l;
  }
  if (layer.source.kind == LayerSource::Kind::Solid) {
    const auto &c = layer.source.color;
    json color = json::array({c[0], c[1], c[2]});
    if (c[3] != 1.0) color.push_back(c[3]);
    l["solid"] = color;
  } else {
    l["image"] = layer.source.file.generic_string();
  }
  if (layer.source.kind == LayerSource::Kind::Solid ? (layer.width != comp.width || layer.height != comp.height) : true) {
    l["width"] = layer.width;
    l["height"] = layer.height;
  }
  if (layer.pixelAspect.num != comp.pixelAspect.num || layer.pixelAspect.den != comp.pixelAspect.den)
    l["pixel_aspect"] = ratioJson(layer.pixelAspect.num, layer.pixelAspect.den);
  if (!layer.enabled) l["enabled"] = false;
  if (!layer.masks.empty()) l["masks"] = masksToJson(layer.masks, comp);
  json effects = json::array();
  for (const auto &effect : layer.effects) effects.push_back(effectJson(*effect, comp));
  l["effects"] = std::move(effects);
  return l;
}

} // namespace

std::string writeScene(const Project &project) {
  json comps = json::array();
  for (const auto &comp : project.comps) {
    json c = {{"name", comp->name},
              {"width", comp->width},
              {"height", comp->height},
              {"pixel_aspect", ratioJson(comp->pixelAspect.num, comp->pixelAspect.den)},
              {"frame_rate", ratioJson(comp->frameRate.perSecond, comp->frameRate.perFrame)},
              {"duration", comp->durationFrames},
              {"motion_blur", comp->motionBlur},
              {"shutter_angle", comp->shutterAngle},
              {"shutter_phase", comp->shutterPhase}};
    json layers = json::array();
    for (const auto &layer : comp->layers) layers.push_back(layerJson(*layer, *comp));
    c["layers"] = std::move(layers);
    comps.push_back(std::move(c));
  }
  json root = {{"vlam_scene", 1}, {"compositions", std::move(comps)}};
  return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

void saveScene(const Project &project, const std::filesystem::path &file) {
  writeFileAtomically(file, writeScene(project));
}

} // namespace vlam::host
