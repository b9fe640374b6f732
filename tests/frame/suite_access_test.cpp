// Host services: the two ways the module gets suites, parameter checkout
// with typed readers, value suites and parameter UI, persistent settings,
// and rows split into bands over the host's threads.
#include <gtest/gtest.h>

#include <array>
#include <mutex>
#include <set>
#include <stdexcept>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "frame/fake_host_support.h"
#include "frame/param_checkout.h"
#include "frame/param_ui.h"
#include "frame/persistent_settings.h"
#include "frame/row_bands.h"
#include "frame/scoped_suite.h"
#include "frame/suite_handler.h"

namespace vlam_test {
namespace {

template <typename Body>
A_long ThrownCode(Body body) {
  try {
    body();
  } catch (A_long code) {
    return code;
  }
  return 0;
}

// (The message variant of a refused scoped suite is seen with the Render
// effect's sequence setup; every test checks that suites are released.)
TEST(SuiteAccess, SuiteHandlerAndScopedSuite) {
  FakeEffectHost host;
  {
    vlam::SuiteHandler suites(host.registry.basic());
    const auto *first = suites.Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
    EXPECT_EQ(first, host.handles.Handles());
    EXPECT_EQ(suites.Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1), first);
    suites.Get<AEGP_IterateSuite1>(kAEGPIterateSuite, kAEGPIterateSuiteVersion1);
    EXPECT_EQ(host.registry.acquired(kPFHandleSuite, kPFHandleSuiteVersion1), 1);
    EXPECT_EQ(host.registry.outstanding(), 2);
  }
  EXPECT_EQ(host.registry.outstanding(), 0);
  // A refused suite throws 516 and leaves the others releasable.
  EXPECT_EQ(ThrownCode([&] {
              vlam::SuiteHandler suites(host.registry.basic());
              suites.Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
              suites.Get<PF_HandleSuite1>("PF Nonexistent Suite", 1);
            }),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // A refused scoped suite throws 13 and, without a message, shows none.
  EXPECT_EQ(ThrownCode([&] {
              vlam::ScopedSuite<PF_HandleSuite1> suite(host.registry.basic(), "PF Nonexistent", 1);
            }),
            A_Err_MISSING_SUITE);
  EXPECT_EQ(host.out_data.out_flags, 0);
}

// Minor version 4 is the first to get the version 4 suite and its
// machine-specific blob.
TEST(PersistentSettings, Version4SuiteMissingKeysHostErrorsAndRefusedSuites) {
  for (const A_short minor : {3, 4, 14}) {
    SCOPED_TRACE(minor);
    FakeEffectHost host;
    host.in_data.version = PF_SpecVersion{13, minor};
    {
      vlam::PersistentSettings settings(&host.in_data, "Settings_zkVlam");
      ASSERT_TRUE(settings.usable());
      EXPECT_EQ(settings.SetString("MAIN_SHAPE_PRESET_1", "[x:0;y:1]"), A_Err_NONE);
      EXPECT_EQ(settings.GetString("MAIN_SHAPE_PRESET_1", "dflt", 512), "[x:0;y:1]");
    }
    // The machine-specific blob (type 0) of version 4; version 3 names none.
    const std::vector<std::string> expected{
        minor >= 4 ? "GetApplicationBlob 0" : "GetApplicationBlob",
        "SetString Settings_zkVlam/MAIN_SHAPE_PRESET_1"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_EQ(host.settings.at("Settings_zkVlam/MAIN_SHAPE_PRESET_1"), "[x:0;y:1]");
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
  FakeEffectHost host;
  host.settings["S/k"] = "abcdefghij";
  vlam::PersistentSettings settings(&host.in_data, "S");
  EXPECT_EQ(settings.GetString("nothing", "[x:0;y:0.75],[x:1;y:0.75]", 512),
            "[x:0;y:0.75],[x:1;y:0.75]");
  EXPECT_EQ(settings.GetString("k", "", 4), "abc");
  EXPECT_EQ(settings.GetString("k", "", 0), "");
  host.Fail("GetString", A_Err_GENERIC);
  EXPECT_EQ(settings.GetString("k", "fallback", 64), "fallback");
  host.registry.Withdraw(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4);
  EXPECT_EQ(ThrownCode([&] { vlam::PersistentSettings refused(&host.in_data, "S"); }),
            A_Err_MISSING_SUITE);
  PF_InData no_basic = host.in_data;
  no_basic.pica_basicP = nullptr;
  EXPECT_FALSE(vlam::PersistentSettings(&no_basic, "S").usable());
}

// The bands run (first row, last row, last iteration), in row order.
using Bands = std::multiset<std::array<A_long, 3>>;
struct Recorder {
  std::mutex mutex;
  Bands bands;
};

A_Err Record(void *user, A_long first, A_long last, A_long last_iteration) {
  auto *recorder = static_cast<Recorder *>(user);
  std::lock_guard<std::mutex> lock(recorder->mutex);
  recorder->bands.insert({first, last, last_iteration});
  return A_Err_NONE;
}

// Bands of rows, last to last iteration, for a count asked for or the host's
// thread count (at least one band when the host reports none).
TEST(RowBands, BandsThreadCountsExceptionsAndAMissingSuite) {
  struct Case {
    A_long rows, threads, host_threads;
    Bands bands;
  };
  const Case cases[] = {
      {10, 4, 3, {{0, 1, 3}, {2, 3, 3}, {4, 5, 3}, {6, 9, 3}}},
      {9, vlam::kHostThreadCount, 3, {{0, 2, 2}, {3, 5, 2}, {6, 8, 2}}},
      {5, vlam::kHostThreadCount, 0, {{0, 4, 0}}},
  };
  for (const Case &c : cases) {
    FakeEffectHost host;
    host.host_threads = c.host_threads;
    Recorder recorder;
    ASSERT_EQ(vlam::RunRowBands(&host.in_data, c.rows, c.threads, &recorder, Record), A_Err_NONE);
    EXPECT_EQ(recorder.bands, c.bands);
    EXPECT_EQ(host.calls,
              std::vector<std::string>{"IterateGeneric " + std::to_string(c.bands.size())});
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
  // Fewer rows than threads leave empty bands and cover every row.
  EXPECT_EQ(vlam::RowBandOf(2, 4, 0).last_row, -1);
  EXPECT_EQ(vlam::RowBandOf(2, 4, 3).first_row, 0);
  EXPECT_EQ(vlam::RowBandOf(2, 4, 3).last_row, 1);
  FakeEffectHost host;
  auto throwing = [](void *, A_long, A_long, A_long) -> A_Err {
    throw std::runtime_error("band failed");
  };
  EXPECT_EQ(vlam::RunRowBands(&host.in_data, 4, 2, nullptr, throwing), A_Err_NONE);
  // Without the iterate suite, 13 is thrown.
  host.registry.Withdraw(kAEGPIterateSuite, kAEGPIterateSuiteVersion1);
  Recorder recorder;
  EXPECT_EQ(ThrownCode([&] { vlam::RunRowBands(&host.in_data, 4, 2, &recorder, Record); }),
            A_Err_MISSING_SUITE);
}

// Parameter checkout with typed readers, value suites and parameter UI.
class ParamAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Param(1, PF_Param_ANGLE).u.ad.value = 2949120;     // 45 degrees
    host.Param(2, PF_Param_CHECKBOX).u.bd.value = 0x100;    // only the low byte counts
    PF_PointDef &point = host.Param(3, PF_Param_POINT).u.td;
    point.x_value = 10 << 16;
    point.y_value = -(3 << 15);
    host.Param(4, PF_Param_COLOR).u.cd.value = PF_Pixel{255, 255, 0, 51};
    host.Param(5, PF_Param_POPUP).u.pd.value = 3;
  }
  FakeEffectHost host;
};

TEST_F(ParamAccess, AngleSuiteOnlyFromApi134WithinMajorVersion13) {
  host.angleSuiteAnswer = 12.5;
  // Before 13.4 and from 14 on, the fixed value of the checkout is read.
  for (const PF_SpecVersion version : {PF_SpecVersion{13, 3}, PF_SpecVersion{14, 0}}) {
    host.in_data.version = version;
    vlam::ParamValueSuites suites(&host.in_data);
    EXPECT_EQ(suites.angle(), nullptr);
    EXPECT_DOUBLE_EQ(vlam::ParamCheckout(&host.in_data, 1).AngleValue(suites, false), 45.0);
  }
  EXPECT_TRUE(host.calls.empty());  // the angle suite was not asked
  EXPECT_EQ(host.registry.outstanding(), 0);  // released only when acquired
  host.in_data.version = PF_SpecVersion{13, 4};
  vlam::ParamValueSuites suites(&host.in_data);
  EXPECT_DOUBLE_EQ(vlam::ParamCheckout(&host.in_data, 1).AngleValue(suites, false), 12.5);
  EXPECT_EQ(host.calls, std::vector<std::string>{"GetFloatingPointValueFromAngleDef"});
}

// Typed readers (the values of each kind reach the effects' own tests): only
// a checkbox's low byte counts; a reader of the wrong kind, or a point or
// colour without its suite, gives zero.
TEST_F(ParamAccess, TypedReaders) {
  {
    vlam::ParamValueSuites suites(&host.in_data);
    vlam::ParamCheckout checkbox(&host.in_data, 2);
    EXPECT_FALSE(checkbox.CheckboxValue());
    EXPECT_EQ(checkbox.AngleValue(suites, true), 0.0);
  }
  host.registry.Withdraw(kPFPointParamSuite, kPFPointParamSuiteVersion1);
  host.registry.Withdraw(kPFColorParamSuite, kPFColorParamSuiteVersion1);
  vlam::ParamValueSuites suites(&host.in_data);
  EXPECT_TRUE(suites.acquired());
  EXPECT_EQ(vlam::ParamCheckout(&host.in_data, 3).PointValue(suites),
            (std::array<double, 2>{0.0, 0.0}));
  EXPECT_EQ(vlam::ParamCheckout(&host.in_data, 4).ColorValue(suites).alpha, 0.0f);
}

// A checkout is checked in at scope end; a failed one reads zero and is not.
TEST_F(ParamAccess, CheckoutScopeEnabledAndVisible) {
  {
    vlam::ParamCheckout popup(&host.in_data, 5);
    EXPECT_EQ(host.CheckedOut(), 1);
  }
  EXPECT_EQ(host.checkedIn, std::vector<PF_ParamIndex>{5});
  host.Fail("checkout_param 5", PF_Err_INVALID_INDEX);
  {
    vlam::ParamCheckout popup(&host.in_data, 5);
    EXPECT_EQ(popup.error(), PF_Err_INVALID_INDEX);
    EXPECT_EQ(popup.PopupValue(), 0);
    EXPECT_EQ(popup.ArbitraryValue(), nullptr);
    EXPECT_EQ(popup.Point3DValue(), (std::array<double, 3>{0.0, 0.0, 0.0}));
  }
  EXPECT_EQ(host.checkedIn.size(), 1u);
  // The whole flag word is replaced; without the parameter utilities suite 13
  // is thrown.
  PF_ParamDef def = ParamOfType(PF_Param_COLOR);
  def.ui_flags = PF_PUI_CONTROL | PF_PUI_DONT_ERASE_CONTROL;
  PF_ParamDef *params[5] = {nullptr, nullptr, nullptr, nullptr, &def};
  ASSERT_EQ(vlam::SetParamEnabled(&host.in_data, params, 4, false), PF_Err_NONE);
  EXPECT_EQ(def.ui_flags, PF_PUI_DISABLED);
  ASSERT_EQ(vlam::SetParamEnabled(&host.in_data, params, 4, true), PF_Err_NONE);
  EXPECT_EQ(def.ui_flags, 0);
  EXPECT_EQ(host.uiUpdates, (std::vector<std::pair<PF_ParamIndex, PF_ParamUIFlags>>{
                                {4, PF_PUI_DISABLED}, {4, 0}}));
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Without the parameter utilities suite: 13 thrown.
  host.registry.Withdraw(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3);
  EXPECT_EQ(ThrownCode([&] { vlam::SetParamEnabled(&host.in_data, params, 4, true); }),
            A_Err_MISSING_SUITE);
  ASSERT_EQ(vlam::SetParamVisible(&host.in_data, 7, false), A_Err_NONE);
  ASSERT_EQ(vlam::SetParamVisible(&host.in_data, 8, true), A_Err_NONE);
  const std::vector<std::string> hidden = {
      "SetDynamicStreamFlag " + std::to_string(AEGP_DynStreamFlag_HIDDEN) + " 7 set",
      "SetDynamicStreamFlag " + std::to_string(AEGP_DynStreamFlag_HIDDEN) + " 8 cleared"};
  EXPECT_EQ(host.CallsOf("SetDynamicStreamFlag"), hidden);
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.liveStreams, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Without the effect or its stream it stops.
  host.Fail("GetNewEffectForEffect", A_Err_GENERIC);
  EXPECT_EQ(vlam::SetParamVisible(&host.in_data, 7, false), A_Err_GENERIC);
  host.Fail("GetNewEffectStreamByIndex", A_Err_PARAMETER);
  EXPECT_EQ(vlam::SetParamVisible(&host.in_data, 7, false), A_Err_PARAMETER);
  EXPECT_EQ(host.CallsOf("SetDynamicStreamFlag"), hidden);
  EXPECT_EQ(host.liveEffectRefs, 0);  // the effect reference was disposed
}

}  // namespace
}  // namespace vlam_test
