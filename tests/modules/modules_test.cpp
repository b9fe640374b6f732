// The utility plug-in (its loading, and the numbered commands and module
// stacks it runs from the idle hook) and the Module Selector's drawing,
// hovering and clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"
#include "frame/suite_handler.h"
#include "modules/apply_and_place.h"
#include "modules/grain_precomp_script.h"
#include "modules/selector_state.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"
#include "ui/ui_event_support.h"

namespace vlam_test {
namespace {

class IdleCommand : public LoadedUtilityPlugin {};

// Command 1 runs the grain script (which makes the grain comp), any other an
// empty one, the last request wins, and each runs once.
TEST_F(IdleCommand, TheLastRequestedCommandRunsItsScriptOnce) {
  const struct { std::vector<A_long> requests; std::vector<std::string> scripts; } cases[] = {
      {{}, {}}, {{1}, {vlam::GrainPrecompScript()}}, {{5}, {""}},
      {{5, 1}, {vlam::GrainPrecompScript()}}};
  for (const auto &[requests, scripts] : cases) {
    host.scripts.clear();
    host.calls.clear();
    for (A_long command : requests) suite->RequestCommand(command);
    ASSERT_EQ(host.Idle(), A_Err_NONE);
    EXPECT_EQ(host.scripts, scripts);
    EXPECT_EQ(host.CallsOf("FreeMemHandle"),
              std::vector<std::string>(scripts.size(), "FreeMemHandle script result"));
    EXPECT_EQ(vlam::TheUtilityState().pending_command(), -1);
    ASSERT_EQ(host.Idle(), A_Err_NONE);
    EXPECT_EQ(host.scripts, scripts);  // run once
  }
  EXPECT_EQ(host.CallsOf("ExecuteScript")[0], "ExecuteScript 0 platform");
  EXPECT_NE(host.scripts[0].find("CreateGrainComp();"), std::string::npos);
  EXPECT_STREQ(vlam::ScriptForCommand(0), "");  // nor has command 0
}

TEST_F(IdleCommand, ScriptErrorIsReturnedAndTheRequestSpent) {
  host.Fail("ExecuteScript", A_Err_GENERIC);
  suite->RequestCommand(1);
  EXPECT_EQ(host.Idle(), A_Err_GENERIC);
  EXPECT_TRUE(host.CallsOf("FreeMemHandle").empty());
  EXPECT_EQ(vlam::TheUtilityState().pending_command(), -1);
  EXPECT_TRUE(host.reports.empty());  // a plain host result is not reported
}

// Requests arrive from effect commands while the idle hook runs elsewhere.
// Every request is carried out at most once and the last one is never lost.
TEST_F(IdleCommand, ConcurrentRequestsAndIdleCalls) {
  std::vector<AEGP_LayerH> layers;
  for (int i = 0; i < 4; ++i) layers.push_back(host.NewLayer({"zk_Vlam"}));
  std::thread idler([&] {
    for (int i = 0; i < 200; ++i) host.Idle();
  });
  std::vector<std::thread> requesters;
  for (int t = 0; t < 2; ++t) {
    requesters.emplace_back([&, t] {
      for (int i = 0; i < 200; ++i) {
        suite->RequestModuleStack(layers[static_cast<std::size_t>((t + i) % 4)]);
        suite->RequestCommand(t == 0 ? 5 : 6);
      }
    });
  }
  for (std::thread &r : requesters) r.join();
  idler.join();
  // A stack and a command requested together are both carried out in one
  // idle call.
  suite->RequestModuleStack(layers[3]);
  suite->RequestCommand(5);
  const std::size_t scripts_before = host.scripts.size();
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.scripts.size(), scripts_before + 1);
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(vlam::TheUtilityState().pending_command(), -1);
  // Every request taken was carried out whole: each layer holds as many
  // Module Selectors as Flash Builders and Flash Instances, above its Render.
  for (AEGP_LayerH layer : layers) {
    const auto stack = host.StackOf(layer);
    const auto count = [&](const char *name) {
      return std::count(stack.begin(), stack.end(), name);
    };
    EXPECT_EQ(count("zk_VlamMod"), count("zk_VlamFlash"));
    EXPECT_EQ(count("zk_VlamMod"), count("zk_VlamInstance"));
    EXPECT_EQ(stack.back(), "zk_Vlam");
  }
  EXPECT_GE(host.StackOf(layers[3]).size(), 4u);
  EXPECT_EQ(host.liveEffectRefs, 0);
}

// Loading the utility plug-in: publishing its suite and the idle hook.
constexpr AEGP_PluginID kPluginId = 42;

A_Err Load(FakeEffectHost &host) {
  AEGP_GlobalRefcon refcon = reinterpret_cast<AEGP_GlobalRefcon>(0x77);
  const A_Err err = EntryPointFunc_VlamUtils(host.registry.basic(), 13, 28, kPluginId, &refcon);
  EXPECT_EQ(refcon, reinterpret_cast<AEGP_GlobalRefcon>(0x77));  // left untouched
  return err;
}

// Loading publishes the suite, registers the idle hook and drops requests
// left pending (the host's module tests see the suite and hook in use).
TEST(UtilityEntry, PublishesTheSuiteRegistersTheIdleHookResetsRequests) {
  FakeEffectHost host;
  vlam::TheUtilityState().RequestCommand(1);
  vlam::TheUtilityState().RequestModuleStack(host.NewLayer({}));
  ASSERT_EQ(Load(host), A_Err_NONE);
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(vlam::TheUtilityState().pending_command(), -1);
  EXPECT_EQ(vlam::TheUtilityState().target_layer(), nullptr);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"AddSuite ZK Vlam Utils Suite 1.1 global no-host",
                                                  "RegisterIdleHook 42"}));
  EXPECT_EQ(host.idle_refcon, nullptr);
  EXPECT_EQ(host.registry.outstanding(), 0);
  struct Case {
    const char *what;
    void (*fail)(FakeEffectHost &);
    A_Err expected;
    bool reported = true;
  };
  const Case cases[] = {
      {"no SP Suites Suite",
       [](FakeEffectHost &h) { h.registry.Withdraw(kSPSuitesSuite, kSPSuitesSuiteVersion); },
       A_Err_MISSING_SUITE},
      {"AddSuite fails", [](FakeEffectHost &h) { h.Fail("AddSuite", kSPBadParameterError); },
       static_cast<A_Err>(kSPBadParameterError)},
      {"idle hook refused", [](FakeEffectHost &h) { h.Fail("RegisterIdleHook", A_Err_GENERIC); },
       A_Err_GENERIC},
      {"no register suite",  // reported, not thrown
       [](FakeEffectHost &h) {
         h.registry.Withdraw(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion5);
       },
       PF_Err_BAD_CALLBACK_PARAM},
      {"no utility suite for the report either: the first error is kept",
       [](FakeEffectHost &h) {
         h.registry.Withdraw(kSPSuitesSuite, kSPSuitesSuiteVersion);
         h.registry.Withdraw(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3);
       },
       A_Err_MISSING_SUITE, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    FakeEffectHost host;
    c.fail(host);
    EXPECT_EQ(Load(host), c.expected);
    EXPECT_EQ(host.reports, std::vector<std::string>(c.reported, "Error initialising zkVlamUtil!"));
    EXPECT_EQ(host.CallsOf("ReportInfo"), std::vector<std::string>(c.reported, "ReportInfo 42"));
    EXPECT_EQ(host.idle_hook, nullptr);
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
}

// The idle hook assembling the module stack on a layer.
using Stack = std::vector<std::string>;

class ModuleStack : public LoadedUtilityPlugin {};

TEST_F(ModuleStack, FreshAndExistingStacksOnlyTheLastRequested) {
  // The modules go on top at the next idle call, once.
  const auto stacked = [&](const Stack &before) {
    const AEGP_LayerH layer = host.NewLayer(before);
    suite->RequestModuleStack(layer);
    EXPECT_EQ(host.StackOf(layer), before);
    EXPECT_EQ(host.Idle(), A_Err_NONE);
    EXPECT_EQ(host.Idle(), A_Err_NONE);
    return host.StackOf(layer);
  };
  EXPECT_EQ(stacked({"zk_Vlam"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(stacked({"zk_Vlam", "ADBE Gaussian Blur 2", "zk_VlamMod"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam",
                   "ADBE Gaussian Blur 2", "zk_VlamMod"}));
  // Of two requests only the last requested layer gets the modules.
  const AEGP_LayerH first = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(first);
  EXPECT_EQ(stacked({"zk_Vlam"}).size(), 4u);
  EXPECT_EQ(host.StackOf(first), Stack{"zk_Vlam"});
  // Without the builder installed the instance goes on top.
  host.installed.erase(std::find(host.installed.begin(), host.installed.end(), "zk_VlamFlash"));
  EXPECT_EQ(stacked({"zk_Vlam"}), (Stack{"zk_VlamInstance", "zk_VlamMod", "zk_Vlam"}));
}

// Applying one effect and moving it into place: exact match names, anchors,
// and host failures at each step (the new effect is always disposed).
TEST_F(ModuleStack, ApplyAndPlaceNoLayerAndRefusedEffectSuite) {
  struct Case {
    const char *what;
    Stack installed, layer;
    const char *failing;
    int fail_after;
    const char *effect;
    vlam::Placement placement;
    const char *anchor;
    A_Err expected;
    Stack result;
  };
  using P = vlam::Placement;
  const Case cases[] = {
      {"match names compare exactly", {"zk_VlamModX", "zk_vlammod", "zk_VlamMod"}, {}, nullptr, 0,
       "zk_VlamMod", P::kTop, nullptr, A_Err_NONE, {"zk_VlamMod"}},
      {"before the anchor", {}, {"zk_Vlam", "zk_VlamRelighter"}, nullptr, 0, "zk_VlamFlash",
       P::kBeforeAnchor, "zk_VlamRelighter", A_Err_NONE,
       {"zk_Vlam", "zk_VlamFlash", "zk_VlamRelighter"}},
      {"failed reorder: applied, not moved", {}, {"zk_Vlam"}, "ReorderEffect", 0, "zk_VlamMod",
       P::kTop, nullptr, A_Err_GENERIC, {"zk_Vlam", "zk_VlamMod"}},
      {"failure looking for the anchor skips the move", {}, {"zk_VlamMod"},
       "GetInstalledKeyFromLayerEffect", 0, "zk_VlamFlash", P::kAfterAnchor, "zk_VlamMod",
       A_Err_PARAMETER, {"zk_VlamMod", "zk_VlamFlash"}},
      {"failure in the installed walk applies nothing", {}, {}, "GetEffectMatchName", 1,
       "zk_VlamMod", P::kTop, nullptr, A_Err_PARAMETER, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    FakeEffectHost fresh;
    if (!c.installed.empty()) fresh.installed = c.installed;
    if (c.failing) fresh.Fail(c.failing, c.expected, c.fail_after + 1);
    AEGP_LayerH layer = fresh.NewLayer(c.layer);
    vlam::SuiteHandler suites(fresh.registry.basic());
    EXPECT_EQ(vlam::ApplyAndPlace(suites, layer, c.effect, c.placement, c.anchor), c.expected);
    EXPECT_EQ(fresh.StackOf(layer), c.result);
    EXPECT_EQ(fresh.liveEffectRefs, 0);
  }
  // On the loaded plug-in: a request without a layer applies nothing; a
  // refused effect suite is reported by the idle hook.
  suite->RequestModuleStack(nullptr);
  EXPECT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(host.next_effect_id, 1);
  host.registry.Withdraw(kAEGPEffectSuite, kAEGPEffectSuiteVersion3);
  suite->RequestModuleStack(host.NewLayer({"zk_Vlam"}));
  EXPECT_EQ(host.Idle(), PF_Err_BAD_CALLBACK_PARAM);
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_NE(host.reports[0].find("516"), std::string::npos);
  // The request is spent either way.
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(host.registry.outstanding(), 0);
}

// Module Selector drawing, hovering and clicks. The Modules row's frame
// starts at (0, 100): buttons at x 5.5, 123.5 and 241.5, each 113 x 19, at
// y 105.5.
class SelectorUi : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE); }

  // Runs a command through the Module Selector's entry, keeping its record.
  PF_Err Run(PF_Cmd cmd, void *extra = nullptr) {
    host.out_data.sequence_data = host.in_data.sequence_data;
    const PF_Err err = CallEffect(EntryPoint_VlamMod, cmd, host, extra);
    host.in_data.sequence_data = host.out_data.sequence_data;
    return err;
  }
  vlam::SelectorState &Record() {
    return *static_cast<vlam::SelectorState *>(*host.in_data.sequence_data);
  }
  // An event on parameter `param` at (x, y); its out flags, preset to
  // PF_EO_ALWAYS_UPDATE, go to out_flags.
  PF_Err Send(PF_EventType type, A_long x = 0, A_long y = 0, PF_ParamIndex param = 1) {
    PF_EventExtra event = MakeUiEvent(type, param, PF_Rect{0, 100, 320, 132}, x, y);
    event.evt_out_flags = PF_EO_ALWAYS_UPDATE;
    const PF_Err err = Run(PF_Cmd_EVENT, &event);
    out_flags = event.evt_out_flags;
    return err;
  }
  // Clicks button k of the Modules row on a layer stacked `before`.
  Stack AddModule(int k, const Stack &before) {
    host.layer = host.NewLayer(before);
    EXPECT_EQ(Send(PF_Event_DO_CLICK, 10 + 118 * k, 110), PF_Err_NONE);
    return host.StackOf(host.layer);
  }

  FakeEffectHost host;
  PF_EventOutFlags out_flags = 0;
};

constexpr float kFace = 0x4000 / 65536.0f;
constexpr float kHoverFace = 0x6000 / 65536.0f;

TEST_F(SelectorUi, DrawsLabelledButtonsInTheirStateAndDrawingFailures) {
  Record().modules = {1, 2};
  ASSERT_EQ(Send(PF_Event_DRAW), PF_Err_NONE);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);
  const auto fills = host.drawbot.DrawsOf("FillPath");
  const auto labels = host.drawbot.DrawsOf("DrawString");
  ASSERT_EQ(fills.size(), 3u);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(host.drawbot.draws.size(), 6u);  // nothing else is painted
  const float lefts[] = {5.5f, 123.5f, 241.5f};
  const char *texts[] = {"Add Flash Builder", "Add Instance", "Add Relighter"};
  for (int k = 0; k < 3; ++k) {  // centred labels, 11 points high, 5 below the middle
    const FakeDrawbot::PathOp &rect = fills[k].path.at(0);
    EXPECT_EQ(std::tuple(rect.a, rect.b, rect.c, rect.d),
              std::tuple(lefts[k], 105.5f, 113.f, 19.f));
    EXPECT_FLOAT_EQ(fills[k].color.red, k == 2 ? kHoverFace : kFace);
    const FakeDrawbot::Draw &l = labels[k];
    EXPECT_EQ(std::tuple(l.text, l.origin.x, l.origin.y, l.alignment, l.size),
              std::tuple(texts[k], lefts[k] + 56.5f, 120.f, kDRAWBOT_TextAlignment_Center, 11.f));
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{"PF_AppGetColor 15", "PF_AppGetColor 14",
                                                  "PF_AppGetColor 9", "PF_AppGetColor 56"}));

  host.drawbot.draws.clear();
  Record().modules = {2, 1};
  ASSERT_EQ(Send(PF_Event_DRAW), PF_Err_NONE);
  EXPECT_FLOAT_EQ(host.drawbot.DrawsOf("DrawString")[1].color.green, 0x8000 / 65536.0f);
  EXPECT_FLOAT_EQ(host.drawbot.DrawsOf("FillPath")[1].color.red, kFace);
  EXPECT_EQ(host.drawbot.Live(), 0);
  // A DRAWBOT_Exception inside the handler is the event's result and leaves
  // the record unlocked (refused DRAWBOT suites are checked with the UI's
  // own tests).
  host.drawbot.failing["NewDefaultFont"] = 9;
  EXPECT_EQ(Send(PF_Event_DRAW), 9);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

TEST_F(SelectorUi, HoverTracksTheButtonUnderTheMouse) {
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 130, 110), PF_Err_NONE);
  EXPECT_EQ(std::pair(Record().modules.state, Record().modules.index), std::pair(1, 1));
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 121, 110), PF_Err_NONE);  // leaving repaints it
  EXPECT_EQ(Record().modules.index, -1);
  ASSERT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(host.invalidated[1].left, 123);
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 121, 110), PF_Err_NONE);
  EXPECT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);

  Record().modules = {1, 7};  // a damaged record names no button of the row
  ASSERT_EQ(Send(PF_Event_ADJUST_CURSOR, 121, 110), PF_Err_NONE);
  EXPECT_EQ(host.invalidated.size(), 2u);
}

