// Loading the utility plug-in: publishing its suite and the idle hook.
#include <gtest/gtest.h>

#include "frame/fake_host_support.h"
#include "modules/utility_plugin.h"
#include "modules/utility_state.h"

namespace vlam_test {
namespace {

constexpr AEGP_PluginID kPluginId = 42;

A_Err Load(FakeEffectHost &host) {
  AEGP_GlobalRefcon refcon = reinterpret_cast<AEGP_GlobalRefcon>(0x77);
  const A_Err err = EntryPointFunc_VlamUtils(host.registry.basic(), 13, 28, kPluginId, &refcon);
  EXPECT_EQ(refcon, reinterpret_cast<AEGP_GlobalRefcon>(0x77));  // left untouched
  return err;
}

// Loading publishes the suite, registers the idle hook and drops requests
// left pending.
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
  EXPECT_NE(host.idle_hook, nullptr);
  EXPECT_TRUE(host.reports.empty());
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(host.registry.released(kSPSuitesSuite, kSPSuitesSuiteVersion), 1);
}

TEST(UtilityEntry, EachLoadingFailureIsReportedOnceAndReturned) {
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
       [](FakeEffectHost &h) { h.registry.Withdraw(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion5); },
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

}  // namespace
}  // namespace vlam_test
