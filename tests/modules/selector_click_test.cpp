// Module Selector clicks: which button a point hits, and where the applied
// module effect is filed in the layer's stack.
#include <gtest/gtest.h>

#include "modules/fake_selector_host_support.h"

namespace vlam_test {
namespace {

using Stack = std::vector<std::string>;

class SelectorClick : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(host.Command(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE); }

  // Clicks the Modules row at a point inside the control (frame top is 100).
  PF_Err ClickModules(A_long x, A_long y) {
    PF_EventExtra event = host.Event(PF_Event_DO_CLICK, 1, x, y);
    const PF_Err err = host.Send(event);
    out_flags = event.evt_out_flags;
    return err;
  }
  // The centre of Modules button k.
  PF_Err ClickButton(int k) { return ClickModules(10 + 118 * k, 110); }

  Stack Effects() const { return host.aegp.StackOf(host.aegp.effect_layer); }
  void UseStack(const Stack &names) {
    host.aegp.effect_layer = host.aegp.NewLayer(names);
  }
  // The position of the effect the last click applied.
  long NewEffectPosition() const {
    const auto &ids = reinterpret_cast<FakeAegpHost::Layer *>(host.aegp.effect_layer)->effects;
    const int newest = host.aegp.next_effect_id - 1;
    return std::find(ids.begin(), ids.end(), newest) - ids.begin();
  }