// Clicks: which button a point hits, and where the applied module effect is
// filed in the layer's stack.
TEST_F(SelectorUi, ModulesAreFiledNextToTheirKind) {
  EXPECT_EQ(AddModule(0, {"zk_VlamMod", "zk_VlamFlash", "zk_VlamFlash", "zk_Vlam"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamFlash", "zk_VlamFlash", "zk_Vlam"}));
  // The new builder is the fourth effect, not one of the earlier two.
  const auto &ids = reinterpret_cast<FakeEffectHost::Layer *>(host.layer)->effects;
  EXPECT_EQ(ids[3].id, host.next_effect_id - 1);

  EXPECT_EQ(AddModule(1, {"zk_VlamMod", "zk_VlamFlash", "zk_VlamMod", "zk_Vlam"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamMod", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_EQ(AddModule(2, {"zk_VlamMod", "zk_VlamFlash", "zk_Vlam", "zk_VlamInstance"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamRelighter", "zk_Vlam",
                   "zk_VlamInstance"}));
  EXPECT_EQ(AddModule(2, {"zk_VlamMod", "zk_VlamFlash"}),
            (Stack{"zk_VlamRelighter", "zk_VlamMod", "zk_VlamFlash"}));
  // Searching from the bottom meets the new builder first; were it taken as
  // the anchor, the builder would stay below the Render effect.
  EXPECT_EQ(AddModule(0, {"zk_VlamMod", "zk_Vlam"}),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_Vlam"}));

  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.liveStreams, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(host.handles.LockCount(host.in_data.sequence_data), 0);
  host.invalidated.clear();
  host.layer = host.NewLayer({"zk_VlamMod"});
  ASSERT_EQ(Send(PF_Event_DO_CLICK, 118, 124), PF_Err_NONE);  // the last pixels inside button 0
  EXPECT_EQ(std::pair(Record().modules.state, Record().modules.index), std::pair(2, 0));
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW);
  ASSERT_EQ(host.invalidated.size(), 1u);
  EXPECT_EQ(host.invalidated[0].right, 118);

  ASSERT_EQ(Send(PF_Event_DO_CLICK, 121, 110), PF_Err_NONE);  // between buttons 0 and 1
  EXPECT_EQ(std::pair(Record().modules.state, Record().modules.index), std::pair(0, -1));
  EXPECT_EQ(host.StackOf(host.layer).size(), 2u);  // one applied, not two
  EXPECT_EQ(host.invalidated.size(), 1u);
  host.Fail("RequestCommand", A_Err_GENERIC);
  // A click on the Utilities row asks for a command; its result is the click's.
  EXPECT_EQ(Send(PF_Event_DO_CLICK, 300, 110, 2), A_Err_GENERIC);
  EXPECT_EQ(host.CallsOf("RequestCommand"), std::vector<std::string>{"RequestCommand 1"});
  host.Fail("PF_InvalidateRect", PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Send(PF_Event_DO_CLICK, 300, 110, 2), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.CallsOf("RequestCommand").size(), 1u);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

}  // namespace
}  // namespace vlam_test
