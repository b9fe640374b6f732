#include "frame/persistent_settings.h"

#include <gtest/gtest.h>

#include "frame/fake_host_support.h"

namespace vlam_test {
namespace {

// Minor version 4 is the first to get the version 4 suite and its
// machine-specific blob.
TEST(PersistentSettings, Version4SuiteFromMinorVersion4) {
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
    const bool v4 = minor >= 4;
    // The machine-specific blob (type 0) of version 4; version 3 names none.
    EXPECT_EQ(host.calls, std::vector<std::string>{v4 ? "GetApplicationBlob 0" : "GetApplicationBlob"});
    EXPECT_EQ(host.settings.at("Settings_zkVlam/MAIN_SHAPE_PRESET_1"), "[x:0;y:1]");
    const A_long version = v4 ? kAEGPPersistentDataSuiteVersion4 : kAEGPPersistentDataSuiteVersion3;
    EXPECT_EQ(host.registry.acquired(kAEGPPersistentDataSuite, version), 1);
    EXPECT_EQ(host.registry.released(kAEGPPersistentDataSuite, version), 1);
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
}

TEST(PersistentSettings, MissingKeyOrHostErrorGivesTheDefaultAndTextStaysInTheBuffer) {
  FakeEffectHost host;
  host.settings["S/k"] = "abcdefghij";
  vlam::PersistentSettings settings(&host.in_data, "S");
  EXPECT_EQ(settings.GetString("nothing", "[x:0;y:0.75],[x:1;y:0.75]", 512),
            "[x:0;y:0.75],[x:1;y:0.75]");
  EXPECT_EQ(settings.GetString("k", "", 4), "abc");
  EXPECT_EQ(settings.GetString("k", "", 0), "");
  host.Fail("GetString", A_Err_GENERIC);
  EXPECT_EQ(settings.GetString("k", "fallback", 64), "fallback");
}

TEST(PersistentSettings, NoBasicSuiteIsUnusableARefusedSuiteThrows13) {
  FakeEffectHost host;
  host.registry.Withdraw(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4);
  EXPECT_THROW(vlam::PersistentSettings(&host.in_data, "S"), A_long);
  host.in_data.pica_basicP = nullptr;
  vlam::PersistentSettings settings(&host.in_data, "S");
  EXPECT_FALSE(settings.usable());
}

}  // namespace
}  // namespace vlam_test
