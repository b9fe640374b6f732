// The host's DRAWBOT suites draw real, antialiased pixels with cairo and
// refuse references that are not live.
#include "host/ui/CairoImage.h"
#include "host/ui/DrawbotObjects.h"
#include "host/ui/InterfacePalette.h"
#include "host/ui/UiContext.h"
#include "host_support.h"

#include <AE_EffectSuites.h>
#include <adobesdk/DrawbotSuite.h>

#include <cmath>

using namespace vlam;

namespace {

class DrawbotSuites : public test::HostTest {
protected:
  host::CairoSurface surface = host::newCairoSurface(40, 30);
  host::Cairo cr{cairo_create(surface.get())};
  host::DrawingTarget target{cr.get()};
  const DRAWBOT_DrawbotSuite1 *draw = suite<DRAWBOT_DrawbotSuite1>(kDRAWBOT_DrawSuite, 1);
  const DRAWBOT_SupplierSuite1 *supplier = suite<DRAWBOT_SupplierSuite1>(kDRAWBOT_SupplierSuite, 1);
  const DRAWBOT_SurfaceSuite2 *surfaceSuite = suite<DRAWBOT_SurfaceSuite2>(kDRAWBOT_SurfaceSuite, 2);
  const DRAWBOT_PathSuite1 *path = suite<DRAWBOT_PathSuite1>(kDRAWBOT_PathSuite, 1);
  DRAWBOT_SupplierRef sup = nullptr;
  DRAWBOT_SurfaceRef surf = nullptr;

  void SetUp() override {
    ASSERT_TRUE(draw && supplier && surfaceSuite && path);
    ASSERT_EQ(draw->GetSupplier(target.drawRef(), &sup), 0);
    ASSERT_EQ(draw->GetSurface(target.drawRef(), &surf), 0);
  }

  // Releases drawing objects, each once.
  template <class... Refs> void release(Refs... refs) {
    for (DRAWBOT_ObjectRef o : {reinterpret_cast<DRAWBOT_ObjectRef>(refs)...}) EXPECT_EQ(supplier->ReleaseObject(o), 0);
  }
  // A new path along row `y` from x0 to x1.
  DRAWBOT_PathRef line(float x0, float y, float x1) {
    DRAWBOT_PathRef p = nullptr;
    EXPECT_EQ(supplier->NewPath(sup, &p), 0);
    EXPECT_EQ(path->MoveTo(p, x0, y), 0);
    EXPECT_EQ(path->LineTo(p, x1, y), 0);
    return p;
  }

  host::PixelF pixel(int x, int y) {
    cairo_surface_flush(surface.get());
    return host::imageFromCairo(surface.get()).pixel(x, y);
  }
};

TEST_F(DrawbotSuites, FilledShapesAndStrokesCoverWhatTheyShouldWithAntialiasedEdges) {
  const std::size_t live = host::DrawbotObject::liveCount();
  const DRAWBOT_ColorRGBA red{1, 0, 0, 1};
  DRAWBOT_BrushRef brush = nullptr;
  DRAWBOT_PathRef circle = nullptr;
  ASSERT_EQ(supplier->NewBrush(sup, &red, &brush), 0);
  ASSERT_EQ(supplier->NewPath(sup, &circle), 0);
  const DRAWBOT_PointF32 centre{20, 15};
  ASSERT_EQ(path->AddArc(circle, &centre, 10.0f, 0.0f, 360.0f), 0);
  ASSERT_EQ(surfaceSuite->FillPath(surf, brush, circle, kDRAWBOT_FillType_Winding), 0);
  EXPECT_FLOAT_EQ(pixel(20, 15).red, 1.0f);
  EXPECT_FLOAT_EQ(pixel(20, 15).alpha, 1.0f);
  EXPECT_EQ(pixel(2, 2).alpha, 0.0f) << "outside stays empty";
  // Along the rim coverage is partial: the edge is antialiased.
  int partial = 0;
  const host::Image image = host::imageFromCairo(surface.get());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const float a = image.pixel(x, y).alpha;
      partial += a > 0.05f && a < 0.95f;
    }
  EXPECT_GT(partial, 20);
  release(brush, circle);
  EXPECT_EQ(host::DrawbotObject::liveCount(), live) << "released objects are gone";
  EXPECT_NE(supplier->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(circle)), 0) << "a released reference is refused, not followed";
  // A rectangle 40 wide and 2 high covers the top two rows only.
  DRAWBOT_PathRef band = nullptr;
  const DRAWBOT_RectF32 top{0, 0, 40, 2};
  ASSERT_EQ(supplier->NewPath(sup, &band), 0);
  ASSERT_EQ(path->AddRect(band, &top), 0);
  ASSERT_EQ(supplier->NewBrush(sup, &red, &brush), 0);
  ASSERT_EQ(surfaceSuite->FillPath(surf, brush, band, kDRAWBOT_FillType_Winding), 0);
  EXPECT_EQ(pixel(35, 1).alpha, 1.0f);
  EXPECT_EQ(pixel(35, 3).alpha, 0.0f) << "nothing below the rectangle";
  release(band, brush);
  // The pen width sets the stroke width (seen right of the circle).
  DRAWBOT_PenRef thin = nullptr, thick = nullptr;
  ASSERT_EQ(supplier->NewPen(sup, &red, 1.0f, &thin), 0);
  ASSERT_EQ(supplier->NewPen(sup, &red, 5.0f, &thick), 0);
  DRAWBOT_PathRef high = line(5, 5.5f, 35), low = line(5, 20.5f, 35);
  ASSERT_EQ(surfaceSuite->StrokePath(surf, thin, high), 0);
  EXPECT_GT(pixel(33, 5).alpha, 0.9f);
  EXPECT_EQ(pixel(33, 7).alpha, 0.0f) << "a 1-pixel pen on a pixel centre covers one row";
  ASSERT_EQ(surfaceSuite->StrokePath(surf, thick, low), 0);
  EXPECT_GT(pixel(33, 18).alpha, 0.9f);
  EXPECT_GT(pixel(33, 22).alpha, 0.9f);
  EXPECT_EQ(pixel(33, 24).alpha, 0.0f);
  release(thin, thick, high, low);
}

