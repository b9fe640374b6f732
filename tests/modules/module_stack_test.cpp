// The idle hook assembling the module stack on a layer.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame/suite_handler.h"
#include "modules/apply_and_place.h"
#include "modules/fake_aegp_support.h"
#include "modules/loaded_plugin_support.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"

namespace vlam_test {
namespace {

using Stack = std::vector<std::string>;

class ModuleStack : public LoadedUtilityPlugin {};

TEST_F(ModuleStack, FreshLayerReadsSelectorBuilderInstanceRender) {
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(layer);
  EXPECT_EQ(host.StackOf(layer), Stack{"zk_Vlam"});  // nothing before the idle call
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer),
            (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(host.live_effect_refs, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Done once: the next idle call changes nothing.
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer).size(), 4u);
}

TEST_F(ModuleStack, ExistingSelectorAtIndexTwo) {
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam", "ADBE Gaussian Blur 2", "zk_VlamMod"});
  suite->RequestModuleStack(layer);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam",
                                        "ADBE Gaussian Blur 2", "zk_VlamMod"}));
}

TEST_F(ModuleStack, OnlyTheLastRequestedLayerGetsTheModules) {
  AEGP_LayerH first = host.NewLayer({"zk_Vlam"});
  AEGP_LayerH second = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(first);
  suite->RequestModuleStack(second);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(first), Stack{"zk_Vlam"});
  EXPECT_EQ(host.StackOf(second).size(), 4u);
}

TEST_F(ModuleStack, MissingBuilderPutsTheInstanceOnTop) {
  host.installed.erase(std::find(host.installed.begin(), host.installed.end(), "zk_VlamFlash"));
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(layer);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_VlamInstance", "zk_VlamMod", "zk_Vlam"}));
}

TEST_F(ModuleStack, MatchNamesCompareExactly) {
  host.installed = {"zk_VlamModX", "zk_vlammod", "zk_VlamMod"};
  AEGP_LayerH layer = host.NewLayer({});
  vlam::SuiteHandler suites(host.basic());
  ASSERT_EQ(vlam::ApplyAndPlace(suites, layer, "zk_VlamMod", vlam::Placement::kTop, nullptr),
            A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer), Stack{"zk_VlamMod"});
}

TEST_F(ModuleStack, BeforeAnchorPlacement) {
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam", "zk_VlamRelighter"});
  vlam::SuiteHandler suites(host.basic());
  ASSERT_EQ(vlam::ApplyAndPlace(suites, layer, "zk_VlamFlash", vlam::Placement::kBeforeAnchor,
                                "zk_VlamRelighter"),
            A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_Vlam", "zk_VlamFlash", "zk_VlamRelighter"}));
}

TEST_F(ModuleStack, FailedReorderStillDisposesTheNewEffect) {
  host.failing["AEGP_ReorderEffect"] = A_Err_GENERIC;
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam"});
  vlam::SuiteHandler suites(host.basic());
  EXPECT_EQ(vlam::ApplyAndPlace(suites, layer, "zk_VlamMod", vlam::Placement::kTop, nullptr),
            A_Err_GENERIC);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_Vlam", "zk_VlamMod"}));  // applied, not moved
  EXPECT_EQ(host.live_effect_refs, 0);
}

TEST_F(ModuleStack, FailureWhileLookingForTheAnchorSkipsTheMove) {
  host.failing["AEGP_GetInstalledKeyFromLayerEffect"] = A_Err_PARAMETER;
  AEGP_LayerH layer = host.NewLayer({"zk_VlamMod"});
  vlam::SuiteHandler suites(host.basic());
  EXPECT_EQ(vlam::ApplyAndPlace(suites, layer, "zk_VlamFlash", vlam::Placement::kAfterAnchor,
                                "zk_VlamMod"),
            A_Err_PARAMETER);
  EXPECT_EQ(host.StackOf(layer), (Stack{"zk_VlamMod", "zk_VlamFlash"}));
  EXPECT_EQ(host.live_effect_refs, 0);
}

TEST_F(ModuleStack, FailureInTheInstalledWalkAppliesNothing) {
  host.failing["AEGP_GetEffectMatchName"] = A_Err_PARAMETER;
  host.fail_after["AEGP_GetEffectMatchName"] = 1;
  AEGP_LayerH layer = host.NewLayer({});
  vlam::SuiteHandler suites(host.basic());
  EXPECT_EQ(vlam::ApplyAndPlace(suites, layer, "zk_VlamMod", vlam::Placement::kTop, nullptr),
            A_Err_PARAMETER);
  EXPECT_TRUE(host.StackOf(layer).empty());
}

TEST_F(ModuleStack, RefusedEffectSuiteIsReportedByTheIdleHook) {
  host.registry.Withdraw(kAEGPEffectSuite, kAEGPEffectSuiteVersion3);
  suite->RequestModuleStack(host.NewLayer({"zk_Vlam"}));
  EXPECT_EQ(host.Idle(), PF_Err_BAD_CALLBACK_PARAM);
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_NE(host.reports[0].find("516"), std::string::npos);
  // The request is spent either way.
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(host.registry.outstanding(), 0);
}

TEST_F(ModuleStack, RequestWithoutALayerAppliesNothing) {
  suite->RequestModuleStack(nullptr);
  EXPECT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_TRUE(vlam::TheUtilityState().stack_done());
  EXPECT_EQ(host.next_effect_id, 1);
}

}  // namespace
}  // namespace vlam_test
