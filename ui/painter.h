// Drawing into one event's surface. Path and surface calls keep the first
// error they meet and are skipped from then on, so a handler draws
// straight through and returns error() at the end. Objects come back as
// owned holders; a failing creation throws DRAWBOT_Exception.
#pragma once
#include "ui/drawbot_objects.h"
#include "ui/drawbot_suites.h"
#include "ui/drawing_target.h"

namespace vlam {

class Painter {
 public:
  // Starts with the target's error: without a surface nothing is drawn.
  Painter(const DrawbotSuites &suites, const DrawingTarget &target)
      : suites_(suites), target_(target), err_(target.err) {}
  Painter(const Painter &) = delete;
  Painter &operator=(const Painter &) = delete;

  PF_Err error() const { return err_; }
  bool ok() const { return err_ == PF_Err_NONE; }
  // Takes the result of a call made outside the painter that the drawing
  // depends on (a coordinate conversion, say): the first error still wins.
  void KeepError(PF_Err err) {
    if (err_ == PF_Err_NONE) {
      err_ = err;
    }
  }

  DRAWBOT_PenP Pen(const DRAWBOT_ColorRGBA &color, float size) const {
    return DRAWBOT_PenP(suites_.supplier_suiteP, target_.supplier, color, size);
  }
  DRAWBOT_BrushP Brush(const DRAWBOT_ColorRGBA &color) const {
    return DRAWBOT_BrushP(suites_.supplier_suiteP, target_.supplier, color);
  }
  DRAWBOT_FontP Font(float size) const {
    return DRAWBOT_FontP(suites_.supplier_suiteP, target_.supplier, size);
  }
  DRAWBOT_PathP Path() const { return DRAWBOT_PathP(suites_.supplier_suiteP, target_.supplier); }

  void MoveTo(const DRAWBOT_PathP &path, float x, float y);
  void LineTo(const DRAWBOT_PathP &path, float x, float y);
  void AddRect(const DRAWBOT_PathP &path, const DRAWBOT_RectF32 &rect);
  void AddCircle(const DRAWBOT_PathP &path, float cx, float cy, float radius);
  void Close(const DRAWBOT_PathP &path);

  void Fill(const DRAWBOT_BrushP &brush, const DRAWBOT_PathP &path);
  void Stroke(const DRAWBOT_PenP &pen, const DRAWBOT_PathP &path);
  void PaintRect(const DRAWBOT_ColorRGBA &color, const DRAWBOT_RectF32 &rect);
  // Text is not part of error(): a label that cannot be drawn leaves the
  // control usable. Skipped after an error all the same; returns the call's
  // own result.
  PF_Err DrawString(const DRAWBOT_BrushP &brush, const DRAWBOT_FontP &font, const char *text,
                    DRAWBOT_PointF32 origin, DRAWBOT_TextAlignment alignment,
                    float truncation_width);

 private:
  template <typename Call>
  void Keep(Call &&call) {
    if (err_ == PF_Err_NONE) {
      err_ = call();
    }
  }


  const DrawbotSuites &suites_;
  const DrawingTarget &target_;
  PF_Err err_;
};

}  // namespace vlam
