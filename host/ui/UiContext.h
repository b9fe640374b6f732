#pragma once
#include "host/ui/DrawbotObjects.h"

#include <AE_EffectUI.h>

#include <vector>

namespace vlam::host {

class Layer;

// One window a custom-UI event happens in, as the effect sees it: the
// PF_Context its context handle points to, the drawing target of a draw
// event, and how layer, composition and window coordinates relate.
// Contexts register themselves while alive; handles and callback refcons
// that belong to no live context are refused.
class UiContext {
public:
  UiContext(PF_WindowType window, Layer &layer);
  ~UiContext();
  UiContext(const UiContext &) = delete;
  UiContext &operator=(const UiContext &) = delete;

  PF_ContextH handle() { return &contextPtr_; }
  static UiContext *find(PF_ContextH handle);
  // The refcon of the event callbacks: the context itself.
  static UiContext *fromRefcon(void *refcon);
  void *refcon() { return this; }

  PF_WindowType window() const { return context_.w_type; }
  Layer &layer() const { return *layer_; }

  // The drawing target of the event being sent, or none (clicks, drags and
  // cursor events draw nothing).
  DrawingTarget *target = nullptr;

  // Window pixel = (source pixel) × zoom + origin, where the source is the
  // composition in the comp window and the layer in the layer window.
  double zoom = 1.0;
  double originX = 0.0;
  double originY = 0.0;

  // Layer pixel to composition pixel: layers sit centred in their
  // composition.
  double layerOffsetX() const;
  double layerOffsetY() const;

  // What the effect asked to be redrawn (PF_InvalidateRect).
  std::vector<PF_Rect> invalidated;
  bool invalidatedAll = false;

private:
  PF_Context context_{};
  PF_Context *contextPtr_ = &context_;
  Layer *layer_;
};

// The event callbacks the host fills into PF_EventExtra::cbs for a context.
PF_EventCallbacks eventCallbacks(UiContext &context);

// The cursor an effect last set with PF_SetCursor (PF_Cursor_NONE when none).
PF_CursorType lastSetCursor();
void resetSetCursor();
void noteSetCursor(PF_CursorType cursor);

} // namespace vlam::host
