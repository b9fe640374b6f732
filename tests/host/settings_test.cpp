// Settings that live across runs: the settings store and its file, and the
// persistent data suite (the Flash Builder's curve presets across runs are
// checked through the tool).
#include "host/settings/SettingsStore.h"
#include "host_support.h"

#include <AE_GeneralPlug.h>

using vlam::host::SettingsStore;
using vlam::test::TempDir;
using namespace vlam;

namespace {

TEST(SettingsStore, ValuesSurviveOnlyChangesDirtyAndADamagedFileIsLeftAloneUntilSomethingChanges) {
  TempDir dir;
  const auto file = dir / "sub" / "settings.json";
  {
    SettingsStore store(file);
    EXPECT_FALSE(store.loadedDamagedFile());
    EXPECT_FALSE(store.get(0, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1").has_value());
    store.set(0, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1", std::string("[x:0;y:0.75],[x:1;y:0.75]"));
    store.set(1, "S", "double", 0.1 + 0.2);
    store.save();
  }
  SettingsStore again(file);
  EXPECT_EQ(std::get<std::string>(*again.get(0, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1")),
            "[x:0;y:0.75],[x:1;y:0.75]");
  EXPECT_EQ(std::get<double>(*again.get(1, "S", "double")), 0.1 + 0.2); // exact, not close
  EXPECT_FALSE(again.get(0, "S", "double").has_value()) << "blobs are separate";
  SettingsStore store(dir / "s.json"); // the same value set again does not dirty it
  store.set(0, "S", "k", std::string("v"));
  store.save();
  EXPECT_FALSE(store.dirty());
  store.set(0, "S", "k", std::string("v"));
  EXPECT_FALSE(store.dirty());
  store.set(0, "S", "k", std::int32_t{1}); // same key, another type
  EXPECT_TRUE(store.dirty());
  // A damaged file reads as empty and is left alone until something changes.
  const auto damagedFile = dir / "damaged.json";
  for (const std::string &garbage : {std::string("\x01\x02 not json"), std::string("{\"format\":\"vlam-settings\",\"blobs\":{\"0\":{\"S\":{\"k\":{\"long\":\"x\"}}}}}"),
                                    std::string("{\"format\":\"other\"}"), std::string("{\"format\":\"vlam-settings\",\"blobs\":{\"0\":{\"S\":{\"k\":")}) {
    vlam::test::writeFile(damagedFile, garbage);
    SettingsStore damaged(damagedFile);
    EXPECT_TRUE(damaged.loadedDamagedFile()) << garbage;
    EXPECT_TRUE(damaged.sections(0).empty());
    damaged.save(); // nothing changed: the damaged file is not touched
    EXPECT_EQ(vlam::test::readFile(damagedFile), garbage);
    damaged.set(0, "S", "k", std::string("v"));
    damaged.save();
    SettingsStore repaired(damagedFile);
    EXPECT_FALSE(repaired.loadedDamagedFile());
    EXPECT_EQ(std::get<std::string>(*repaired.get(0, "S", "k")), "v");
  }
}


TEST(PersistentData, PresetsWrittenInOneRunAreReadInTheNext) {
  TempDir dir;
  {
    host::Host host(test::testHostOptions(dir));
    auto *data = test::acquire<AEGP_PersistentDataSuite4>(host, kAEGPPersistentDataSuite, 4);
    ASSERT_NE(data, nullptr);
    AEGP_PersistentBlobH blob = nullptr;
    ASSERT_EQ(data->AEGP_GetApplicationBlob(AEGP_PersistentType_MACHINE_SPECIFIC, &blob), A_Err_NONE);
    char buffer[64];
    A_u_long size = 0;
    // A missing key reads as the default, which is stored.
    ASSERT_EQ(data->AEGP_GetString(blob, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1", "[x:0;y:0.5]", sizeof buffer,
                                   buffer, &size),
              A_Err_NONE);
    EXPECT_STREQ(buffer, "[x:0;y:0.5]");
    EXPECT_EQ(size, 12u);
    ASSERT_EQ(data->AEGP_SetString(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", "[x:1;y:1]"), A_Err_NONE);
    // A buffer too small gets the text cut and zero-terminated.
    char small[4];
    ASSERT_EQ(data->AEGP_GetString(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", "", sizeof small, small, &size),
              A_Err_NONE);
    EXPECT_STREQ(small, "[x:");
    EXPECT_EQ(size, 10u);
    host.basicSuite()->ReleaseSuite(kAEGPPersistentDataSuite, 4);
  }
  host::Host host(test::testHostOptions(dir));
  auto *v3 = test::acquire<AEGP_PersistentDataSuite3>(host, kAEGPPersistentDataSuite, 3);
  AEGP_PersistentBlobH blob = nullptr;
  ASSERT_EQ(v3->AEGP_GetApplicationBlob(&blob), A_Err_NONE);
  char buffer[64] = {};
  ASSERT_EQ(v3->AEGP_GetString(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", "default", sizeof buffer, buffer,
                               nullptr),
            A_Err_NONE);
  EXPECT_STREQ(buffer, "[x:1;y:1]");
  EXPECT_NE(v3->AEGP_GetString(reinterpret_cast<AEGP_PersistentBlobH>(buffer), "S", "K", "d", sizeof buffer, buffer,
                               nullptr),
            A_Err_NONE)
      << "a pointer that is no blob";
}

} // namespace
