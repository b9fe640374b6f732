// Module Selector drawing, hovering and parameter setup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "modules/fake_selector_host_support.h"

namespace vlam_test {
namespace {

class SelectorUi : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(host.Command(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE); }

  PF_Err Draw(PF_ParamIndex param) {
    PF_EventExtra event = host.Event(PF_Event_DRAW, param, 0, 0);
    event.evt_out_flags = PF_EO_ALWAYS_UPDATE;
    const PF_Err err = host.Send(event);
    out_flags = event.evt_out_flags;
    return err;
  }
  PF_Err Hover(PF_ParamIndex param, A_long x, A_long y) {
    PF_EventExtra event = host.Event(PF_Event_ADJUST_CURSOR, param, x, y);
    const PF_Err err = host.Send(event);
    out_flags = event.evt_out_flags;
    return err;
  }

  FakeSelectorHost host;
  PF_EventOutFlags out_flags = 0;
};

constexpr float kFace = 0x4000 / 65536.0f;
constexpr float kHoverFace = 0x6000 / 65536.0f;

TEST_F(SelectorUi, DrawsThreeLabelledButtons) {
  ASSERT_EQ(Draw(1), PF_Err_NONE);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);

  const auto fills = host.drawbot.DrawsOf("FillPath");
  ASSERT_EQ(fills.size(), 3u);
  const float lefts[] = {5.5f, 123.5f, 241.5f};
  for (int k = 0; k < 3; ++k) {
    ASSERT_EQ(fills[k].path.size(), 1u);
    EXPECT_EQ(fills[k].path[0].op, "AddRect");
    EXPECT_FLOAT_EQ(fills[k].path[0].a, lefts[k]);
    EXPECT_FLOAT_EQ(fills[k].path[0].b, 105.5f);
    EXPECT_FLOAT_EQ(fills[k].path[0].c, 113.0f);
    EXPECT_FLOAT_EQ(fills[k].path[0].d, 19.0f);
    EXPECT_EQ(fills[k].fill, kDRAWBOT_FillType_Winding);
    EXPECT_FLOAT_EQ(fills[k].color.red, kFace);
  }
  const auto labels = host.drawbot.DrawsOf("DrawString");
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, "Add Flash Builder");
  EXPECT_EQ(labels[1].text, "Add Instance");
  EXPECT_EQ(labels[2].text, "Add Relighter");
  EXPECT_FLOAT_EQ(labels[1].origin.x, 123.5f + 56.5f);
  EXPECT_FLOAT_EQ(labels[1].origin.y, 105.5f + 9.5f + 5.0f);
  EXPECT_EQ(labels[1].alignment, kDRAWBOT_TextAlignment_Center);
  EXPECT_EQ(labels[1].truncation, kDRAWBOT_TextTruncation_None);
  EXPECT_FLOAT_EQ(labels[1].font_size, 11.0f);
  EXPECT_FLOAT_EQ(labels[1].color.green, 65535 / 65536.0f);

  // Nothing else is painted, and everything made is given back.
  EXPECT_EQ(host.drawbot.draws.size(), 6u);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(host.drawbot.unknown_objects, 0);
  EXPECT_EQ(host.aegp.registry.outstanding(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
}

TEST_F(SelectorUi, HoveredAndPressedButtonsLookDifferent) {
  host.State().modules = {1, 2};
  ASSERT_EQ(Draw(1), PF_Err_NONE);
  auto fills = host.drawbot.DrawsOf("FillPath");
  EXPECT_FLOAT_EQ(fills[0].color.red, kFace);
  EXPECT_FLOAT_EQ(fills[2].color.red, kHoverFace);

  host.drawbot.draws.clear();
  host.State().modules = {2, 1};
  ASSERT_EQ(Draw(1), PF_Err_NONE);
  fills = host.drawbot.DrawsOf("FillPath");
  const auto labels = host.drawbot.DrawsOf("DrawString");
  EXPECT_FLOAT_EQ(fills[1].color.red, kFace);  // a pressed button keeps its face
  EXPECT_FLOAT_EQ(labels[1].color.green, 0x8000 / 65536.0f);
  EXPECT_FLOAT_EQ(labels[0].color.green, 65535 / 65536.0f);
}

TEST_F(SelectorUi, UtilitiesRowHasOneWideButton) {
  ASSERT_EQ(Draw(2), PF_Err_NONE);
  const auto fills = host.drawbot.DrawsOf("FillPath");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_FLOAT_EQ(fills[0].path[0].c, 350.0f);
  EXPECT_EQ(host.drawbot.DrawsOf("DrawString")[0].text, "Add Grain Precomp");
}

TEST_F(SelectorUi, ColoursComeFromTheHostWithItsOlderNumbering) {
  ASSERT_EQ(Draw(1), PF_Err_NONE);
  EXPECT_EQ(host.color_requests, (std::vector<PF_App_ColorType>{15, 14, 9, 56}));

  host.color_requests.clear();
  host.in_data.version = {13, 2};
  host.palette[59] = host.palette[56];
  ASSERT_EQ(Draw(1), PF_Err_NONE);
  EXPECT_EQ(host.color_requests, (std::vector<PF_App_ColorType>{15, 14, 9, 59}));
}

TEST_F(SelectorUi, ARefusedDrawingSuiteDrawsNothing) {
  host.aegp.registry.Withdraw(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2);
  EXPECT_EQ(Draw(1), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(host.drawbot.calls.empty());
  EXPECT_EQ(host.drawing_refs, 0);
  EXPECT_STREQ(host.out_data.return_msg, "Not able to acquire AEFX Suite.");
  EXPECT_TRUE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE);
  EXPECT_EQ(host.aegp.registry.outstanding(), 0);
}

TEST_F(SelectorUi, WithoutADrawingReferenceNothingIsDrawn) {
  host.drawing_ref_error = PF_Err_OUT_OF_MEMORY;
  EXPECT_EQ(Draw(1), PF_Err_OUT_OF_MEMORY);
  EXPECT_TRUE(host.drawbot.calls.empty());
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);
}

