// The four DRAWBOT suites, drawn with cairo into the image of the drawing
// target the event belongs to.
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"
#include "host/suites/SuiteRegistry.h"
#include "host/ui/DrawbotObjects.h"
#include "host/ui/Utf16.h"

#include <AE_Effect.h>
#include <adobesdk/DrawbotSuite.h>

#include <cmath>

namespace vlam::host {
namespace {

constexpr SPErr kBadRef = PF_Err_BAD_CALLBACK_PARAM;

bool finite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

void setSource(cairo_t *cr, const DRAWBOT_ColorRGBA &c) { cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha); }

// ---- Draw suite

SPErr getSupplier(DRAWBOT_DrawRef ref, DRAWBOT_SupplierRef *out) {
  return hostCall("GetSupplier", [&](Host &) -> SPErr {
    if (!out) return kBadRef;
    *out = nullptr;
    DrawingTarget *target = DrawingTarget::find(ref);
    if (!target) return kBadRef;
    *out = target->supplier()->ref<DRAWBOT_SupplierRef>();
    return PF_Err_NONE;
  });
}

SPErr getSurface(DRAWBOT_DrawRef ref, DRAWBOT_SurfaceRef *out) {
  return hostCall("GetSurface", [&](Host &) -> SPErr {
    if (!out) return kBadRef;
    *out = nullptr;
    DrawingTarget *target = DrawingTarget::find(ref);
    if (!target) return kBadRef;
    *out = target->surface()->ref<DRAWBOT_SurfaceRef>();
    return PF_Err_NONE;
  });
}

// ---- Supplier suite

template <class Ref, class Make> SPErr makeObject(const char *name, DRAWBOT_SupplierRef supplier, Ref *out, Make make) {
  return hostCall(name, [&](Host &) -> SPErr {
    if (!out) return kBadRef;
    *out = nullptr;
    if (!DrawbotObject::find<DrawbotSupplier>(supplier)) return kBadRef;
    DrawbotObject *object = make();
    if (!object) return kBadRef;
    *out = object->ref<Ref>();
    return PF_Err_NONE;
  });
}

SPErr newPen(DRAWBOT_SupplierRef supplier, const DRAWBOT_ColorRGBA *color, float size, DRAWBOT_PenRef *out) {
  return makeObject("NewPen", supplier, out, [&]() -> DrawbotObject * {
    if (!color || !std::isfinite(size) || size < 0) return nullptr;
    return new DrawbotPen(*color, size);
  });
}

SPErr newBrush(DRAWBOT_SupplierRef supplier, const DRAWBOT_ColorRGBA *color, DRAWBOT_BrushRef *out) {
  return makeObject("NewBrush", supplier, out, [&]() -> DrawbotObject * {
    return color ? new DrawbotBrush(*color) : nullptr;
  });
}

SPErr supportsText(DRAWBOT_SupplierRef supplier, DRAWBOT_Boolean *out) {
  return hostCall("SupportsText", [&](Host &) -> SPErr {
    if (!out || !DrawbotObject::find<DrawbotSupplier>(supplier)) return kBadRef;
    *out = 1;
    return PF_Err_NONE;
  });
}

SPErr getDefaultFontSize(DRAWBOT_SupplierRef supplier, float *out) {
  return hostCall("GetDefaultFontSize", [&](Host &) -> SPErr {
    if (!out || !DrawbotObject::find<DrawbotSupplier>(supplier)) return kBadRef;
    *out = kInterfaceFontSize;
    return PF_Err_NONE;
  });
}

SPErr newDefaultFont(DRAWBOT_SupplierRef supplier, float size, DRAWBOT_FontRef *out) {
  return makeObject("NewDefaultFont", supplier, out, [&]() -> DrawbotObject * {
    if (!std::isfinite(size) || size <= 0) return nullptr;
    return new DrawbotFont(size);
  });
}

VLAM_NOT_OFFERED(newImageFromBuffer, DRAWBOT_SupplierRef, int, int, int, DRAWBOT_PixelLayout, const void *,
                 DRAWBOT_ImageRef *)

SPErr newPath(DRAWBOT_SupplierRef supplier, DRAWBOT_PathRef *out) {
  return makeObject("NewPath", supplier, out, [] { return new DrawbotPath(); });
}

// Pixel layouts: images are not offered, so every answer is "no".
SPErr layoutAnswer(const char *name, DRAWBOT_SupplierRef supplier, DRAWBOT_Boolean *out) {
  return hostCall(name, [&](Host &) -> SPErr {
    if (!out || !DrawbotObject::find<DrawbotSupplier>(supplier)) return kBadRef;
    *out = 0;
    return PF_Err_NONE;
  });
}
SPErr supportsBGRA(DRAWBOT_SupplierRef s, DRAWBOT_Boolean *o) { return layoutAnswer("SupportsPixelLayoutBGRA", s, o); }
SPErr prefersBGRA(DRAWBOT_SupplierRef s, DRAWBOT_Boolean *o) { return layoutAnswer("PrefersPixelLayoutBGRA", s, o); }
SPErr supportsARGB(DRAWBOT_SupplierRef s, DRAWBOT_Boolean *o) { return layoutAnswer("SupportsPixelLayoutARGB", s, o); }
SPErr prefersARGB(DRAWBOT_SupplierRef s, DRAWBOT_Boolean *o) { return layoutAnswer("PrefersPixelLayoutARGB", s, o); }

// Pens, brushes, fonts and paths; the supplier and the surface belong to
// their drawing target and are not counted.
DrawbotObject *countedObject(DRAWBOT_ObjectRef ref) {
  for (auto kind : {DrawbotObject::Kind::Pen, DrawbotObject::Kind::Brush, DrawbotObject::Kind::Font,
                    DrawbotObject::Kind::Path})
    if (DrawbotObject *object = DrawbotObject::find(ref, kind)) return object;
  return nullptr;
}

bool targetObject(DRAWBOT_ObjectRef ref) {
  return DrawbotObject::find<DrawbotSupplier>(ref) || DrawbotObject::find<DrawbotSurface>(ref);
}

SPErr retainObject(DRAWBOT_ObjectRef ref) {
  return hostCall("RetainObject", [&](Host &) -> SPErr {
    if (DrawbotObject *object = countedObject(ref)) {
      object->retain();
      return PF_Err_NONE;
    }
    return targetObject(ref) ? PF_Err_NONE : kBadRef;
  });
}

SPErr releaseObject(DRAWBOT_ObjectRef ref) {
  return hostCall("ReleaseObject", [&](Host &) -> SPErr {
    if (DrawbotObject *object = countedObject(ref)) {
      DrawbotObject::release(object);
      return PF_Err_NONE;
    }
    return targetObject(ref) ? PF_Err_NONE : kBadRef;
  });
}

// ---- Surface suite

template <class Body> SPErr onSurface(const char *name, DRAWBOT_SurfaceRef ref, Body body) {
  return hostCall(name, [&](Host &) -> SPErr {
    auto *surface = DrawbotObject::find<DrawbotSurface>(ref);
    if (!surface) return kBadRef;
    return body(*surface, surface->target->cairo());
  });
}

SPErr pushState(DRAWBOT_SurfaceRef ref) {
  return onSurface("PushStateStack", ref, [](DrawbotSurface &s, cairo_t *cr) -> SPErr {
    cairo_save(cr);
    ++s.depth;
    return PF_Err_NONE;
  });
}

SPErr popState(DRAWBOT_SurfaceRef ref) {
  return onSurface("PopStateStack", ref, [](DrawbotSurface &s, cairo_t *cr) -> SPErr {
    if (s.depth == 0) return kBadRef; // a pop without its push
    cairo_restore(cr);
    --s.depth;
    return PF_Err_NONE;
  });
}

SPErr paintRect(DRAWBOT_SurfaceRef ref, const DRAWBOT_ColorRGBA *color, const DRAWBOT_RectF32 *rect) {
  return onSurface("PaintRect", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    if (!color || !rect || !finite({rect->left, rect->top, rect->width, rect->height})) return kBadRef;
    cairo_new_path(cr);
    cairo_rectangle(cr, rect->left, rect->top, rect->width, rect->height);
    setSource(cr, *color);
    cairo_fill(cr);
    return PF_Err_NONE;
  });
}

