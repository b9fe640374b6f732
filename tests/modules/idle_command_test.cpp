// Numbered commands run as host scripts from the idle hook.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "frame/fake_host_support.h"
#include "modules/grain_precomp_script.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"

namespace vlam_test {
namespace {

class IdleCommand : public LoadedUtilityPlugin {};

// Command 1 runs the grain script (which makes the grain comp), any other an
// empty one, the last request wins, and each runs once.
TEST_F(IdleCommand, TheLastRequestedCommandRunsItsScriptOnce) {
  const struct { std::vector<A_long> requests; std::vector<std::string> scripts; } cases[] = {
      {{}, {}}, {{1}, {vlam::GrainPrecompScript()}}, {{5}, {""}}, {{5, 1}, {vlam::GrainPrecompScript()}}};
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
  // Commands 0 and below have no script either.
  EXPECT_STREQ(vlam::ScriptForCommand(0), "");
  EXPECT_STREQ(vlam::ScriptForCommand(-7), "");
}

TEST_F(IdleCommand, ScriptErrorIsReturnedRequestSpentStackBuiltFirst) {
  host.Fail("ExecuteScript", A_Err_GENERIC);
  suite->RequestCommand(1);
  EXPECT_EQ(host.Idle(), A_Err_GENERIC);
  EXPECT_TRUE(host.CallsOf("FreeMemHandle").empty());
  EXPECT_EQ(vlam::TheUtilityState().pending_command(), -1);
  EXPECT_TRUE(host.reports.empty());  // a plain host result is not reported
  // In one idle call the module stack is built before the command runs.
  host.scripts.clear();
  AEGP_LayerH layer = host.NewLayer({"zk_Vlam"});
  suite->RequestModuleStack(layer);
  suite->RequestCommand(5);
  ASSERT_EQ(host.Idle(), A_Err_NONE);
  EXPECT_EQ(host.StackOf(layer).size(), 4u);
  EXPECT_EQ(host.scripts.size(), 1u);
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

}  // namespace
}  // namespace vlam_test
