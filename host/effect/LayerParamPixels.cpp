#include "host/effect/LayerParamPixels.h"

#include "host/Host.h"
#include "host/effect/CallFrame.h"
#include "host/render/CompRenderer.h"

namespace vlam::host {

LayerTarget layerParamTarget(const EffectInstance &instance, std::size_t index, std::int64_t ticks) {
  Layer &own = instance.layer();
  if (index == 0) return {&own, std::max(own.indexOf(instance), 0)};
  const double id = instance.streams[index].valueAt(ticks, false).number[0];
  Layer *named = id >= 1 ? own.comp().findLayer(static_cast<std::uint32_t>(id)) : nullptr;
  if (!named) return {};
  return {named, named == &own ? 0 : -1};
}

LayerParamPixels::~LayerParamPixels() {
  if (!host_) return;
  for (PF_EffectWorld &world : described_) host_->worlds().dispose(world);
}

LayerPixelSource *LayerParamPixels::sourceFor(CallFrame &frame) {
  if (frame.smart && frame.smart->source) return frame.smart->source;
  if (frame.host->activeSource) return frame.host->activeSource;
  if (!ownSource_) ownSource_ = std::make_unique<CompRenderer>(*frame.host, frame.instance->layer().comp(), frame.settings);
  return ownSource_.get();
}

PF_Err LayerParamPixels::checkout(CallFrame &frame, std::size_t index, std::int64_t ticks, PF_ParamDef &def) {
  const LayerTarget target = layerParamTarget(*frame.instance, index, ticks);
  if (!target.layer) return PF_Err_NONE;
  std::lock_guard lock(mutex_);
  host_ = frame.host;
  std::shared_ptr<Image> pixels =
      atDepth(sourceFor(frame)->layerPixels(*target.layer, target.effectCount, ticks), frame.settings.depth);
  if (!pixels) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  const A_long dephault = def.u.ld.dephault;
  frame.host->worlds().describe(pixels, def.u.ld, {target.layer->pixelAspect.num, target.layer->pixelAspect.den},
                                false);
  def.u.ld.dephault = dephault;
  described_.push_back(def.u.ld);
  return PF_Err_NONE;
}

bool LayerParamPixels::checkin(Host &host, PF_ParamDef &def) {
  if (def.param_type != PF_Param_LAYER || !def.u.ld.data) return false;
  std::lock_guard lock(mutex_);
  for (auto it = described_.begin(); it != described_.end(); ++it)
    if (it->data == def.u.ld.data) {
      host.worlds().dispose(*it);
      described_.erase(it);
      return true;
    }
  return false;
}

} // namespace vlam::host