SPErr fillPath(DRAWBOT_SurfaceRef ref, DRAWBOT_BrushRef brushRef, DRAWBOT_PathRef pathRef, DRAWBOT_FillType type) {
  return onSurface("FillPath", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    auto *brush = DrawbotObject::find<DrawbotBrush>(brushRef);
    auto *path = DrawbotObject::find<DrawbotPath>(pathRef);
    if (!brush || !path) return kBadRef;
    path->replay(cr);
    cairo_set_fill_rule(cr, type == kDRAWBOT_FillType_EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    setSource(cr, brush->color);
    cairo_fill(cr);
    return PF_Err_NONE;
  });
}

SPErr strokePath(DRAWBOT_SurfaceRef ref, DRAWBOT_PenRef penRef, DRAWBOT_PathRef pathRef) {
  return onSurface("StrokePath", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    auto *pen = DrawbotObject::find<DrawbotPen>(penRef);
    auto *path = DrawbotObject::find<DrawbotPath>(pathRef);
    if (!pen || !path) return kBadRef;
    path->replay(cr);
    cairo_set_line_width(cr, pen->size);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    setSource(cr, pen->color);
    cairo_stroke(cr);
    return PF_Err_NONE;
  });
}

SPErr clip(DRAWBOT_SurfaceRef ref, DRAWBOT_SupplierRef supplier, const DRAWBOT_Rect32 *rect) {
  return onSurface("Clip", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    if (!rect || !DrawbotObject::find<DrawbotSupplier>(supplier)) return kBadRef;
    cairo_new_path(cr);
    cairo_rectangle(cr, rect->left, rect->top, rect->width, rect->height);
    cairo_clip(cr);
    return PF_Err_NONE;
  });
}

