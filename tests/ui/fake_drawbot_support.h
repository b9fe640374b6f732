// A fake of the host's four DRAWBOT suites for custom-UI tests in every
// test folder (header only, so each test program can take it). It records
// every object the module makes and every path, fill, stroke, rectangle and
// text it draws, with the path's geometry at the time of drawing. Any
// function can be made to fail by name.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DrawbotSuite.h"

namespace vlam_test {

class FakeDrawbot {
 public:
  struct PathOp {
    std::string op;  // "MoveTo", "LineTo", "AddRect", "AddArc", "Close", "BezierTo"
    float a = 0, b = 0, c = 0, d = 0;  // x, y (or rect, or centre, radius, start)
  };
  struct Object {
    std::string kind;  // "pen", "brush", "font", "path"
    DRAWBOT_ColorRGBA color{};
    float size = 0;
    std::vector<PathOp> ops;
    bool released = false;
  };
  struct Draw {
    std::string op;  // "FillPath", "StrokePath", "PaintRect", "DrawString"
    DRAWBOT_ColorRGBA color{};  // brush, pen or rectangle colour
    float pen_size = 0;
    std::vector<PathOp> path;   // FillPath and StrokePath
    DRAWBOT_FillType fill = 0;
    DRAWBOT_RectF32 rect{};     // PaintRect
    std::string text;           // DrawString (ASCII of the UTF-16 text)
    DRAWBOT_PointF32 origin{};
    float font_size = 0;
    DRAWBOT_TextAlignment alignment = 0;
    DRAWBOT_TextTruncation truncation = 0;
    float truncation_width = 0;
  };

  FakeDrawbot() {
    Current() = this;
    draw.GetSupplier = [](DRAWBOT_DrawRef, DRAWBOT_SupplierRef *out) {
      *out = Ref(kSupplierId);
      return Me().Result("GetSupplier");
    };
    draw.GetSurface = [](DRAWBOT_DrawRef, DRAWBOT_SurfaceRef *out) {
      *out = Ref(kSurfaceId);
      return Me().Result("GetSurface");
    };
    supplier.NewPen = [](DRAWBOT_SupplierRef s, const DRAWBOT_ColorRGBA *color, float size,
                         DRAWBOT_PenRef *out) {
      return Me().Make("NewPen", s, Object{"pen", *color, size, {}, false}, out);
    };
    supplier.NewBrush = [](DRAWBOT_SupplierRef s, const DRAWBOT_ColorRGBA *color,
                           DRAWBOT_BrushRef *out) {
      return Me().Make("NewBrush", s, Object{"brush", *color, 0, {}, false}, out);
    };
    supplier.NewDefaultFont = [](DRAWBOT_SupplierRef s, float size, DRAWBOT_FontRef *out) {
      return Me().Make("NewDefaultFont", s, Object{"font", {}, size, {}, false}, out);
    };
    supplier.NewPath = [](DRAWBOT_SupplierRef s, DRAWBOT_PathRef *out) {
      return Me().Make("NewPath", s, Object{"path", {}, 0, {}, false}, out);
    };
    supplier.ReleaseObject = [](DRAWBOT_ObjectRef ref) {
      FakeDrawbot &me = Me();
      const SPErr err = me.Result("ReleaseObject");
      auto it = me.objects.find(Id(ref));
      if (it == me.objects.end() || it->second.released) {
        ++me.bad_releases;
        return err;
      }
      it->second.released = true;
      return err;
    };
    surface.FillPath = [](DRAWBOT_SurfaceRef, DRAWBOT_BrushRef brush, DRAWBOT_PathRef path,
                          DRAWBOT_FillType fill) {
      FakeDrawbot &me = Me();
      Draw d;
      d.op = "FillPath";
      d.color = me.Obj(brush).color;
      d.path = me.Obj(path).ops;
      d.fill = fill;
      return me.Record("FillPath", d);
    };
    surface.StrokePath = [](DRAWBOT_SurfaceRef, DRAWBOT_PenRef pen, DRAWBOT_PathRef path) {
      FakeDrawbot &me = Me();
      Draw d;
      d.op = "StrokePath";
      d.color = me.Obj(pen).color;
      d.pen_size = me.Obj(pen).size;
      d.path = me.Obj(path).ops;
      return me.Record("StrokePath", d);
    };
    surface.PaintRect = [](DRAWBOT_SurfaceRef, const DRAWBOT_ColorRGBA *color,
                           const DRAWBOT_RectF32 *rect) {
      Draw d;
      d.op = "PaintRect";
      d.color = *color;
      d.rect = *rect;
      return Me().Record("PaintRect", d);
    };
    surface.DrawString = [](DRAWBOT_SurfaceRef, DRAWBOT_BrushRef brush, DRAWBOT_FontRef font,
                            const DRAWBOT_UTF16Char *text, const DRAWBOT_PointF32 *origin,
                            DRAWBOT_TextAlignment alignment, DRAWBOT_TextTruncation truncation,
                            float width) {
      FakeDrawbot &me = Me();
      Draw d;
      d.op = "DrawString";
      d.color = me.Obj(brush).color;
      d.font_size = me.Obj(font).size;
      for (const DRAWBOT_UTF16Char *c = text; *c != 0; ++c) d.text += static_cast<char>(*c);
      d.origin = *origin;
      d.alignment = alignment;
      d.truncation = truncation;
      d.truncation_width = width;
      return me.Record("DrawString", d);
    };
    path.MoveTo = [](DRAWBOT_PathRef p, float x, float y) {
      return Me().AddOp("MoveTo", p, PathOp{"MoveTo", x, y});
    };
    path.LineTo = [](DRAWBOT_PathRef p, float x, float y) {
      return Me().AddOp("LineTo", p, PathOp{"LineTo", x, y});
    };
    path.AddRect = [](DRAWBOT_PathRef p, const DRAWBOT_RectF32 *r) {
      return Me().AddOp("AddRect", p, PathOp{"AddRect", r->left, r->top, r->width, r->height});
    };
    path.AddArc = [](DRAWBOT_PathRef p, const DRAWBOT_PointF32 *centre, float radius,
                     float start, float sweep) {
      static_cast<void>(sweep);
      return Me().AddOp("AddArc", p, PathOp{"AddArc", centre->x, centre->y, radius, start});
    };
    path.Close = [](DRAWBOT_PathRef p) { return Me().AddOp("Close", p, PathOp{"Close", 0, 0, 0, 0}); };
  }
  ~FakeDrawbot() { Current() = nullptr; }
  FakeDrawbot(const FakeDrawbot &) = delete;
  FakeDrawbot &operator=(const FakeDrawbot &) = delete;

