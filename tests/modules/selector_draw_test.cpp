// Module Selector drawing, hovering and clicks.
#include <gtest/gtest.h>

#include "frame/fake_host_support.h"

namespace vlam_test {
namespace {

class SelectorUi : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(host.SelectorCommand(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE); }

  PF_Err Send(PF_EventType type, A_long x = 0, A_long y = 0) {
    return host.SelectorEvent(type, 1, x, y, &out_flags);
  }

  FakeEffectHost host;
  PF_EventOutFlags out_flags = 0;
};

constexpr float kFace = 0x4000 / 65536.0f;
constexpr float kHoverFace = 0x6000 / 65536.0f;
constexpr float kPressedLabelGreen = 0x8000 / 65536.0f;

TEST_F(SelectorUi, DrawsLabelledButtonsInTheirStateAndDrawingFailures) {
  host.SelectorRecord().modules = {1, 2};
  ASSERT_EQ(Send(PF_Event_DRAW), PF_Err_NONE);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);
  const auto fills = host.drawbot.DrawsOf("FillPath");
  const auto labels = host.drawbot.DrawsOf("DrawString");
  ASSERT_EQ(fills.size(), 3u);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(host.drawbot.draws.size(), 6u);  // nothing else is painted
  const float lefts[] = {5.5f, 123.5f, 241.5f};
  const char *texts[] = {"Add Flash Builder", "Add Instance", "Add Relighter"};
  for (int k = 0; k < 3; ++k) {
    const FakeDrawbot::PathOp &rect = fills[k].path.at(0);
    EXPECT_FLOAT_EQ(rect.a, lefts[k]);
    EXPECT_FLOAT_EQ(rect.b, 105.5f);
    EXPECT_FLOAT_EQ(rect.c, 113.0f);
    EXPECT_FLOAT_EQ(rect.d, 19.0f);
    EXPECT_FLOAT_EQ(fills[k].color.red, k == 2 ? kHoverFace : kFace);
    EXPECT_EQ(labels[k].text, texts[k]);
    EXPECT_FLOAT_EQ(labels[k].origin.x, lefts[k] + 56.5f);
    EXPECT_FLOAT_EQ(labels[k].origin.y, 105.5f + 9.5f + 5.0f);
    EXPECT_EQ(labels[k].alignment, kDRAWBOT_TextAlignment_Center);
    EXPECT_FLOAT_EQ(labels[k].size, 11.0f);
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{"PF_AppGetColor 15", "PF_AppGetColor 14",
                                                  "PF_AppGetColor 9", "PF_AppGetColor 56"}));

  host.drawbot.draws.clear();
  host.SelectorRecord().modules = {2, 1};
  ASSERT_EQ(Send(PF_Event_DRAW), PF_Err_NONE);
  EXPECT_FLOAT_EQ(host.drawbot.DrawsOf("DrawString")[1].color.green, kPressedLabelGreen);
  EXPECT_FLOAT_EQ(host.drawbot.DrawsOf("FillPath")[1].color.red, kFace);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  host.drawbot.calls.clear();
  host.registry.Withdraw(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2);
  EXPECT_EQ(Send(PF_Event_DRAW), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(host.drawbot.calls.empty());
  EXPECT_STREQ(host.out_data.return_msg, "Not able to acquire AEFX Suite.");

  host.drawbot.PublishTo([this](const char *name, A_long version, const void *table) {
    host.registry.Publish(name, version, table);
  });
  host.drawbot.failing["NewDefaultFont"] = 9;  // a DRAWBOT_Exception inside the handler
  EXPECT_EQ(Send(PF_Event_DRAW), 9);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

TEST_F(SelectorUi, HoverTracksTheButtonUnderTheMouse) {
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 130, 110), PF_Err_NONE);
  EXPECT_EQ(host.SelectorRecord().modules.state, 1);
  EXPECT_EQ(host.SelectorRecord().modules.index, 1);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 121, 110), PF_Err_NONE);  // leaving repaints it
  EXPECT_EQ(host.SelectorRecord().modules.index, -1);
  ASSERT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(host.invalidated[1].left, 123);
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 121, 110), PF_Err_NONE);
  EXPECT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);

  host.SelectorRecord().modules = {1, 7};  // a damaged record names no button of the row
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 121, 110), PF_Err_NONE);
  EXPECT_EQ(host.invalidated.size(), 2u);
}

