#include "host/project/Project.h"

#include "host/module/InstalledEffect.h"

#include <atomic>
#include <cmath>

namespace vlam::host {

EffectInstance::EffectInstance(InstalledEffect &installed, Layer &layer, std::uint32_t id)
    : installed_(&installed), layer_(&layer), id_(id) {}

EffectInstance::~EffectInstance() = default;

const std::string &EffectInstance::matchName() const { return installed_->matchName(); }

const ParamDefinition &EffectInstance::param(std::size_t index) const { return installed_->params.at(index); }

Layer::Layer(Composition &comp, std::uint32_t id, std::string layerName)
    : name(std::move(layerName)), width(comp.width), height(comp.height), pixelAspect(comp.pixelAspect),
      comp_(&comp), id_(id) {}

Layer::~Layer() = default;

int Layer::indexOf(const EffectInstance &effect) const {
  for (std::size_t i = 0; i < effects.size(); ++i)
    if (effects[i].get() == &effect) return static_cast<int>(i);
  return -1;
}

Layer *Composition::findLayer(const std::string &layerName) const {
  for (const auto &layer : layers)
    if (layer->name == layerName) return layer.get();
  return nullptr;
}

Layer *Composition::findLayer(std::uint32_t layerId) const {
  for (const auto &layer : layers)
    if (layer->id() == layerId) return layer.get();
  return nullptr;
}

int Composition::indexOf(const Layer &layer) const {
  for (std::size_t i = 0; i < layers.size(); ++i)
    if (layers[i].get() == &layer) return static_cast<int>(i);
  return -1;
}

Layer *Composition::activeCamera() const {
  for (const auto &layer : layers)
    if (layer->camera && layer->enabled) return layer.get();
  return nullptr;
}

std::int64_t Composition::ticksOfFrame(double frame) const {
  return static_cast<std::int64_t>(std::llround(frame * frameRate.perFrame));
}

double Composition::frameOfTicks(std::int64_t ticks) const {
  return static_cast<double>(ticks) / frameRate.perFrame;
}

std::uint32_t Project::nextId() {
  static std::atomic<std::uint32_t> next{1};
  return next++;
}

Composition &Project::addComp() {
  comps.push_back(std::make_unique<Composition>(nextId()));
  return *comps.back();
}

Layer &Project::addLayer(Composition &comp, const std::string &name) {
  comp.layers.push_back(std::make_unique<Layer>(comp, nextId(), name));
  return *comp.layers.back();
}

Layer *Project::findLayer(const void *layer) const {
  for (const auto &comp : comps)
    for (const auto &l : comp->layers)
      if (l.get() == layer) return l.get();
  return nullptr;
}

EffectInstance *Project::findEffect(std::uint32_t effectId) const {
  for (const auto &comp : comps)
    for (const auto &layer : comp->layers)
      for (const auto &effect : layer->effects)
        if (effect->id() == effectId) return effect.get();
  return nullptr;
}

std::vector<EffectInstance *> Project::allEffects() const {
  std::vector<EffectInstance *> out;
  for (const auto &comp : comps)
    for (const auto &layer : comp->layers)
      for (const auto &effect : layer->effects) out.push_back(effect.get());
  return out;
}

} // namespace vlam::host
