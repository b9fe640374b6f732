#include "host/ui/UiContext.h"

#include "host/project/Project.h"
#include "host/suites/HostCall.h"
#include "host/suites/NotOffered.h"

#include <cmath>
#include <mutex>
#include <set>

namespace vlam::host {
namespace {

constexpr A_u_long kContextMagic = 0x56434358; // 'VCCX'

struct Contexts {
  std::mutex mutex;
  std::set<const void *> live;
};

Contexts &contexts() {
  static Contexts c;
  return c;
}

std::atomic<PF_CursorType> setCursor{PF_Cursor_NONE};

bool fromFixed(const PF_FixedPoint &pt, double &x, double &y) {
  x = pt.x / 65536.0;
  y = pt.y / 65536.0;
  return true;
}

// Back to 16.16 fixed point, rounded half away from zero; false when the
// value does not fit.
bool toFixed(double x, double y, PF_FixedPoint &pt) {
  const double fx = std::round(x * 65536.0), fy = std::round(y * 65536.0);
  if (!(std::fabs(fx) < 2147483647.0) || !(std::fabs(fy) < 2147483647.0)) return false;
  pt.x = static_cast<PF_Fixed>(fx);
  pt.y = static_cast<PF_Fixed>(fy);
  return true;
}

template <class Body> PF_Err withContext(const char *name, void *refcon, PF_ContextH handle, Body body) {
  return hostCall(name, [&](Host &) -> PF_Err {
    UiContext *context = UiContext::fromRefcon(refcon);
    if (!context || (handle && UiContext::find(handle) != context)) return PF_Err_BAD_CALLBACK_PARAM;
    return body(*context);
  });
}

PF_Err layerToComp(void *refcon, PF_ContextH handle, A_long, A_long, PF_FixedPoint *pt) {
  return withContext("layer_to_comp", refcon, handle, [&](UiContext &c) -> PF_Err {
    double x = 0, y = 0;
    if (!pt || !fromFixed(*pt, x, y)) return PF_Err_BAD_CALLBACK_PARAM;
    return toFixed(x + c.layerOffsetX(), y + c.layerOffsetY(), *pt) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
  });
}

PF_Err compToLayer(void *refcon, PF_ContextH handle, A_long, A_long, PF_FixedPoint *pt) {
  return withContext("comp_to_layer", refcon, handle, [&](UiContext &c) -> PF_Err {
    double x = 0, y = 0;
    if (!pt || !fromFixed(*pt, x, y)) return PF_Err_BAD_CALLBACK_PARAM;
    return toFixed(x - c.layerOffsetX(), y - c.layerOffsetY(), *pt) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
  });
}

void translation(PF_FloatMatrix &m, double tx, double ty) {
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k) m.mat[r][k] = r == k ? 1.0 : 0.0;
  m.mat[2][0] = tx;
  m.mat[2][1] = ty;
}

PF_Err getComp2LayerXform(void *refcon, PF_ContextH handle, A_long, A_long, A_long *exists,
                          PF_FloatMatrix *m) {
  return withContext("get_comp2layer_xform", refcon, handle, [&](UiContext &c) -> PF_Err {
    if (!exists || !m) return PF_Err_BAD_CALLBACK_PARAM;
    *exists = 1;
    translation(*m, -c.layerOffsetX(), -c.layerOffsetY());
    return PF_Err_NONE;
  });
}

PF_Err getLayer2CompXform(void *refcon, PF_ContextH handle, A_long, A_long, PF_FloatMatrix *m) {
  return withContext("get_layer2comp_xform", refcon, handle, [&](UiContext &c) -> PF_Err {
    if (!m) return PF_Err_BAD_CALLBACK_PARAM;
    translation(*m, c.layerOffsetX(), c.layerOffsetY());
    return PF_Err_NONE;
  });
}

PF_Err sourceToFrame(void *refcon, PF_ContextH handle, PF_FixedPoint *pt) {
  return withContext("source_to_frame", refcon, handle, [&](UiContext &c) -> PF_Err {
    double x = 0, y = 0;
    if (!pt || !fromFixed(*pt, x, y)) return PF_Err_BAD_CALLBACK_PARAM;
    return toFixed(x * c.zoom + c.originX, y * c.zoom + c.originY, *pt) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
  });
}

PF_Err frameToSource(void *refcon, PF_ContextH handle, PF_FixedPoint *pt) {
  return withContext("frame_to_source", refcon, handle, [&](UiContext &c) -> PF_Err {
    double x = 0, y = 0;
    if (!pt || !fromFixed(*pt, x, y) || c.zoom == 0) return PF_Err_BAD_CALLBACK_PARAM;
    return toFixed((x - c.originX) / c.zoom, (y - c.originY) / c.zoom, *pt) ? PF_Err_NONE
                                                                             : PF_Err_BAD_CALLBACK_PARAM;
  });
}

PF_Err infoDrawColor(void *refcon, PF_Pixel) {
  return withContext("info_draw_color", refcon, nullptr, [](UiContext &) -> PF_Err { return PF_Err_NONE; });
}

PF_Err infoDrawText(void *refcon, const A_char *, const A_char *) {
  return withContext("info_draw_text", refcon, nullptr, [](UiContext &) -> PF_Err { return PF_Err_NONE; });
}

} // namespace

UiContext::UiContext(PF_WindowType window, Layer &layer) : layer_(&layer) {
  context_.magic = kContextMagic;
  context_.w_type = window;
  std::lock_guard lock(contexts().mutex);
  contexts().live.insert(this);
}

UiContext::~UiContext() {
  std::lock_guard lock(contexts().mutex);
  contexts().live.erase(this);
}

UiContext *UiContext::fromRefcon(void *refcon) {
  std::lock_guard lock(contexts().mutex);
  return contexts().live.count(refcon) ? static_cast<UiContext *>(refcon) : nullptr;
}

UiContext *UiContext::find(PF_ContextH handle) {
  if (!handle) return nullptr;
  std::lock_guard lock(contexts().mutex);
  for (const void *p : contexts().live) {
    auto *c = static_cast<UiContext *>(const_cast<void *>(p));
    if (c->handle() == handle) return c;
  }
  return nullptr;
}

// As the renderer places them: whole pixels, rounded towards zero.
double UiContext::layerOffsetX() const { return (layer_->comp().width - layer_->width) / 2; }
double UiContext::layerOffsetY() const { return (layer_->comp().height - layer_->height) / 2; }

PF_EventCallbacks eventCallbacks(UiContext &context) {
  PF_EventCallbacks cbs{};
  cbs.refcon = context.refcon();
  cbs.layer_to_comp = layerToComp;
  cbs.comp_to_layer = compToLayer;
  cbs.get_comp2layer_xform = getComp2LayerXform;
  cbs.get_layer2comp_xform = getLayer2CompXform;
  cbs.source_to_frame = sourceToFrame;
  cbs.frame_to_source = frameToSource;
  cbs.info_draw_color = infoDrawColor;
  cbs.info_draw_text = infoDrawText;
  return cbs;
}


PF_CursorType lastSetCursor() { return setCursor.load(); }
void resetSetCursor() { setCursor = PF_Cursor_NONE; }
void noteSetCursor(PF_CursorType cursor) { setCursor = cursor; }

} // namespace vlam::host
