// A fake of the host's four DRAWBOT suites for custom-UI tests in every
// test folder (header only, so each test program can take it). It records
// the objects the module makes and what it draws, with each path's geometry
// at the time of drawing. Any function can be made to fail by name.
#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "adobesdk/DrawbotSuite.h"

namespace vlam_test {

class FakeDrawbot {
 public:
  struct PathOp {
    std::string op;            // "MoveTo", "LineTo", "AddRect", "AddArc", "Close"
    float a = 0, b = 0, c = 0, d = 0;  // x, y (a rectangle: left, top, width, height)
  };
  struct Object {
    DRAWBOT_ColorRGBA color{};
    float size = 0;
    std::vector<PathOp> ops;
    bool released = false;
  };
  struct Draw {
    std::string op{};  // "FillPath", "StrokePath", "PaintRect", "DrawString"
    DRAWBOT_ColorRGBA color{};  // of the brush, pen or rectangle
    float size = 0;             // of the pen or font
    std::vector<PathOp> path{};
    DRAWBOT_RectF32 rect{};
    std::string text{};  // ASCII of the UTF-16 text
    DRAWBOT_PointF32 origin{};
    DRAWBOT_TextAlignment alignment = 0;
  };

  FakeDrawbot() : previous_(Current()) {
    Current() = this;
    draw.GetSupplier = [](DRAWBOT_DrawRef, DRAWBOT_SupplierRef *out) {
      *out = reinterpret_cast<DRAWBOT_SupplierRef>(0x200);
      return Me().Result("GetSupplier");
    };
    draw.GetSurface = [](DRAWBOT_DrawRef, DRAWBOT_SurfaceRef *out) {
      *out = reinterpret_cast<DRAWBOT_SurfaceRef>(0x300);
      return Me().Result("GetSurface");
    };
    supplier.NewPen = [](DRAWBOT_SupplierRef, const DRAWBOT_ColorRGBA *color, float size,
                         DRAWBOT_PenRef *out) { return Me().Make("NewPen", *color, size, out); };
    supplier.NewBrush = [](DRAWBOT_SupplierRef, const DRAWBOT_ColorRGBA *color,
                           DRAWBOT_BrushRef *out) { return Me().Make("NewBrush", *color, 0, out); };
    supplier.NewDefaultFont = [](DRAWBOT_SupplierRef, float size, DRAWBOT_FontRef *out) {
      return Me().Make("NewDefaultFont", {}, size, out);
    };
    supplier.NewPath = [](DRAWBOT_SupplierRef, DRAWBOT_PathRef *out) {
      return Me().Make("NewPath", {}, 0, out);
    };
    supplier.ReleaseObject = [](DRAWBOT_ObjectRef ref) {
      Object *object = Me().Find(ref);
      if (object == nullptr || object->released) ++Me().bad_releases;
      else object->released = true;
      return Me().Result("ReleaseObject");
    };
    surface.FillPath = [](DRAWBOT_SurfaceRef, DRAWBOT_BrushRef brush, DRAWBOT_PathRef path,
                          DRAWBOT_FillType) { return Me().Record("FillPath", brush, path, {}); };
    surface.StrokePath = [](DRAWBOT_SurfaceRef, DRAWBOT_PenRef pen, DRAWBOT_PathRef path) {
      return Me().Record("StrokePath", pen, path, {});
    };
    surface.PaintRect = [](DRAWBOT_SurfaceRef, const DRAWBOT_ColorRGBA *color,
                           const DRAWBOT_RectF32 *rect) {
      return Me().Record("PaintRect", nullptr, nullptr, Draw{.color = *color, .rect = *rect});
    };
    surface.DrawString = [](DRAWBOT_SurfaceRef, DRAWBOT_BrushRef brush, DRAWBOT_FontRef font,
                            const DRAWBOT_UTF16Char *text, const DRAWBOT_PointF32 *origin,
                            DRAWBOT_TextAlignment alignment, DRAWBOT_TextTruncation, float) {
      Draw d{.origin = *origin, .alignment = alignment};
      for (const DRAWBOT_UTF16Char *c = text; *c != 0; ++c) d.text += static_cast<char>(*c);
      if (const Object *f = Me().Find(font)) d.size = f->size;
      return Me().Record("DrawString", brush, nullptr, d);
    };
    path.MoveTo = [](DRAWBOT_PathRef p, float x, float y) { return Me().Add(p, {"MoveTo", x, y}); };
    path.LineTo = [](DRAWBOT_PathRef p, float x, float y) { return Me().Add(p, {"LineTo", x, y}); };
    path.AddRect = [](DRAWBOT_PathRef p, const DRAWBOT_RectF32 *r) {
      return Me().Add(p, {"AddRect", r->left, r->top, r->width, r->height});
    };
    path.AddArc = [](DRAWBOT_PathRef p, const DRAWBOT_PointF32 *c, float radius, float, float) {
      return Me().Add(p, {"AddArc", c->x, c->y, radius, 0});
    };
    path.Close = [](DRAWBOT_PathRef p) { return Me().Add(p, {"Close", 0, 0, 0, 0}); };
  }
  ~FakeDrawbot() { Current() = previous_; }
  FakeDrawbot(const FakeDrawbot &) = delete;
  FakeDrawbot &operator=(const FakeDrawbot &) = delete;

