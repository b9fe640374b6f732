// Clicks, drags and cursors on the builder's curve editors and petal
// buttons, sent as the host sends them; below them the point edits, the
// petal button choices and the editor's layout.
#include <gtest/gtest.h>

#include <cstring>

#include "builder_host_support.h"
#include "flash/builder_params.h"
#include "flash/curve_editing.h"
#include "flash/petal_buttons.h"
#include "flash/profile_layout.h"

namespace vlam_test {
namespace {

using vlam::kBuilderMainDiameter;
using vlam::kBuilderMainProfile;
using vlam::kBuilderPetalConfiguration;

constexpr PF_Modifiers kAlt = PF_Mod_OPT_ALT_KEY;
constexpr PF_Modifiers kAltShift = PF_Mod_OPT_ALT_KEY | PF_Mod_SHIFT_KEY;
constexpr PF_Modifiers kCtrl = PF_Mod_CMD_CTRL_KEY;

// The main curve editor at (20, 300) with the default diameter 0.5: curve
// area x 30-316, y 336-374; preset buttons 59 wide from x 25.5, 89.5, 153.5,
// 217.5, 281.5 at y 384.5; handle column x 326-346, y 310-342.
class BuilderUiClick : public ::testing::Test {
 protected:
  PF_EventExtra Click(PF_ParamIndex param, A_long x, A_long y, PF_Modifiers modifiers = PF_Mod_NONE) {
    PF_EventExtra event = host.Event(PF_Event_DO_CLICK, param, x, y, modifiers);
    last_error = host.Send(event);
    return event;
  }
  PF_EventExtra Drag(A_long x, A_long y, A_intptr_t reference, bool last) {
    PF_EventExtra event = host.Event(PF_Event_DRAG, kBuilderMainProfile, x, y);
    event.u.do_click.continue_refcon[0] = reference;
    event.u.do_click.last_time = last ? 1 : 0;
    last_error = host.Send(event);
    return event;
  }
  ShapeCurve &Main() { return host.Curve(kBuilderMainProfile); }
  bool Changed(PF_ParamIndex index) const {
    return (host.builder.values[index].uu.change_flags & PF_ChangeFlag_CHANGED_VALUE) != 0;
  }

