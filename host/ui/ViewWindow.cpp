#include "host/ui/ViewWindow.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/project/Project.h"
#include "host/render/CompRenderer.h"
#include "host/ui/CairoImage.h"
#include "host/ui/UiEvents.h"

namespace vlam::host {
namespace {

void drawOverlays(Host &host, Layer &layer, std::int64_t ticks, PF_WindowType window, cairo_t *cr,
                  std::vector<std::string> &problems) {
  for (std::size_t i = 0; i < layer.effects.size(); ++i) {
    EffectInstance &effect = *layer.effects[i];
    if (!takesEvents(effect, window)) continue;
    cairo_save(cr);
    {
      DrawingTarget target(cr);
      UiContext context(window, layer);
      context.target = &target;
      PF_EventExtra extra{};
      extra.e_type = PF_Event_DRAW;
      extra.u.draw.update_rect = {0, 0, static_cast<A_long>(cairo_image_surface_get_width(cairo_get_target(cr))),
                                  static_cast<A_long>(cairo_image_surface_get_height(cairo_get_target(cr)))};
      extra.u.draw.depth = 32;
      const UiEventResult r = sendUiEvent(host, effect, ticks, context, extra);
      if (r.sent && r.err)
        problems.push_back("layer '" + layer.name + "' effect " + std::to_string(i) + " (" + effect.installed().name() +
                           "): drawing failed (error " + std::to_string(r.err) + ")" +
                           (r.message.empty() ? "" : ": " + r.message));
    }
    cairo_restore(cr);
  }
}

} // namespace

Image drawViewWindow(Host &host, Composition &comp, std::int64_t frame, PF_WindowType window, Layer *layer,
                     const RenderSettings &settings, std::vector<std::string> &problems) {
  if (settings.downsample != 1) throw HostError("windows are shown at full resolution");
  const std::int64_t ticks = comp.ticksOfFrame(static_cast<double>(frame));
  CompRenderer renderer(host, comp, settings);
  if (window == PF_Window_LAYER) {
    if (!layer) throw HostError("a layer window needs a layer");
    auto pixels = renderer.renderLayer(*layer, -1, ticks);
    CairoSurface surface = cairoFromImage(*pixels);
    Cairo cr(cairo_create(surface.get()));
    drawOverlays(host, *layer, ticks, PF_Window_LAYER, cr.get(), problems);
    cr.reset();
    return imageFromCairo(surface.get());
  }
  const Image frameImage = renderer.renderFrame(frame);
  CairoSurface surface = cairoFromImage(frameImage);
  Cairo cr(cairo_create(surface.get()));
  // Bottom layer first, so that the overlays of upper layers lie on top.
  for (auto it = comp.layers.rbegin(); it != comp.layers.rend(); ++it)
    if ((*it)->enabled && (!layer || it->get() == layer)) drawOverlays(host, **it, ticks, PF_Window_COMP, cr.get(), problems);
  cr.reset();
  return imageFromCairo(surface.get());
}

} // namespace vlam::host