// Module Selector clicks: which button a point hits, and where the applied
// module effect is filed in the layer's stack.
using Stack = std::vector<std::string>;

// The Modules row's frame starts at (0, 100): buttons at x 5.5, 123.5 and
// 241.5, each 113 x 19, at y 105.5.
class SelectorClick : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(host.SelectorCommand(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE); }

  PF_Err Click(PF_ParamIndex param, A_long x, A_long y) {
    return host.SelectorEvent(PF_Event_DO_CLICK, param, x, y, &out_flags);
  }
  // Clicks button k of the Modules row on a layer stacked `before`.
  Stack AddModule(int k, const Stack &before) {
    host.layer = host.NewLayer(before);
    EXPECT_EQ(Click(1, 10 + 118 * k, 110), PF_Err_NONE);
    return host.StackOf(host.layer);
  }

  FakeEffectHost host;
  PF_EventOutFlags out_flags = 0;
};

TEST_F(SelectorClick, ModulesAreFiledNextToTheirKind) {
  EXPECT_EQ(AddModule(0, {"zk_VlamMod", "zk_VlamFlash", "zk_VlamFlash", "zk_Vlam"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamFlash", "zk_VlamFlash", "zk_Vlam"}));
  // The new builder is the fourth effect, not one of the earlier two.
  const auto &ids = reinterpret_cast<FakeEffectHost::Layer *>(host.layer)->effects;
  EXPECT_EQ(ids[3], host.next_effect_id - 1);

  EXPECT_EQ(AddModule(1, {"zk_VlamMod", "zk_VlamFlash", "zk_VlamMod", "zk_Vlam"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamMod", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_EQ(AddModule(2, {"zk_VlamMod", "zk_VlamFlash", "zk_Vlam", "zk_VlamInstance"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamRelighter", "zk_Vlam", "zk_VlamInstance"}));
  EXPECT_EQ(AddModule(2, {"zk_VlamMod", "zk_VlamFlash"}),
            (Stack{"zk_VlamRelighter", "zk_VlamMod", "zk_VlamFlash"}));
  // Searching from the bottom meets the new builder first; were it taken as
  // the anchor, the builder would stay below the Render effect.
  EXPECT_EQ(AddModule(0, {"zk_VlamMod", "zk_Vlam"}), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_Vlam"}));

  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.liveStreams, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
  host.invalidated.clear();
  host.layer = host.NewLayer({"zk_VlamMod"});
  ASSERT_EQ(Click(1, 118, 124), PF_Err_NONE);  // the last pixels inside button 0
  EXPECT_EQ(host.SelectorRecord().modules.state, 2);
  EXPECT_EQ(host.SelectorRecord().modules.index, 0);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);
  ASSERT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(host.invalidated[0].right, 118);

  ASSERT_EQ(Click(1, 121, 110), PF_Err_NONE);  // between buttons 0 and 1
  EXPECT_EQ(host.SelectorRecord().modules.state, 0);
  EXPECT_EQ(host.SelectorRecord().modules.index, -1);
  EXPECT_EQ(host.StackOf(host.layer).size(), 2u);  // one applied, not two
  EXPECT_EQ(host.invalidated.size(), 1u);
  host.Fail("RequestCommand", A_Err_GENERIC);
  EXPECT_EQ(Click(2, 300, 110), A_Err_GENERIC);  // its result is the click's
  EXPECT_EQ(host.CallsOf("RequestCommand"), std::vector<std::string>{"RequestCommand 1"});
  host.Fail("PF_InvalidateRect", PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Click(2, 300, 110), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.CallsOf("RequestCommand").size(), 1u);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

}  // namespace
}  // namespace vlam_test
