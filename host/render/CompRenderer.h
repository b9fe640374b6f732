#pragma once
#include "host/effect/CallFrame.h"
#include "host/image/Image.h"
#include "host/render/RenderSettings.h"

#include <cstdint>
#include <map>
#include <memory>
#include <tuple>

namespace vlam::host {

class Host;
class Composition;
class Layer;
class EffectInstance;

// Renders frames of a composition: each enabled layer's source through its
// active effects (smart pre-render, then smart render; each effect at the
// deepest depth it declared, up to the frame's), composited bottom to top
// with normal "over", each layer centred in the frame. Intermediate
// results are kept for the frame, so an effect checking out its input or
// another layer at the frame's time gets the pixels already made.
class CompRenderer : public LayerPixelSource {
public:
  CompRenderer(Host &host, Composition &comp, RenderSettings settings);
  ~CompRenderer() override;

  // One frame at (scaled(width) x scaled(height)) of the composition.
  // Throws HostError naming the layer, the effect and the error when an
  // effect fails, and when rendering is cancelled.
  Image renderFrame(std::int64_t frame);

  // For effects' checkouts; failures are reported and give nullptr.
  std::shared_ptr<Image> layerPixels(Layer &layer, int effectCount, std::int64_t ticks) override;

  // The same, throwing HostError on failure.
  std::shared_ptr<Image> renderLayer(Layer &layer, int effectCount, std::int64_t ticks);

private:
  std::shared_ptr<Image> source(Layer &layer);
  std::shared_ptr<Image> runEffect(EffectInstance &effect, int index, const std::shared_ptr<Image> &input,
                                   std::int64_t ticks);
  // `settings` are the frame's at the depth the effect renders at (effectDepth).
  std::shared_ptr<Image> runSmart(EffectInstance &effect, int index, const std::shared_ptr<Image> &input,
                                  std::int64_t ticks, const RenderSettings &settings);
  std::shared_ptr<Image> runClassic(EffectInstance &effect, const std::shared_ptr<Image> &input, std::int64_t ticks,
                                    const RenderSettings &settings);

  Host &host_;
  Composition &comp_;
  RenderSettings settings_;
  std::map<std::uint32_t, std::shared_ptr<Image>> sources_;
  std::map<std::tuple<std::uint32_t, int, std::int64_t>, std::shared_ptr<Image>> results_;
  int depth_ = 0;
};

} // namespace vlam::host