DRAWBOT_Rect32 clipRect(cairo_t *cr) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
  const auto l = static_cast<A_long>(std::floor(x1)), t = static_cast<A_long>(std::floor(y1));
  return {l, t, static_cast<A_long>(std::ceil(x2)) - l, static_cast<A_long>(std::ceil(y2)) - t};
}

SPErr getClipBounds(DRAWBOT_SurfaceRef ref, DRAWBOT_Rect32 *out) {
  return onSurface("GetClipBounds", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    if (!out) return kBadRef;
    *out = clipRect(cr);
    return PF_Err_NONE;
  });
}

SPErr isWithinClipBounds(DRAWBOT_SurfaceRef ref, const DRAWBOT_Rect32 *rect, DRAWBOT_Boolean *out) {
  return onSurface("IsWithinClipBounds", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    if (!rect || !out) return kBadRef;
    const DRAWBOT_Rect32 c = clipRect(cr);
    *out = rect->left >= c.left && rect->top >= c.top && rect->left + rect->width <= c.left + c.width &&
           rect->top + rect->height <= c.top + c.height;
    return PF_Err_NONE;
  });
}

SPErr transform(DRAWBOT_SurfaceRef ref, const DRAWBOT_MatrixF32 *m) {
  return onSurface("Transform", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    if (!m) return kBadRef;
    // Row vectors: [x y 1] times the matrix.
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, m->mat[0][0], m->mat[0][1], m->mat[1][0], m->mat[1][1], m->mat[2][0], m->mat[2][1]);
    cairo_matrix_t check = cm;
    if (cairo_matrix_invert(&check) != CAIRO_STATUS_SUCCESS) return kBadRef; // a singular matrix
    cairo_transform(cr, &cm);
    return PF_Err_NONE;
  });
}