  FakeSelectorHost host;
  PF_EventOutFlags out_flags = 0;
};

TEST_F(SelectorClick, NewFlashBuilderGoesAfterTheLastBuilder) {
  UseStack({"zk_VlamMod", "zk_VlamFlash", "zk_VlamFlash", "zk_Vlam"});
  const int new_id = host.aegp.next_effect_id;
  ASSERT_EQ(ClickButton(0), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamFlash", "zk_VlamFlash", "zk_Vlam"}));
  EXPECT_EQ(host.aegp.next_effect_id, new_id + 1);
  EXPECT_EQ(NewEffectPosition(), 3);  // the fourth effect
}

TEST_F(SelectorClick, NewInstanceWithoutInstancesGoesAfterTheLastModuleSelector) {
  UseStack({"zk_VlamMod", "zk_VlamFlash", "zk_VlamMod", "zk_Vlam"});
  ASSERT_EQ(ClickButton(1), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamMod", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_EQ(NewEffectPosition(), 3);
}

TEST_F(SelectorClick, NewInstanceGoesAfterTheLastInstance) {
  UseStack({"zk_VlamMod", "zk_VlamInstance", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"});
  ASSERT_EQ(ClickButton(1), PF_Err_NONE);
  EXPECT_EQ(NewEffectPosition(), 4);
  EXPECT_EQ(Effects().back(), "zk_Vlam");
}

TEST_F(SelectorClick, TheNewEffectIsNotItsOwnAnchor) {
  // Searching from the bottom meets the new builder first; it must be passed
  // over, or the builder would stay below the Render effect.
  UseStack({"zk_VlamMod", "zk_Vlam"});
  ASSERT_EQ(ClickButton(0), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_Vlam"}));
}

TEST_F(SelectorClick, RelighterGoesBeforeTheRenderEffectOrOnTop) {
  UseStack({"zk_VlamMod", "zk_VlamFlash", "zk_Vlam", "zk_VlamInstance"});
  ASSERT_EQ(ClickButton(2), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamRelighter", "zk_Vlam", "zk_VlamInstance"}));

  UseStack({"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance"});
  ASSERT_EQ(ClickButton(2), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamRelighter", "zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance"}));
}

TEST_F(SelectorClick, EveryReferenceAndSuiteIsGivenBack) {
  UseStack({"zk_VlamMod", "zk_VlamFlash", "zk_Vlam"});
  for (int k = 0; k < 3; ++k) {
    ASSERT_EQ(ClickButton(k), PF_Err_NONE);
  }
  EXPECT_EQ(host.aegp.live_effect_refs, 0);
  EXPECT_EQ(host.aegp.live_streams, 0);
  EXPECT_EQ(host.aegp.registry.outstanding(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
}

TEST_F(SelectorClick, EdgesHitAndGapsMiss) {
  UseStack({"zk_VlamMod", "zk_Vlam"});
  // Button 0 spans x 5.5-118.5 and y 105.5-124.5: the last whole pixels
  // inside its right and bottom edges hit.
  ASSERT_EQ(ClickModules(118, 124), PF_Err_NONE);
  EXPECT_EQ(host.State().modules.state, 2);
  EXPECT_EQ(host.State().modules.index, 0);
  EXPECT_EQ(Effects().size(), 3u);
  ASSERT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(host.invalidated[0].left, 5);
  EXPECT_EQ(host.invalidated[0].top, 105);
  EXPECT_EQ(host.invalidated[0].right, 118);
  EXPECT_EQ(host.invalidated[0].bottom, 124);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);

  // Between buttons 0 and 1, and below the row.
  for (const PF_Point point : {PF_Point{121, 110}, PF_Point{50, 125}}) {
    ASSERT_EQ(ClickModules(point.h, point.v), PF_Err_NONE);
    EXPECT_EQ(host.State().modules.state, 0);
    EXPECT_EQ(host.State().modules.index, -1);
  }
  EXPECT_EQ(Effects().size(), 3u);  // nothing more applied
  EXPECT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);
}

TEST_F(SelectorClick, AnEffectThatIsNotInstalledAppliesNothing) {
  host.aegp.installed = {"zk_Vlam", "zk_VlamMod"};
  UseStack({"zk_VlamMod", "zk_Vlam"});
  EXPECT_EQ(ClickButton(0), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_Vlam"}));
  EXPECT_EQ(host.State().modules.state, 2);
}

TEST_F(SelectorClick, FilingErrorsAreNotTheClicksResult) {
  UseStack({"zk_VlamMod", "zk_Vlam"});
  host.aegp.failing["AEGP_ReorderEffect"] = A_Err_GENERIC;
  EXPECT_EQ(ClickButton(0), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_Vlam", "zk_VlamFlash"}));
  EXPECT_EQ(host.aegp.live_effect_refs, 0);
}

TEST_F(SelectorClick, AWalkErrorLeavesTheEffectWhereItWasApplied) {
  UseStack({"zk_VlamMod", "zk_Vlam"});
  host.aegp.failing["AEGP_GetInstalledKeyFromLayerEffect"] = A_Err_GENERIC;
  EXPECT_EQ(ClickButton(2), PF_Err_NONE);
  // Not moved to the top after the failure.
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_Vlam", "zk_VlamRelighter"}));
  EXPECT_EQ(host.aegp.live_effect_refs, 0);
}

TEST_F(SelectorClick, InvalidationErrorIsTheResult) {
  UseStack({"zk_VlamMod", "zk_Vlam"});
  host.invalidate_error = PF_Err_OUT_OF_MEMORY;
  EXPECT_EQ(ClickButton(1), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Effects().size(), 3u);  // the instance is applied all the same
}

TEST_F(SelectorClick, GrainPrecompAsksTheUtilityPlugin) {
  PF_EventExtra event = host.Event(PF_Event_DO_CLICK, 2, 100, 110);
  host.command_error = A_Err_GENERIC;
  EXPECT_EQ(host.Send(event), A_Err_GENERIC);
  EXPECT_EQ(host.commands, (std::vector<A_long>{1}));
  EXPECT_EQ(host.State().utilities.state, 2);
  EXPECT_EQ(host.State().utilities.index, 0);
  EXPECT_EQ(event.evt_out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);

  // The single button is 350 wide: x 5.5-355.5.
  event = host.Event(PF_Event_DO_CLICK, 2, 356, 110);
  EXPECT_EQ(host.Send(event), PF_Err_NONE);
  EXPECT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.State().utilities.index, -1);
}

TEST_F(SelectorClick, NoCommandWhenTheRepaintFailed) {
  host.invalidate_error = PF_Err_OUT_OF_MEMORY;
  PF_EventExtra event = host.Event(PF_Event_DO_CLICK, 2, 100, 110);
  EXPECT_EQ(host.Send(event), PF_Err_OUT_OF_MEMORY);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_EQ(host.aegp.registry.outstanding(), 0);
}

TEST_F(SelectorClick, OtherParametersOnlyMarkTheEventHandled) {
  UseStack({"zk_VlamMod"});
  PF_EventExtra event = host.Event(PF_Event_DO_CLICK, 0, 10, 110);
  event.evt_out_flags = PF_EO_ALWAYS_UPDATE;
  EXPECT_EQ(host.Send(event), PF_Err_NONE);
  EXPECT_EQ(event.evt_out_flags, PF_EO_HANDLED_EVENT);
  EXPECT_EQ(Effects().size(), 1u);
}

TEST_F(SelectorClick, WithoutASequenceRecordTheButtonsStillWork) {
  host.in_data.sequence_data = nullptr;
  UseStack({"zk_VlamMod", "zk_Vlam"});
  EXPECT_EQ(ClickButton(0), PF_Err_NONE);
  EXPECT_EQ(Effects(), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_Vlam"}));
}

TEST_F(SelectorClick, ARefusedSuiteEndsTheEventWithItsCode) {
  host.aegp.registry.Withdraw(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);
  EXPECT_EQ(ClickButton(0), A_Err_MISSING_SUITE);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
  EXPECT_EQ(host.aegp.registry.outstanding(), 0);
}

}  // namespace
}  // namespace vlam_test