TEST_F(SelectorUi, AFailedFillStopsTheRowAndIsTheResult) {
  host.drawbot.failing["FillPath"] = 7;
  EXPECT_EQ(Draw(1), 7);
  const auto &calls = host.drawbot.calls;
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "FillPath"), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "AddRect"), 1);
  EXPECT_TRUE(host.drawbot.DrawsOf("DrawString").empty());
  EXPECT_EQ(host.drawbot.Live(), 0);
}

TEST_F(SelectorUi, AFailedObjectBecomesTheEventsErrorWithNothingLeftBehind) {
  host.drawbot.failing["NewDefaultFont"] = 9;
  EXPECT_EQ(Draw(1), 9);
  EXPECT_EQ(host.drawbot.Made("brush"), 4);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
  EXPECT_EQ(host.aegp.registry.outstanding(), 0);
}

TEST_F(SelectorUi, HoverTracksTheButtonUnderTheMouse) {
  ASSERT_EQ(Hover(1, 130, 110), PF_Err_NONE);
  EXPECT_EQ(host.State().modules.state, 1);
  EXPECT_EQ(host.State().modules.index, 1);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);
  ASSERT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(host.invalidated[0].left, 123);

  // Leaving the button repaints it.
  ASSERT_EQ(Hover(1, 121, 110), PF_Err_NONE);
  EXPECT_EQ(host.State().modules.state, 0);
  EXPECT_EQ(host.State().modules.index, -1);
  ASSERT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(host.invalidated[1].left, 123);

  // Moving over nothing after nothing repaints nothing.
  ASSERT_EQ(Hover(1, 121, 110), PF_Err_NONE);
  EXPECT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);
}

TEST_F(SelectorUi, HoverTurnsAPressedButtonBackToMouseOver) {
  host.State().utilities = {2, 0};
  ASSERT_EQ(Hover(2, 200, 110), PF_Err_NONE);
  EXPECT_EQ(host.State().utilities.state, 1);
  EXPECT_EQ(host.State().modules.index, -1);  // the other row is untouched
}

TEST_F(SelectorUi, ADamagedRememberedIndexIsNotRepainted) {
  host.State().modules = {1, 7};
  ASSERT_EQ(Hover(1, 121, 110), PF_Err_NONE);
  EXPECT_TRUE(host.invalidated.empty());
  EXPECT_EQ(host.State().modules.index, -1);
}

TEST_F(SelectorUi, ParametersAreTwoButtonRows) {
  ASSERT_EQ(host.Command(PF_Cmd_PARAMS_SETUP), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 3);
  ASSERT_EQ(host.added.size(), 2u);
  EXPECT_STREQ(host.added[0].name, "Modules");
  EXPECT_STREQ(host.added[1].name, "Utilities");
  EXPECT_EQ(host.added[0].uu.id, 5);
  EXPECT_EQ(host.added[1].uu.id, 6);
  for (const PF_ParamDef &def : host.added) {
    EXPECT_EQ(def.param_type, PF_Param_NO_DATA);
    EXPECT_EQ(def.ui_flags, PF_PUI_CONTROL | PF_PUI_DONT_ERASE_CONTROL);
    EXPECT_EQ(def.ui_width, 320);
    EXPECT_EQ(def.ui_height, 32);
  }
  EXPECT_EQ(host.added[0].flags, PF_ParamFlag_CANNOT_TIME_VARY);
  EXPECT_EQ(host.added[1].flags, PF_ParamFlag_CANNOT_TIME_VARY | PF_ParamFlag_START_COLLAPSED);
  ASSERT_EQ(host.registered_ui.size(), 1u);
  PF_CustomUIInfo expected{};
  expected.events = PF_CustomEFlag_EFFECT;
  EXPECT_EQ(std::memcmp(&host.registered_ui[0], &expected, sizeof expected), 0);
}

}  // namespace
}  // namespace vlam_test