SPErr drawString(DRAWBOT_SurfaceRef ref, DRAWBOT_BrushRef brushRef, DRAWBOT_FontRef fontRef,
                 const DRAWBOT_UTF16Char *text, const DRAWBOT_PointF32 *origin, DRAWBOT_TextAlignment alignment,
                 DRAWBOT_TextTruncation truncation, float truncationWidth) {
  return onSurface("DrawString", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    auto *brush = DrawbotObject::find<DrawbotBrush>(brushRef);
    auto *font = DrawbotObject::find<DrawbotFont>(fontRef);
    if (!brush || !font || !text || !origin || !finite({origin->x, origin->y})) return kBadRef;
    cairo_save(cr);
    cairo_select_font_face(cr, kInterfaceFontFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font->size);
    std::string utf8 = utf8FromUtf16(text);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    // Truncation: cut characters at the end until the text fits the width.
    if (truncation != kDRAWBOT_TextTruncation_None && truncationWidth > 0 && ext.x_advance > truncationWidth) {
      const std::string mark = truncation == kDRAWBOT_TextTruncation_End ? "" : "\u2026";
      while (!utf8.empty()) {
        // One code point off the end: its continuation bytes, then its lead.
        while (!utf8.empty() && (static_cast<unsigned char>(utf8.back()) & 0xC0) == 0x80) utf8.pop_back();
        if (!utf8.empty()) utf8.pop_back();
        cairo_text_extents(cr, (utf8 + mark).c_str(), &ext);
        if (ext.x_advance <= truncationWidth) break;
      }
      utf8 += mark;
      cairo_text_extents(cr, utf8.c_str(), &ext);
    }
    double x = origin->x;
    if (alignment == kDRAWBOT_TextAlignment_Center) x -= ext.x_advance * 0.5;
    else if (alignment == kDRAWBOT_TextAlignment_Right) x -= ext.x_advance;
    cairo_new_path(cr);
    cairo_move_to(cr, x, origin->y); // the origin's y is the baseline
    setSource(cr, brush->color);
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
    return PF_Err_NONE;
  });
}


SPErr setInterpolation(DRAWBOT_SurfaceRef ref, DRAWBOT_InterpolationPolicy) {
  return onSurface("SetInterpolationPolicy", ref, [](DrawbotSurface &, cairo_t *) -> SPErr { return PF_Err_NONE; });
}

SPErr getInterpolation(DRAWBOT_SurfaceRef ref, DRAWBOT_InterpolationPolicy *out) {
  return onSurface("GetInterpolationPolicy", ref, [&](DrawbotSurface &, cairo_t *) -> SPErr {
    if (!out) return kBadRef;
    *out = kDRAWBOT_InterpolationPolicy_Default;
    return PF_Err_NONE;
  });
}

SPErr setAntiAlias(DRAWBOT_SurfaceRef ref, DRAWBOT_AntiAliasPolicy policy) {
  return onSurface("SetAntiAliasPolicy", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    cairo_set_antialias(cr, policy == kDRAWBOT_AntiAliasPolicy_None   ? CAIRO_ANTIALIAS_NONE
                            : policy == kDRAWBOT_AntiAliasPolicy_High ? CAIRO_ANTIALIAS_BEST
                                                                      : CAIRO_ANTIALIAS_DEFAULT);
    return PF_Err_NONE;
  });
}

SPErr getAntiAlias(DRAWBOT_SurfaceRef ref, DRAWBOT_AntiAliasPolicy *out) {
  return onSurface("GetAntiAliasPolicy", ref, [&](DrawbotSurface &, cairo_t *cr) -> SPErr {
    if (!out) return kBadRef;
    const cairo_antialias_t a = cairo_get_antialias(cr);
    *out = a == CAIRO_ANTIALIAS_NONE   ? kDRAWBOT_AntiAliasPolicy_None
           : a == CAIRO_ANTIALIAS_BEST ? kDRAWBOT_AntiAliasPolicy_High
                                       : kDRAWBOT_AntiAliasPolicy_Med;
    return PF_Err_NONE;
  });
}

SPErr flush(DRAWBOT_SurfaceRef ref) {
  return onSurface("Flush", ref, [](DrawbotSurface &, cairo_t *cr) -> SPErr {
    cairo_surface_flush(cairo_get_target(cr));
    return PF_Err_NONE;
  });
}

// ---- Path suite