  // Hands the four tables to a suite broker.
  void PublishTo(const std::function<void(const char *, A_long, const void *)> &publish) const {
    publish(kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1, &draw);
    publish(kDRAWBOT_SupplierSuite, kDRAWBOT_SupplierSuite_Version1, &supplier);
    publish(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2, &surface);
    publish(kDRAWBOT_PathSuite, kDRAWBOT_PathSuite_Version1, &path);
  }

  // Objects made and not released.
  int Live() const {
    int live = 0;
    for (const auto &[id, object] : objects) live += object.released ? 0 : 1;
    return live;
  }
  int Made(const std::string &kind) const {
    int made = 0;
    for (const auto &[id, object] : objects) made += object.kind == kind ? 1 : 0;
    return made;
  }
  std::vector<Draw> DrawsOf(const std::string &op) const {
    std::vector<Draw> found;
    for (const Draw &d : draws) {
      if (d.op == op) found.push_back(d);
    }
    return found;
  }

  static DRAWBOT_DrawRef DrawRef() { return reinterpret_cast<DRAWBOT_DrawRef>(kDrawRefId); }

  DRAWBOT_DrawbotSuite1 draw{};
  DRAWBOT_SupplierSuite1 supplier{};
  DRAWBOT_SurfaceSuite2 surface{};
  DRAWBOT_PathSuite1 path{};

  std::map<std::intptr_t, Object> objects;
  std::vector<Draw> draws;
  std::vector<std::string> calls;  // every function called, in order
  std::map<std::string, SPErr> failing;  // function name -> error it returns
  bool scribble_on_failure = false;     // failing New* calls still write a reference
  int bad_releases = 0;                 // releases of unknown or released objects
  int foreign_supplier = 0;             // objects asked of another supplier
  int unknown_objects = 0;              // drawing with objects never made

 private:
  static constexpr std::intptr_t kDrawRefId = 0x100;
  static constexpr std::intptr_t kSupplierId = 0x200;
  static constexpr std::intptr_t kSurfaceId = 0x300;
  static constexpr std::intptr_t kFirstObjectId = 0x1000;
  Object unknown_;

  static FakeDrawbot *&Current() {
    static FakeDrawbot *current = nullptr;
    return current;
  }
  static FakeDrawbot &Me() { return *Current(); }
  static DRAWBOT_ObjectRef Ref(std::intptr_t id) { return reinterpret_cast<DRAWBOT_ObjectRef>(id); }
  static std::intptr_t Id(DRAWBOT_ObjectRef ref) { return reinterpret_cast<std::intptr_t>(ref); }

  SPErr Result(const std::string &function) {
    calls.push_back(function);
    const auto it = failing.find(function);
    return it == failing.end() ? kSPNoError : it->second;
  }
  Object &Obj(DRAWBOT_ObjectRef ref) {
    const auto it = objects.find(Id(ref));
    if (it != objects.end()) return it->second;
    ++unknown_objects;
    unknown_ = Object{"unknown", {}, 0, {}, true};
    return unknown_;
  }
  SPErr Make(const std::string &function, DRAWBOT_SupplierRef s, Object object,
             DRAWBOT_ObjectRef *out) {
    const SPErr err = Result(function);
    if (Id(s) != kSupplierId) ++foreign_supplier;
    if (err != kSPNoError) {
      *out = scribble_on_failure ? Ref(0xDEAD) : nullptr;
      return err;
    }
    const std::intptr_t id = kFirstObjectId + static_cast<std::intptr_t>(objects.size());
    objects[id] = std::move(object);
    *out = Ref(id);
    return kSPNoError;
  }
  SPErr AddOp(const std::string &function, DRAWBOT_PathRef p, const PathOp &op) {
    const SPErr err = Result(function);
    if (err == kSPNoError) Obj(p).ops.push_back(op);
    return err;
  }
  SPErr Record(const std::string &function, const Draw &d) {
    const SPErr err = Result(function);
    if (err == kSPNoError) draws.push_back(d);
    return err;
  }
};

}  // namespace vlam_test
