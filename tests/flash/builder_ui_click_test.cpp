// Clicks, drags and cursors on the builder's curve editors and petal
// buttons, sent as the host sends them.
#include <gtest/gtest.h>

#include <cstring>

#include "builder_host_support.h"
#include "flash/builder_params.h"
#include "flash/curve_editing.h"

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

TEST_F(BuilderUiClick, AltClickInsertsAndDragsUnlessTheCurveIsFull) {
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
  // A full curve (CurveEditing.InsertKeepsOrderAndCapacity) starts no drag.
  while (Main().count < 16) vlam::InsertCurvePoint(Main(), 0.99, 0.5);
  EXPECT_EQ(Click(kBuilderMainProfile, 200, 360, kAlt).u.do_click.send_drag, 0);
  EXPECT_EQ(Main().count, 16);
}

TEST_F(BuilderUiClick, AltShiftLeavesTheEndPoints) {
  const ShapeCurve before = Main();
  Click(kBuilderMainProfile, 30, 368, kAltShift);   // the first point (0, 0.16)
  Click(kBuilderMainProfile, 316, 374, kAltShift);  // the last (1, 0)
  EXPECT_EQ(std::memcmp(&Main(), &before, sizeof before), 0);
  Click(kBuilderMainProfile, 127, 336, kAltShift);  // (0.34, 1)
  EXPECT_EQ(Main().count, 8);
}

TEST_F(BuilderUiClick, DraggingAPoint) {
  PF_EventExtra event = Click(kBuilderMainProfile, 127, 336);  // picks (0.34, 1)
  ASSERT_EQ(event.u.do_click.continue_refcon[0], 4);
  event = Drag(300, 350, 4, false);
  EXPECT_DOUBLE_EQ(PointX(Main(), 4), 0.53 - 0.01);  // stops short of (0.53, 0.87)
  EXPECT_EQ(event.u.do_click.send_drag, 1);
  EXPECT_EQ(event.evt_out_flags, PF_EO_HANDLED_EVENT | PF_EO_ALWAYS_UPDATE);
  event = Drag(40, 500, 4, true);
  EXPECT_DOUBLE_EQ(PointX(Main(), 4), 0.19 + 0.01);
  EXPECT_EQ(event.u.do_click.send_drag, 0);
  EXPECT_EQ(event.u.do_click.continue_refcon[0], -1);

  const ShapeCurve before = Main();  // references that name no point
  for (A_intptr_t reference : {A_intptr_t{-1}, A_intptr_t{9}, A_intptr_t{1} << 40}) {
    Drag(100, 350, reference, false);
  }
  EXPECT_EQ(std::memcmp(&Main(), &before, sizeof before), 0);
}

TEST_F(BuilderUiClick, DiameterHandleDrag) {
  EXPECT_EQ(Click(kBuilderMainProfile, 336, 312).u.do_click.send_drag, 0);  // away from it
  ASSERT_EQ(Click(kBuilderMainProfile, 336, 333).u.do_click.continue_refcon[0], 9999);
  Drag(336, 300, 9999, false);
  EXPECT_DOUBLE_EQ(host.builder.values[kBuilderMainDiameter].u.fs_d.value, 1.0);
  EXPECT_TRUE(Changed(kBuilderMainDiameter));
  Drag(336, 326, 9999, true);  // halfway down the column
  EXPECT_DOUBLE_EQ(host.builder.values[kBuilderMainDiameter].u.fs_d.value, 0.65);
}

TEST_F(BuilderUiClick, PresetButtonsLoadAndSave) {
  vlam::BuilderGlobals &globals = host.Globals();
  const ShapeCurve first = globals.mainPresets[0];
  Click(kBuilderMainProfile, 240, 400);  // load slot 4
  EXPECT_EQ(std::memcmp(&Main(), &globals.mainPresets[3], sizeof(ShapeCurve)), 0);
  Click(kBuilderMainProfile, 50, 400, kCtrl);  // the first slot cannot be overwritten
  EXPECT_EQ(std::memcmp(&globals.mainPresets[0], &first, sizeof first), 0);
  Click(kBuilderMainProfile, 180, 400, kCtrl);  // save into slot 3
  EXPECT_EQ(std::memcmp(&globals.mainPresets[2], &Main(), sizeof(ShapeCurve)), 0);
}

TEST_F(BuilderUiClick, PetalButtons) {
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

}  // namespace
}  // namespace vlam_test