  int Live() const {  // objects made and not released
    return static_cast<int>(std::count_if(objects.begin(), objects.end(),
                                          [](const auto &o) { return !o.second.released; }));
  }
  std::vector<Draw> DrawsOf(const std::string &op) const {
    std::vector<Draw> found;
    for (const Draw &d : draws) {
      if (d.op == op) found.push_back(d);
    }
    return found;
  }

  DRAWBOT_DrawbotSuite1 draw{};
  DRAWBOT_SupplierSuite1 supplier{};
  DRAWBOT_SurfaceSuite2 surface{};
  DRAWBOT_PathSuite1 path{};

  std::map<std::intptr_t, Object> objects;
  std::vector<Draw> draws;
  std::vector<std::string> calls;        // every function called, in order
  std::map<std::string, SPErr> failing;  // function name -> the error it returns
  bool scribble_on_failure = false;      // failing New* calls still write a reference
  int bad_releases = 0;                  // releases of unknown or released objects

 private:
  FakeDrawbot *previous_;  // current again when this one goes
  static FakeDrawbot *&Current() {
    static FakeDrawbot *current = nullptr;
    return current;
  }
  static FakeDrawbot &Me() { return *Current(); }

  SPErr Result(const std::string &function) {
    calls.push_back(function);
    const auto it = failing.find(function);
    return it == failing.end() ? kSPNoError : it->second;
  }
  // Every kind of drawing reference is an object id.
  template <typename Ref>
  Object *Find(Ref ref) {
    const auto it = objects.find(reinterpret_cast<std::intptr_t>(ref));
    return it == objects.end() ? nullptr : &it->second;
  }
  template <typename Ref>
  SPErr Make(const std::string &function, const DRAWBOT_ColorRGBA &color, float size, Ref *out) {
    const SPErr err = Result(function);
    if (err != kSPNoError) {
      *out = scribble_on_failure ? reinterpret_cast<Ref>(0xDEAD) : nullptr;
      return err;
    }
    const std::intptr_t id = 0x1000 + static_cast<std::intptr_t>(objects.size());
    objects[id].color = color;
    objects[id].size = size;
    *out = reinterpret_cast<Ref>(id);
    return kSPNoError;
  }
  SPErr Add(DRAWBOT_PathRef p, const PathOp &op) {
    const SPErr err = Result(op.op);
    if (Object *path = Find(p); err == kSPNoError && path != nullptr) path->ops.push_back(op);
    return err;
  }
  template <typename ToolRef>
  SPErr Record(const std::string &function, ToolRef tool, DRAWBOT_PathRef p, Draw d) {
    const SPErr err = Result(function);
    d.op = function;
    if (const Object *t = Find(tool)) {
      d.color = t->color;
      if (function == "StrokePath") d.size = t->size;
    }
    if (const Object *shape = Find(p)) d.path = shape->ops;
    if (err == kSPNoError) draws.push_back(d);
    return err;
  }
};

}  // namespace vlam_test
