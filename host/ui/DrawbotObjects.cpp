#include "host/ui/DrawbotObjects.h"

#include <cmath>
#include <mutex>
#include <set>

namespace vlam::host {
namespace {

struct Registry {
  std::mutex mutex;
  std::set<const void *> objects;
  std::set<const void *> targets;
};

Registry &registry() {
  static Registry r;
  return r;
}

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

} // namespace

DrawbotObject::DrawbotObject(Kind kind) : kind_(kind) {
  std::lock_guard lock(registry().mutex);
  registry().objects.insert(this);
}

DrawbotObject::~DrawbotObject() {
  std::lock_guard lock(registry().mutex);
  registry().objects.erase(this);
}

void DrawbotObject::release(DrawbotObject *object) {
  if (object && --object->count_ == 0) delete object;
}

DrawbotObject *DrawbotObject::find(DRAWBOT_ObjectRef ref, Kind kind) {
  std::lock_guard lock(registry().mutex);
  if (!registry().objects.count(ref)) return nullptr;
  auto *object = reinterpret_cast<DrawbotObject *>(ref);
  return object->kind_ == kind ? object : nullptr;
}

std::size_t DrawbotObject::liveCount() {
  std::lock_guard lock(registry().mutex);
  return registry().objects.size();
}

void DrawbotPath::replay(cairo_t *cr) const {
  cairo_new_path(cr);
  for (const Step &s : steps) {
    switch (s.op) {
    case Op::Move: cairo_move_to(cr, s.v[0], s.v[1]); break;
    case Op::Line:
      if (cairo_has_current_point(cr)) cairo_line_to(cr, s.v[0], s.v[1]);
      else cairo_move_to(cr, s.v[0], s.v[1]);
      break;
    case Op::Curve:
      if (!cairo_has_current_point(cr)) cairo_move_to(cr, s.v[0], s.v[1]);
      cairo_curve_to(cr, s.v[0], s.v[1], s.v[2], s.v[3], s.v[4], s.v[5]);
      break;
    case Op::Rect: cairo_rectangle(cr, s.v[0], s.v[1], s.v[2], s.v[3]); break;
    case Op::Arc: {
      // Angles in degrees, clockwise on screen (y grows downwards), as
      // cairo measures them; a negative sweep runs the other way.
      const double start = s.v[3] * kDegrees;
      const double end = (s.v[3] + s.v[4]) * kDegrees;
      if (s.v[4] >= 0) cairo_arc(cr, s.v[0], s.v[1], s.v[2], start, end);
      else cairo_arc_negative(cr, s.v[0], s.v[1], s.v[2], start, end);
      break;
    }
    case Op::Close: cairo_close_path(cr); break;
    }
  }
}

DrawingTarget::DrawingTarget(cairo_t *cr) : cr_(cr) {
  supplier_ = new DrawbotSupplier(*this);
  surface_ = new DrawbotSurface(*this);
  std::lock_guard lock(registry().mutex);
  registry().targets.insert(this);
}

DrawingTarget::~DrawingTarget() {
  {
    std::lock_guard lock(registry().mutex);
    registry().targets.erase(this);
  }
  // The supplier and surface belong to the target: they end with it whatever
  // retains an effect forgot to balance. A state pushed and never popped is
  // popped here so that the next drawing starts clean.
  auto *surface = static_cast<DrawbotSurface *>(surface_);
  for (; surface->depth > 0; --surface->depth) cairo_restore(cr_);
  delete supplier_;
  delete surface_;
}

DrawingTarget *DrawingTarget::find(DRAWBOT_DrawRef ref) {
  std::lock_guard lock(registry().mutex);
  return registry().targets.count(ref) ? reinterpret_cast<DrawingTarget *>(ref) : nullptr;
}

} // namespace vlam::host
