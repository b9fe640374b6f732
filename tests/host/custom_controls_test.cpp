// The module's custom controls driven through the host's panel, events and
// view windows: Module Selector buttons, curve editing in the Flash Builder,
// the Flash Instance's overlay.
#include "host/HostError.h"
#include "host/project/ShapeCurveRecord.h"
#include "host/scene/ArbitraryJson.h"
#include "host/ui/EffectPanel.h"
#include "host/ui/PanelGesture.h"
#include "host/ui/ViewWindow.h"
#include "host_support.h"

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace vlam;

namespace {

using Stack = std::vector<std::string>;

class CustomControls : public test::HostTest {
protected:
  host::Layer *plate = nullptr;

  // A layer with the module stack: Module Selector, Flash Builder, Flash
  // Instance, Render.
  void SetUp() override {
    plate = &test::openSolidProject(host, 160, 90);
    ASSERT_NE(host.applyEffect(*plate, "zk_Vlam"), nullptr);
    ASSERT_EQ(test::stackOf(*plate), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  }

  host::GestureOutcome gesture(host::EffectInstance &effect, host::PanelGesture g) {
    const host::EffectPanel panel(host, effect, 0);
    return host::performGesture(host, effect, 0, panel, g);
  }

  PF_Rect controlOf(host::EffectInstance &effect, std::size_t param) {
    const host::EffectPanel panel(host, effect, 0);
    const host::PanelRow *row = panel.rowOf(param);
    EXPECT_NE(row, nullptr);
    return row ? row->control : PF_Rect{};
  }

  // The curve as the effect flattens its stored value.
  host::ShapeCurveView curveOf(const host::EffectInstance &builder, std::size_t param) {
    const auto bytes = host::flattenArbitrary(host, builder, param, builder.streams[param].staticValue());
    return host::readShapeCurve(bytes).value_or(host::ShapeCurveView{});
  }
};

// Where in its control the curve lies, where a new point goes and how far a
// point may be dragged are the builder's own tests' business (and the tool's
// hover test finds the pen there); here, the host's gestures reach it.
TEST_F(CustomControls, AltClickIntoTheCurveAddsAPointAndDragsItAndTheMuzzleIsDrawnAtTheLayerCentre) {
  host::EffectInstance &builder = *plate->effects[1];
  const std::size_t profile = test::paramNamed(builder, "Flash Shape Profile");
  const PF_Rect c = controlOf(builder, profile);
  const auto sumX = [&] {
    const host::ShapeCurveView curve = curveOf(builder, profile);
    double sum = 0;
    for (const host::CurvePoint &p : curve.points) sum += p.x;
    return std::pair{static_cast<int>(curve.count), sum};
  };
  const auto before = sumX();
  host::PanelGesture g;
  g.param = profile;
  g.modifiers = PF_Mod_OPT_ALT_KEY;
  g.at = {c.left + 153, c.top + 70}; // halfway across, near the floor: on no existing point
  const host::GestureOutcome r = gesture(builder, g);
  EXPECT_TRUE(r.dragStarted) << "the new point is dragged at once";
  EXPECT_EQ(r.dragEvents, 1) << "released where it was pressed";
  const auto added = sumX();
  EXPECT_EQ(added.first, before.first + 1);
  // The new point dragged to the right.
  host::PanelGesture drag = g;
  drag.kind = host::PanelGesture::Kind::Drag;
  drag.modifiers = 0;
  drag.to = {c.left + 250, g.at.v};
  const host::GestureOutcome d = gesture(builder, drag);
  EXPECT_TRUE(d.dragStarted);
  EXPECT_EQ(d.dragEvents, drag.dragSteps);
  const auto dragged = sumX();
  EXPECT_EQ(dragged.first, added.first);
  EXPECT_GT(dragged.second, added.second + 0.005) << "moved right, up to its neighbour";
  // The default instance muzzle is drawn at the layer centre.
  // At 1920 wide the default aim point lies far enough left for the barrel
  // to point straight left, its ring seen edge-on.
  plate = &test::openSolidProject(host, 1920, 1080);
  ASSERT_NE(host.applyEffect(*plate, "zk_Vlam"), nullptr);
  host.removeEffect(*plate->effects[3]); // no Render: only the overlay on the plate
  std::vector<std::string> viewProblems;
  host::RenderSettings settings;
  const host::Image view = host::drawViewWindow(host, *host.project().comps[0], 0, PF_Window_COMP, nullptr,
                                                settings, viewProblems);
  EXPECT_TRUE(viewProblems.empty());
  ASSERT_EQ(view.width(), 1920);
  // The barrel's red wire: its right end (the muzzle ring seen edge-on) at
  // the centre (960, 540), spokes running about 120 pixels left.
  int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
  for (int y = 0; y < view.height(); ++y)
    for (int x = 0; x < view.width(); ++x) {
      const host::PixelF p = view.pixel(x, y);
      if (p.red > p.blue + 0.25f && p.red > p.green + 0.25f) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
    }
  ASSERT_GE(maxX, 0) << "red wire drawn";
  EXPECT_NEAR(maxX, 960, 1);
  EXPECT_NEAR((minY + maxY) * 0.5, 540, 1.5);
  EXPECT_NEAR(minX, 840, 2) << "spokes reach about 120 pixels to the left";
}

TEST_F(CustomControls, ThePanelOpensWithTheEffectsHeaderNamesItsRowsAndRefusesPointsOutsideControls) {
  host::EffectInstance &instance = *plate->effects[2];
  host::EffectPanel panel(host, instance, 0);
  ASSERT_FALSE(panel.rows().empty());
  const host::PanelRow &header = panel.rows().front();
  EXPECT_EQ(header.index, 0u);
  EXPECT_EQ(std::tie(header.title.left, header.title.top, header.title.right), std::make_tuple(0, 0, panel.width()));
  // Each plain top-level row shows its name between the twirls and the values.
  std::vector<std::string> problems;
  const host::Image picture = panel.draw(problems);
  int named = 0, rows = 0;
  for (const host::PanelRow &row : panel.rows()) {
    if (row.index == 0 || row.depth || row.twirl || row.topic || instance.param(row.index).name().empty()) continue;
    ++rows;
    const host::PixelF background = picture.pixel(panel.width() - 2, row.title.top + 1);
    bool inked = false;
    for (int y = row.title.top; y < row.title.bottom; ++y)
      for (int x = 24; x < 215; ++x) inked = inked || !(picture.pixel(x, y) == background);
    named += inked;
  }
  EXPECT_GT(rows, 0);
  EXPECT_EQ(named, rows);
  // A point outside its control (its right edge is outside) is refused; so is
  // a point on a control twirled closed.
  host::EffectInstance &selector = *plate->effects[0];
  const PF_Rect c = controlOf(selector, 1);
  host::PanelGesture g;
  g.param = 2; // "Utilities" starts twirled closed
  g.at = {c.left + 10, c.top + 10};
  EXPECT_THROW(gesture(selector, g), host::HostError);
  g.param = 1;
  g.at = {c.right, c.top + 10}; // the right edge lies just outside
  EXPECT_THROW(gesture(selector, g), host::HostError);
}

} // namespace
