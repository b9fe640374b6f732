// The idle hook assembling the module stack on a layer.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame/suite_handler.h"
#include "modules/apply_and_place.h"
#include "frame/fake_host_support.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"

namespace vlam_test {
namespace {

using Stack = std::vector<std::string>;

class ModuleStack : public LoadedUtilityPlugin {};

TEST_F(ModuleStack, FreshLayerReadsSelectorBuilderInstanceRenderOnlyTheLastRequested) {
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(layer);
  EXPECT_EQ(host.StackOf(layer), Stack{"zk_Vlam"});  // nothing before the idle call
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Done once: the next idle call changes nothing.
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer).size(), 4u);
  // Of two requests only the last requested layer gets the modules.
  AEGP_LayerH first = host.NewLayer({"zk_Vlam"});
  AEGP_LayerH second = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(first);
  suite->RequestModuleStack(second);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(first), Stack{"zk_Vlam"});
  EXPECT_EQ(host.StackOf(second).size(), 4u);
}

TEST_F(ModuleStack, ExistingSelectorAndMissingBuilder) {
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam", "ADBE Gaussian Blur 2", "zk_VlamMod"});
  suite->RequestModuleStack(layer);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam",
                                        "ADBE Gaussian Blur 2", "zk_VlamMod"}));
  // Without the builder installed the instance goes on top.
  host.installed.erase(std::find(host.installed.begin(), host.installed.end(), "zk_VlamFlash"));
  layer = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(layer);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_VlamInstance", "zk_VlamMod", "zk_Vlam"}));
}

// Applying one effect and moving it into place: exact match names, anchors,
// and host failures at each step (the new effect is always disposed).
TEST_F(ModuleStack, ApplyAndPlace) {
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
       P::kBeforeAnchor, "zk_VlamRelighter", A_Err_NONE, {"zk_Vlam", "zk_VlamFlash", "zk_VlamRelighter"}},
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
    if (c.failing) {
      fresh.Fail(c.failing, c.expected, c.fail_after + 1);
    }
    AEGP_LayerH layer = fresh.NewLayer(c.layer);
    vlam::SuiteHandler suites(fresh.registry.basic());
    EXPECT_EQ(vlam::ApplyAndPlace(suites, layer, c.effect, c.placement, c.anchor), c.expected);
    EXPECT_EQ(fresh.StackOf(layer), c.result);
    EXPECT_EQ(fresh.liveEffectRefs, 0);
  }
}

// A request without a layer applies nothing; a refused effect suite is
// reported by the idle hook.
TEST_F(ModuleStack, NoLayerAndRefusedEffectSuite) {
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

}  // namespace
}  // namespace vlam_test
