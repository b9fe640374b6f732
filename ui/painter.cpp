#include "ui/painter.h"

#include "AE_Effect.h"

#include "ui/utf16_text.h"

namespace vlam {

void Painter::MoveTo(const DRAWBOT_PathP &path, float x, float y) {
  Keep([&] { return suites_.path_suiteP->MoveTo(path.get(), x, y); });
}

void Painter::LineTo(const DRAWBOT_PathP &path, float x, float y) {
  Keep([&] { return suites_.path_suiteP->LineTo(path.get(), x, y); });
}

void Painter::AddRect(const DRAWBOT_PathP &path, const DRAWBOT_RectF32 &rect) {
  Keep([&] { return suites_.path_suiteP->AddRect(path.get(), &rect); });
}

void Painter::AddCircle(const DRAWBOT_PathP &path, float cx, float cy, float radius) {
  const DRAWBOT_PointF32 centre{cx, cy};
  Keep([&] { return suites_.path_suiteP->AddArc(path.get(), &centre, radius, 0.0f, 360.0f); });
}

void Painter::Close(const DRAWBOT_PathP &path) {
  Keep([&] { return suites_.path_suiteP->Close(path.get()); });
}

void Painter::Fill(const DRAWBOT_BrushP &brush, const DRAWBOT_PathP &path) {
  Keep([&] {
    return suites_.surface_suiteP->FillPath(target_.surface, brush.get(), path.get(),
                                            kDRAWBOT_FillType_Winding);
  });
}

void Painter::Stroke(const DRAWBOT_PenP &pen, const DRAWBOT_PathP &path) {
  Keep([&] { return suites_.surface_suiteP->StrokePath(target_.surface, pen.get(), path.get()); });
}

void Painter::PaintRect(const DRAWBOT_ColorRGBA &color, const DRAWBOT_RectF32 &rect) {
  Keep([&] { return suites_.surface_suiteP->PaintRect(target_.surface, &color, &rect); });
}

PF_Err Painter::DrawString(const DRAWBOT_BrushP &brush, const DRAWBOT_FontP &font,
                           const char *text, DRAWBOT_PointF32 origin,
                           DRAWBOT_TextAlignment alignment, float truncation_width) {
  if (err_ != PF_Err_NONE) {
    return err_;
  }
  const auto utf16 = Utf16Text(text);
  return suites_.surface_suiteP->DrawString(target_.surface, brush.get(), font.get(), utf16.data(),
                                            &origin, alignment, kDRAWBOT_TextTruncation_None,
                                            truncation_width);
}

}  // namespace vlam