  BuilderUiHost host;
  PF_Err last_error = PF_Err_NONE;
};

// Alt inserts a point and drags it, unless the curve is full; alt-shift
// deletes one but the ends.
TEST_F(BuilderUiClick, AltClickInsertsAndDragsUnlessTheCurveIsFullAltShiftDeletes) {
  PF_EventExtra event = Click(kBuilderMainProfile, 200, 360, kAlt);
  ASSERT_EQ(last_error, PF_Err_NONE);
  ASSERT_EQ(Main().count, 10);
  EXPECT_NEAR(PointX(Main(), 6), 170.0 / 286.0, 1e-12);  // between 0.53 and 0.67
  EXPECT_EQ(event.u.do_click.send_drag, 1);
  EXPECT_EQ(event.u.do_click.continue_refcon[0], 6);
  EXPECT_TRUE(Changed(kBuilderMainProfile));
  EXPECT_EQ(event.evt_out_flags, PF_EO_HANDLED_EVENT);

  Click(kBuilderMainProfile, 200, 360, kAlt | kCtrl);  // modifiers must match exactly
  ASSERT_EQ(Main().count, 10);
  // A full curve takes no point and starts no drag.
  while (Main().count < 16) vlam::InsertCurvePoint(Main(), 0.99, 0.5);
  const ShapeCurve full = Main();
  EXPECT_EQ(Click(kBuilderMainProfile, 200, 360, kAlt).u.do_click.send_drag, 0);
  EXPECT_EQ(std::memcmp(&Main(), &full, sizeof full), 0);

  const ShapeCurve before = Main();
  Click(kBuilderMainProfile, 30, 368, kAltShift);   // the first point (0, 0.16)
  Click(kBuilderMainProfile, 316, 374, kAltShift);  // the last (1, 0)
  EXPECT_EQ(std::memcmp(&Main(), &before, sizeof before), 0);
  Click(kBuilderMainProfile, 127, 336, kAltShift);  // (0.34, 1)
  EXPECT_EQ(Main().count, 15);
}

// Dragging a point (where it stops: CurveEditing and the host's
// CustomControls), then the diameter handle.
TEST_F(BuilderUiClick, DraggingAPointAndTheDiameterHandle) {
  PF_EventExtra event = Click(kBuilderMainProfile, 127, 336);  // picks (0.34, 1)
  ASSERT_EQ(event.u.do_click.continue_refcon[0], 4);
  event = Drag(300, 350, 4, false);
  EXPECT_EQ(event.u.do_click.send_drag, 1);
  EXPECT_EQ(event.evt_out_flags, PF_EO_HANDLED_EVENT | PF_EO_ALWAYS_UPDATE);
  event = Drag(40, 500, 4, true);
  EXPECT_EQ(event.u.do_click.send_drag, 0);
  EXPECT_EQ(event.u.do_click.continue_refcon[0], -1);

  const ShapeCurve before = Main();  // references that name no point
  for (A_intptr_t reference : {A_intptr_t{-1}, A_intptr_t{9}, A_intptr_t{1} << 40}) {
    Drag(100, 350, reference, false);
  }
  EXPECT_EQ(std::memcmp(&Main(), &before, sizeof before), 0);

  // The diameter handle.
  EXPECT_EQ(Click(kBuilderMainProfile, 336, 312).u.do_click.send_drag, 0);  // away from it
  ASSERT_EQ(Click(kBuilderMainProfile, 336, 333).u.do_click.continue_refcon[0], 9999);
  Drag(336, 300, 9999, false);
  EXPECT_DOUBLE_EQ(host.builder.values[kBuilderMainDiameter].u.fs_d.value, 1.0);
  EXPECT_TRUE(Changed(kBuilderMainDiameter));
  Drag(336, 326, 9999, true);  // halfway down the column
  EXPECT_DOUBLE_EQ(host.builder.values[kBuilderMainDiameter].u.fs_d.value, 0.65);
}

TEST_F(BuilderUiClick, PresetAndPetalButtons) {
  vlam::BuilderGlobals &globals = host.Globals();
  const ShapeCurve first = globals.mainPresets[0];
  Click(kBuilderMainProfile, 240, 400);  // load slot 4
  EXPECT_EQ(std::memcmp(&Main(), &globals.mainPresets[3], sizeof(ShapeCurve)), 0);
  Click(kBuilderMainProfile, 50, 400, kCtrl);  // the first slot cannot be overwritten
  EXPECT_EQ(std::memcmp(&globals.mainPresets[0], &first, sizeof first), 0);
  Click(kBuilderMainProfile, 180, 400, kCtrl);  // save into slot 3
  EXPECT_EQ(std::memcmp(&globals.mainPresets[2], &Main(), sizeof(ShapeCurve)), 0);

  Click(kBuilderPetalConfiguration, 300, 330);  // button 3
  EXPECT_EQ(host.Popup(kBuilderPetalConfiguration), 4);  // Three Star
  EXPECT_TRUE(Changed(kBuilderPetalConfiguration));
  Click(kBuilderPetalConfiguration, 300, 330);
  EXPECT_EQ(host.Popup(kBuilderPetalConfiguration), 5);  // Three T
  Click(kBuilderPetalConfiguration, 140, 330);           // One Up
  Click(kBuilderPetalConfiguration, 300, 330);
  EXPECT_EQ(host.Popup(kBuilderPetalConfiguration), 5);  // the variant last used
  EXPECT_EQ(host.Variants().remembered[3], 1);

  host.builder.InData()->sequence_data = nullptr;
  Click(kBuilderPetalConfiguration, 140, 330);
  EXPECT_EQ(last_error, PF_Err_OUT_OF_MEMORY);
  EXPECT_STREQ(host.builder.OutData()->return_msg, "Could not retrieve sequence data");
  EXPECT_EQ(host.Popup(kBuilderPetalConfiguration), 5);
}

TEST_F(BuilderUiClick, CursorShowsWhatAClickWouldDo) {
  const auto cursor = [&](A_long x, A_long y, PF_Modifiers modifiers) {
    PF_EventExtra event = host.Event(PF_Event_ADJUST_CURSOR, kBuilderMainProfile, x, y, modifiers);
    EXPECT_EQ(host.Send(event), PF_Err_NONE);
    return event.u.adjust_cursor.set_cursor;
  };
  EXPECT_EQ(cursor(200, 360, kAlt), PF_Cursor_PEN_ADD);
  EXPECT_EQ(cursor(200, 360, kAltShift), PF_Cursor_PEN_DELETE);
  EXPECT_EQ(cursor(100, 400, kCtrl), 38);
  EXPECT_EQ(cursor(200, 360, kCtrl), PF_Cursor_NONE);
}


ShapeCurve CurveOf(std::initializer_list<std::pair<double, double>> points) {
  ShapeCurve curve;
  vlam::ResetShapeCurve(curve, 16);
  for (const auto &[x, y] : points) vlam::AddShapePoint(curve, x, y);
  return curve;
}

TEST(CurveEditing, InsertDeleteAndDragKeepOrderAndCapacity) {
  ShapeCurve curve = CurveOf({{0, 0.2}, {0.5, 0.9}, {1, 0}});
  EXPECT_EQ(vlam::InsertCurvePoint(curve, 0.7, 0.4), 2);
  EXPECT_EQ(curve.count, 4);
  EXPECT_DOUBLE_EQ(PointX(curve, 3), 1.0);  // moved up
  EXPECT_DOUBLE_EQ(double{curve.xSignature}, 16 + 0 + 0.5 + 0.7 + 1);

  // Past the last point in use there is no segment to insert into, whatever
  // the unused slot after it holds.
  ShapeCurve shorter = CurveOf({{0, 0.2}, {0.4, 0.9}, {1, 0}});
  shorter.count = 2;
  EXPECT_EQ(vlam::InsertCurvePoint(shorter, 0.7, 0.4), -1);
  EXPECT_EQ(shorter.count, 2);

  ShapeCurve four = CurveOf({{0, 0.2}, {0.3, 0.5}, {0.6, 0.7}, {1, 0}});
  const ShapeCurve before = four;
  for (int k : {0, 3, -1, 40}) EXPECT_FALSE(vlam::DeleteCurvePoint(four, k)) << k;
  EXPECT_EQ(std::memcmp(&four, &before, sizeof four), 0);
  EXPECT_TRUE(vlam::DeleteCurvePoint(four, 1));
  EXPECT_EQ(four.count, 3);
  EXPECT_DOUBLE_EQ(PointX(four, 1), 0.6);

  ShapeCurve dragged = CurveOf({{0, 0.2}, {0.3, 0.5}, {0.6, 0.7}, {1, 0}});
  vlam::DragCurvePoint(dragged, 1, 0.9, 0.4);  // past its right neighbour
  EXPECT_DOUBLE_EQ(PointX(dragged, 1), 0.6 - 0.01);
  vlam::DragCurvePoint(dragged, 2, 0.1, 1.7);  // past its left neighbour, above the top
  EXPECT_DOUBLE_EQ(PointX(dragged, 2), 0.59 + 0.01);
  EXPECT_DOUBLE_EQ(PointY(dragged, 2), 1.0);
  vlam::DragCurvePoint(dragged, 0, 0.4, 0.1);  // the ends keep their x
  vlam::DragCurvePoint(dragged, 3, 0.2, 0.3);
  EXPECT_EQ(std::pair(PointX(dragged, 0), PointX(dragged, 3)), std::pair(0.0, 1.0));
  EXPECT_DOUBLE_EQ(double{dragged.ySignature}, 16 + 0.1 + 0.4 + 1 + 0.3);

  // Neighbours closer than the gap: the right neighbour's limit wins.
  ShapeCurve tight = CurveOf({{0, 0}, {0.5, 0.5}, {0.505, 0.5}, {0.51, 0.5}, {1, 0}});
  vlam::DragCurvePoint(tight, 2, 0.2, 0.5);
  EXPECT_DOUBLE_EQ(PointX(tight, 2), 0.51 - 0.01);
}

using vlam::PetalClickValue;

// Two-shape buttons flip when clicked again and remember; a damaged record
// stays within the popup.
TEST(PetalButtons, TwoShapeButtonsFlipWhenClickedAgainAndRemember) {
  vlam::PetalVariants variants{};  // the first flips: BuilderUiClick.PresetAndPetalButtons
  EXPECT_EQ(PetalClickValue(3, 4, variants), 5);  // Three Star selected: Three T
  EXPECT_EQ(PetalClickValue(3, 5, variants), 4);  // and back
  EXPECT_EQ(PetalClickValue(3, 4, variants), 5);
  EXPECT_EQ(PetalClickValue(4, 5, variants), 6);  // Four Star keeps its own
  EXPECT_EQ(PetalClickValue(7, 10, variants), 10);
  EXPECT_EQ(PetalClickValue(8, 1, variants), -1);

  variants.remembered[3] = 7;
  variants.remembered[5] = 1;  // a one-shape button has no variant to show
  EXPECT_EQ(PetalClickValue(3, 1, variants), 5);
  EXPECT_EQ(PetalClickValue(5, 1, variants), 8);
}

TEST(ProfileLayout, TheCurveAreaGrowsUpwardsWithTheDiameter) {
  const vlam::ProfileLayout full(20, 300, 1.0), half(20, 300, 0.5);  // sigma 1 and 0.642857
  const std::pair<A_long, A_long> edges[] = {
      {full.curve.left, 30},   {full.curve.right, 316},     {full.curve.top, 313},
      {full.curve.bottom, 375}, {half.curve.top, 336},       {half.curve.bottom, 374},
      {half.presets.top, 379}, {half.handle_column.left, 326}, {half.handle_column.bottom, 342},
      {vlam::ProfileLayout(20, 300, 0.1).curve.top, 345}};  // sigma 0.5 below 0.3
  for (std::size_t i = 0; i < std::size(edges); ++i) EXPECT_EQ(edges[i].first, edges[i].second) << i;
  // Curve points are drawn at pixel centres: x = 0 and y = 0 at the bottom
  // left pixel's centre, x = 1 and y = 1 at the top right one's.
  EXPECT_FLOAT_EQ(full.PanelX(0.0), 30.5f);
  EXPECT_FLOAT_EQ(full.PanelX(1.0), 316.5f);
  EXPECT_FLOAT_EQ(full.PanelY(0.0), 375.5f);
  EXPECT_FLOAT_EQ(full.PanelY(1.0), 313.5f);
  // Clicks map back: half way along each span is 0.5; beyond the edges, clamped.
  EXPECT_EQ(std::tuple(full.CurveX(173), full.CurveY(344), full.CurveX(0), full.CurveY(0)),
            std::tuple(0.5, 0.5, 0.0, 1.0));
}

}  // namespace
}  // namespace vlam_test
