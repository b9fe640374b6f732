#include "host/render/CompRenderer.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host/effect/ErrorText.h"
#include "host/image/PixelOps.h"
#include "host/io/ImageFiles.h"

#include <vector>

namespace vlam::host {
namespace {

constexpr int kMaxNesting = 8; // layers checking out layers checking out layers...

short bitsOf(PixelDepth depth) { return static_cast<short>(depth); }

std::string effectError(const EffectInstance &effect, const char *what, PF_Err err) {
  return "layer '" + effect.layer().name + "', effect " + effect.matchName() + ": " + what + " failed (error " +
         errorText(err) + ")";
}

// Forgets the buffers a smart render described to the effect.
class SmartCallCleanup {
public:
  SmartCallCleanup(Host &host, SmartCallState &state, PF_PreRenderOutput &pre)
      : host_(host), state_(state), pre_(pre) {}
  ~SmartCallCleanup() {
    for (auto &[id, checkout] : state_.checkouts)
      if (checkout.world) host_.worlds().dispose(*checkout.world);
    if (state_.output) host_.worlds().dispose(state_.outputWorld);
    if (pre_.delete_pre_render_data_func && pre_.pre_render_data) pre_.delete_pre_render_data_func(pre_.pre_render_data);
  }
  SmartCallCleanup(const SmartCallCleanup &) = delete;
  SmartCallCleanup &operator=(const SmartCallCleanup &) = delete;

private:
  Host &host_;
  SmartCallState &state_;
  PF_PreRenderOutput &pre_;
};

} // namespace

CompRenderer::CompRenderer(Host &host, Composition &comp, RenderSettings settings)
    : host_(host), comp_(comp), settings_(settings) {
  if (settings_.downsample < 1) throw HostError("downsample factor must be 1 or more");
}

CompRenderer::~CompRenderer() = default;

Image CompRenderer::renderFrame(std::int64_t frame) {
  const std::int64_t ticks = comp_.ticksOfFrame(static_cast<double>(frame));
  struct Restore {
    Host &host;
    RenderSettings settings;
    std::int64_t ticks;
    LayerPixelSource *source;
    ~Restore() {
      host.activeRender = settings;
      host.currentTicks = ticks;
      host.activeSource = source;
    }
  } restore{host_, host_.activeRender, host_.currentTicks, host_.activeSource};
  host_.activeRender = settings_;
  host_.currentTicks = ticks;
  host_.activeSource = this;

  results_.clear();
  const int width = settings_.scaled(comp_.width), height = settings_.scaled(comp_.height);
  std::vector<Layer *> shown;
  for (auto it = comp_.layers.rbegin(); it != comp_.layers.rend(); ++it)
    if ((*it)->enabled && !(*it)->camera) shown.push_back(it->get()); // a camera shows nothing itself
  // The canvas is not cleared: the first layer is composited onto it as onto
  // transparent black, which writes every pixel.
  Image canvas;
  bool first = true;
  for (Layer *layer : shown) {
    if (host_.cancelRequested) throw HostError("rendering cancelled");
    std::shared_ptr<Image> pixels = renderLayer(*layer, -1, ticks);
    const int left = (width - pixels->width()) / 2, top = (height - pixels->height()) / 2;
    if (!first) {
      compositeOver(*pixels, canvas, left, top);
      continue;
    }
    first = false;
    if (shown.size() == 1 && left == 0 && top == 0 && pixels->width() == width && pixels->height() == height) {
      results_.clear();
      if (pixels.use_count() == 1) {
        // One layer filling the frame, its pixels no longer needed by
        // anyone: the frame is made in its buffer.
        compositeOntoClear(*pixels);
        return std::move(*pixels);
      }
    }
    canvas = Image(width, height, settings_.depth, ImageStart::Undefined);
    compositeOverClear(*pixels, canvas, left, top);
  }
  results_.clear();
  if (first) canvas = Image(width, height, settings_.depth);
  return canvas;
}

std::shared_ptr<Image> CompRenderer::layerPixels(Layer &layer, int effectCount, std::int64_t ticks) {
  try {
    return renderLayer(layer, effectCount, ticks);
  } catch (const std::exception &e) {
    host_.report("render", e.what());
    return nullptr;
  }
}

std::shared_ptr<Image> CompRenderer::source(Layer &layer) {
  auto found = sources_.find(layer.id());
  if (found != sources_.end()) return found->second;
  const int w = settings_.scaled(layer.width), h = settings_.scaled(layer.height);
  std::shared_ptr<Image> image;
  if (layer.source.kind == LayerSource::Kind::Solid) {
    const auto &c = layer.source.color;
    const auto a = static_cast<float>(c[3]);
    image = std::make_shared<Image>(w, h, settings_.depth, ImageStart::Undefined); // filled next
    image->fill({a, static_cast<float>(c[0]) * a, static_cast<float>(c[1]) * a, static_cast<float>(c[2]) * a});
  } else {
    Image made = layer.source.pixels ? layer.source.pixels->convertedTo(settings_.depth)
                                     : readImageFile(layer.source.resolvedFile, settings_.depth);
    image = std::make_shared<Image>((made.width() == w && made.height() == h) ? std::move(made) : resampled(made, w, h));
  }
  sources_[layer.id()] = image;
  return image;
}

std::shared_ptr<Image> CompRenderer::renderLayer(Layer &layer, int effectCount, std::int64_t ticks) {
  const int count = effectCount < 0 ? static_cast<int>(layer.effects.size())
                                     : std::min(effectCount, static_cast<int>(layer.effects.size()));
  auto key = std::make_tuple(layer.id(), count, ticks);
  if (auto found = results_.find(key); found != results_.end()) return found->second;
  if (depth_ >= kMaxNesting)
    throw HostError("layer '" + layer.name + "': layers check each other out in a loop");
  ++depth_;
  struct Depth {
    int &d;
    ~Depth() { --d; }
  } depthGuard{depth_};

  // Start from the longest prefix of the stack already rendered at this time.
  int done = count;
  std::shared_ptr<Image> current;
  for (; done > 0; --done)
    if (auto found = results_.find(std::make_tuple(layer.id(), done, ticks)); found != results_.end()) {
      current = found->second;
      break;
    }
  if (!current) current = source(layer);
  for (int i = done; i < count; ++i) {
    EffectInstance &effect = *layer.effects[static_cast<std::size_t>(i)];
    if (effect.active) current = runEffect(effect, i, current, ticks);
    results_[std::make_tuple(layer.id(), i + 1, ticks)] = current;
    // The effect's input is asked for only by that effect (a layer named in
    // a parameter comes as its source or with all its effects), so its
    // buffer goes back for the next output. Were it asked for again, it
    // would be rendered again.
    if (i > 0) results_.erase(std::make_tuple(layer.id(), i, ticks));
  }
  results_[key] = current;
  return current;
}

std::shared_ptr<Image> CompRenderer::runEffect(EffectInstance &effect, int index, const std::shared_ptr<Image> &input,
                                               std::int64_t ticks) {
  InstalledEffect &installed = effect.installed();
  if (PF_Err err = host_.runner().ensureReady(installed)) throw HostError(effectError(effect, "setup", err));
  if (host_.cancelRequested) throw HostError("rendering cancelled");
  RenderSettings settings = settings_;
  settings.depth = effectDepth(settings_.depth, installed.outFlags, installed.outFlags2);
  const std::shared_ptr<Image> in = atDepth(input, settings.depth);
  const std::shared_ptr<Image> out = (installed.outFlags2 & PF_OutFlag2_SUPPORTS_SMART_RENDER)
                                         ? runSmart(effect, index, in, ticks, settings)
                                         : runClassic(effect, in, ticks, settings);
  return atDepth(out, settings_.depth);
}

std::shared_ptr<Image> CompRenderer::runSmart(EffectInstance &effect, int index, const std::shared_ptr<Image> &input,
                                              std::int64_t ticks, const RenderSettings &settings) {
  SmartCallState state;
  state.source = this;
  state.effectIndex = index;
  PF_PreRenderInput preIn{};
  preIn.output_request.rect = {0, 0, input->width(), input->height()};
  preIn.output_request.field = PF_Field_FRAME;
  preIn.output_request.channel_mask = PF_ChannelMask_ARGB;
  preIn.bitdepth = bitsOf(settings.depth);
  PF_PreRenderOutput preOut{};
  PF_PreRenderExtra preExtra{&preIn, &preOut, preRenderCallbacks()};
  SmartCallCleanup cleanup(host_, state, preOut);

  CallOptions options;
  options.ticks = ticks;
  options.settings = settings;
  options.smart = &state;
  options.extra = &preExtra;
  CallResult pre = host_.runner().call(effect.installed(), &effect, PF_Cmd_SMART_PRE_RENDER, options);
  if (pre.err) throw HostError(effectError(effect, "smart pre-render", pre.err));

  state.output = std::make_shared<Image>(input->width(), input->height(), settings.depth);
  const PF_LRect &r = preOut.result_rect;
  if (r.right <= r.left || r.bottom <= r.top) return state.output; // nothing to render: transparent
  host_.worlds().describe(state.output, state.outputWorld, {effect.layer().pixelAspect.num, effect.layer().pixelAspect.den});

  PF_SmartRenderInput renderIn{};
  renderIn.output_request = preIn.output_request;
  renderIn.bitdepth = preIn.bitdepth;
  renderIn.pre_render_data = preOut.pre_render_data;
  PF_SmartRenderExtra renderExtra{&renderIn, smartRenderCallbacks()};
  options.extra = &renderExtra;
  CallResult render = host_.runner().call(effect.installed(), &effect, PF_Cmd_SMART_RENDER, options);
  if (render.err) throw HostError(effectError(effect, "smart render", render.err));
  return state.output;
}

std::shared_ptr<Image> CompRenderer::runClassic(EffectInstance &effect, const std::shared_ptr<Image> &input,
                                                std::int64_t ticks, const RenderSettings &settings) {
  auto output = std::make_shared<Image>(input->width(), input->height(), settings.depth);
  const PF_RationalScale par{effect.layer().pixelAspect.num, effect.layer().pixelAspect.den};
  PF_EffectWorld inWorld{}, outWorld{};
  host_.worlds().describe(input, inWorld, par, false);
  host_.worlds().describe(output, outWorld, par);
  CallOptions options;
  options.ticks = ticks;
  options.settings = settings;
  options.input = &inWorld;
  options.output = &outWorld;
  CallResult r = host_.runner().call(effect.installed(), &effect, PF_Cmd_RENDER, options);
  host_.worlds().dispose(inWorld);
  host_.worlds().dispose(outWorld);
  if (r.err) throw HostError(effectError(effect, "render", r.err));
  return output;
}

} // namespace vlam::host