// Centred text (as the module draws its labels) lies evenly about its
// origin, which is its baseline.
TEST_F(DrawbotSuites, TextIsCentredOnItsBaselineAndReferencesThatAreNotLiveAreRefused) {
  const DRAWBOT_UTF16Char text[] = {'H', 0x00C9, 'H', 0};
  const DRAWBOT_ColorRGBA white{1, 1, 1, 1};
  DRAWBOT_BrushRef brush = nullptr;
  DRAWBOT_FontRef font = nullptr;
  ASSERT_EQ(supplier->NewBrush(sup, &white, &brush), 0);
  ASSERT_EQ(supplier->NewDefaultFont(sup, 11.0f, &font), 0);
  const DRAWBOT_PointF32 origin{20, 20};
  const auto centre = kDRAWBOT_TextAlignment_Center;
  const auto whole = kDRAWBOT_TextTruncation_None;
  ASSERT_EQ(surfaceSuite->DrawString(surf, brush, font, text, &origin, centre, whole, 0), 0);
  float left = 0, right = 0, below = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) (y > 22 ? below : x < 20 ? left : right) += pixel(x, y).alpha;
  EXPECT_GT(left, 5.0f);
  EXPECT_NEAR(left, right, 0.25f * (left + right));
  EXPECT_EQ(below, 0.0f) << "the origin is the baseline: nothing well below it";
  release(brush, font);
  // References that are not live or of the wrong kind are refused.
  DRAWBOT_PathRef p = nullptr;
  ASSERT_EQ(supplier->NewPath(sup, &p), 0);
  DRAWBOT_ColorRGBA c{1, 1, 1, 1};
  EXPECT_NE(surfaceSuite->FillPath(surf, reinterpret_cast<DRAWBOT_BrushRef>(p), p, 0), 0) << "a path is no brush";
  EXPECT_NE(path->MoveTo(reinterpret_cast<DRAWBOT_PathRef>(&c), 1, 1), 0);
  EXPECT_NE(path->LineTo(p, NAN, 1), 0) << "coordinates must be numbers";
  EXPECT_NE(surfaceSuite->PopStateStack(surf), 0) << "a pop without its push";
  DRAWBOT_SupplierRef none = nullptr;
  EXPECT_NE(draw->GetSupplier(reinterpret_cast<DRAWBOT_DrawRef>(&c), &none), 0);
  EXPECT_EQ(none, nullptr);
  release(p);
}

TEST_F(DrawbotSuites, InterfaceColoursAndDrawingReferences) {
  const auto *app = suite<PFAppSuite4>(kPFAppSuite, kPFAppSuiteVersion4);
  const auto *customUi = suite<PF_EffectCustomUISuite1>(kPFEffectCustomUISuite, 1);
  ASSERT_TRUE(app && customUi);
  // What each colour is, is the palette's table; here, what is refused.
  PF_App_Color untouched{1, 2, 3};
  EXPECT_NE(app->PF_AppGetColor(500, &untouched), 0);
  EXPECT_EQ(untouched.red, 1) << "an unknown type leaves the colour as given";
  EXPECT_NE(app->PF_AppGetColor(PF_App_Color_FILL, nullptr), 0);

  test::openSolidProject(host);
  host::UiContext context(PF_Window_EFFECT, *host.project().comps[0]->layers[0]);
  DRAWBOT_DrawRef ref = nullptr;
  EXPECT_NE(customUi->PF_GetDrawingReference(context.handle(), &ref), 0) << "only a draw event has a reference";
  context.target = &target;
  EXPECT_EQ(customUi->PF_GetDrawingReference(context.handle(), &ref), 0);
  EXPECT_EQ(ref, target.drawRef());
  const PF_Rect r{1, 2, 3, 4};
  EXPECT_EQ(app->PF_InvalidateRect(context.handle(), &r), 0);
  ASSERT_EQ(context.invalidated.size(), 1u);
  EXPECT_EQ(context.invalidated[0].right, 3);
  PF_Context *stray = nullptr;
  EXPECT_NE(app->PF_InvalidateRect(&stray, &r), 0) << "a handle of no live context";
}

} // namespace
