#pragma once
#include <adobesdk/DrawbotSuite.h>

#include <cairo.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace vlam::host {

// The objects behind the DRAWBOT references the host hands to effects. Every
// object is reference counted (NewX and RetainObject add one, ReleaseObject
// takes one away) and registered while alive, so a reference that is stale
// or made up is refused instead of followed.
class DrawbotObject {
public:
  enum class Kind { Supplier, Surface, Pen, Brush, Font, Path };
  explicit DrawbotObject(Kind kind);
  virtual ~DrawbotObject();
  DrawbotObject(const DrawbotObject &) = delete;
  DrawbotObject &operator=(const DrawbotObject &) = delete;

  Kind kind() const { return kind_; }
  // The reference handed to plug-ins: every kind of drawing reference (pen,
  // path, supplier, ...) is the object's address.
  template <class Ref = DRAWBOT_ObjectRef> Ref ref() { return reinterpret_cast<Ref>(this); }

  void retain() { ++count_; }
  // Drops one reference; the object dies with its last one.
  static void release(DrawbotObject *object);

  // The live object behind a reference, of the kind asked for; nullptr for
  // anything else.
  static DrawbotObject *find(DRAWBOT_ObjectRef ref, Kind kind);
  template <class T, class Ref> static T *find(Ref ref) {
    return static_cast<T *>(find(reinterpret_cast<DRAWBOT_ObjectRef>(ref), T::kKind));
  }
  // Objects alive now (pens, brushes, fonts and paths an effect forgot to
  // release show up here).
  static std::size_t liveCount();

private:
  Kind kind_;
  std::atomic<int> count_{1};
};

struct DrawbotPen : DrawbotObject {
  static constexpr Kind kKind = Kind::Pen;
  DrawbotPen(DRAWBOT_ColorRGBA c, float s) : DrawbotObject(kKind), color(c), size(s) {}
  DRAWBOT_ColorRGBA color;
  float size;
};

struct DrawbotBrush : DrawbotObject {
  static constexpr Kind kKind = Kind::Brush;
  explicit DrawbotBrush(DRAWBOT_ColorRGBA c) : DrawbotObject(kKind), color(c) {}
  DRAWBOT_ColorRGBA color;
};

struct DrawbotFont : DrawbotObject {
  static constexpr Kind kKind = Kind::Font;
  explicit DrawbotFont(float s) : DrawbotObject(kKind), size(s) {}
  float size;
};

// A path as the list of figure operations it was built from; replayed into
// cairo when it is filled or stroked.
struct DrawbotPath : DrawbotObject {
  static constexpr Kind kKind = Kind::Path;
  DrawbotPath() : DrawbotObject(kKind) {}
  enum class Op { Move, Line, Curve, Rect, Arc, Close };
  struct Step {
    Op op;
    float v[6];
  };
  std::vector<Step> steps;
  void replay(cairo_t *cr) const;
};

// What the host draws into for one event: a cairo context on an image, the
// supplier and the surface that come with it. The draw reference handed to
// effects is the address of this object.
class DrawingTarget {
public:
  explicit DrawingTarget(cairo_t *cr);
  ~DrawingTarget();
  DrawingTarget(const DrawingTarget &) = delete;
  DrawingTarget &operator=(const DrawingTarget &) = delete;

  DRAWBOT_DrawRef drawRef() { return reinterpret_cast<DRAWBOT_DrawRef>(this); }
  static DrawingTarget *find(DRAWBOT_DrawRef ref);
  cairo_t *cairo() const { return cr_; }
  DrawbotObject *supplier() const { return supplier_; }
  DrawbotObject *surface() const { return surface_; }

private:
  cairo_t *cr_;
  DrawbotObject *supplier_;
  DrawbotObject *surface_;
};

// The supplier and surface objects know their target.
struct DrawbotSupplier : DrawbotObject {
  static constexpr Kind kKind = Kind::Supplier;
  explicit DrawbotSupplier(DrawingTarget &t) : DrawbotObject(kKind), target(&t) {}
  DrawingTarget *target;
};

struct DrawbotSurface : DrawbotObject {
  static constexpr Kind kKind = Kind::Surface;
  explicit DrawbotSurface(DrawingTarget &t) : DrawbotObject(kKind), target(&t) {}
  DrawingTarget *target;
  int depth = 0; // PushStateStack without its PopStateStack
};

// The host's interface font, for its own labels and the effects' text.
inline constexpr const char *kInterfaceFontFace = "DejaVu Sans";
inline constexpr float kInterfaceFontSize = 11.0f;

} // namespace vlam::host