SPErr addStep(const char *name, DRAWBOT_PathRef ref, DrawbotPath::Step step, int values) {
  return hostCall(name, [&](Host &) -> SPErr {
    auto *path = DrawbotObject::find<DrawbotPath>(ref);
    if (!path) return kBadRef;
    for (int i = 0; i < values; ++i)
      if (!std::isfinite(step.v[i])) return kBadRef;
    path->steps.push_back(step);
    return PF_Err_NONE;
  });
}

SPErr moveTo(DRAWBOT_PathRef ref, float x, float y) {
  return addStep("MoveTo", ref, {DrawbotPath::Op::Move, {x, y}}, 2);
}
SPErr lineTo(DRAWBOT_PathRef ref, float x, float y) {
  return addStep("LineTo", ref, {DrawbotPath::Op::Line, {x, y}}, 2);
}
SPErr bezierTo(DRAWBOT_PathRef ref, const DRAWBOT_PointF32 *a, const DRAWBOT_PointF32 *b, const DRAWBOT_PointF32 *c) {
  if (!a || !b || !c) return kBadRef;
  return addStep("BezierTo", ref, {DrawbotPath::Op::Curve, {a->x, a->y, b->x, b->y, c->x, c->y}}, 6);
}
SPErr addRect(DRAWBOT_PathRef ref, const DRAWBOT_RectF32 *r) {
  if (!r) return kBadRef;
  return addStep("AddRect", ref, {DrawbotPath::Op::Rect, {r->left, r->top, r->width, r->height}}, 4);
}
SPErr addArc(DRAWBOT_PathRef ref, const DRAWBOT_PointF32 *centre, float radius, float start, float sweep) {
  if (!centre || radius < 0) return kBadRef;
  return addStep("AddArc", ref, {DrawbotPath::Op::Arc, {centre->x, centre->y, radius, start, sweep}}, 5);
}
SPErr closePath(DRAWBOT_PathRef ref) { return addStep("Close", ref, {DrawbotPath::Op::Close, {}}, 0); }

const DRAWBOT_DrawbotSuite1 kDrawSuite{
    .GetSupplier = getSupplier,
    .GetSurface = getSurface,
};
const DRAWBOT_SupplierSuite1 kSupplierSuite{
    .NewPen = newPen,
    .NewBrush = newBrush,
    .SupportsText = supportsText,
    .GetDefaultFontSize = getDefaultFontSize,
    .NewDefaultFont = newDefaultFont,
    .NewImageFromBuffer = newImageFromBuffer,
    .NewPath = newPath,
    .SupportsPixelLayoutBGRA = supportsBGRA,
    .PrefersPixelLayoutBGRA = prefersBGRA,
    .SupportsPixelLayoutARGB = supportsARGB,
    .PrefersPixelLayoutARGB = prefersARGB,
    .RetainObject = retainObject,
    .ReleaseObject = releaseObject,
};
const DRAWBOT_SurfaceSuite2 kSurfaceSuite{
    .PushStateStack = pushState,
    .PopStateStack = popState,
    .PaintRect = paintRect,
    .FillPath = fillPath,
    .StrokePath = strokePath,
    .Clip = clip,
    .GetClipBounds = getClipBounds,
    .IsWithinClipBounds = isWithinClipBounds,
    .Transform = transform,
    .DrawString = drawString,
    VLAM_UNOFFERED(DrawImage),
    .SetInterpolationPolicy = setInterpolation,
    .GetInterpolationPolicy = getInterpolation,
    .SetAntiAliasPolicy = setAntiAlias,
    .GetAntiAliasPolicy = getAntiAlias,
    .Flush = flush,
    VLAM_UNOFFERED(GetTransformToScreenScale),
};
const DRAWBOT_PathSuite1 kPathSuite{
    .MoveTo = moveTo,
    .LineTo = lineTo,
    .BezierTo = bezierTo,
    .AddRect = addRect,
    .AddArc = addArc,
    .Close = closePath,
};

} // namespace

void publishDrawbotSuites(SuiteRegistry &registry) {
  publishTable(registry, kDrawSuite);
  publishTable(registry, kSupplierSuite);
  publishTable(registry, kSurfaceSuite);
  publishTable(registry, kPathSuite);
}

} // namespace vlam::host
