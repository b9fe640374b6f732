#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/settings/SettingsStore.h"
#include "temp_dir_support.h"

#include <gtest/gtest.h>

using vlam::host::SettingsStore;
using vlam::test::TempDir;

namespace {

TEST(SettingsStore, ValuesOfEveryTypeSurviveSaveAndReload) {
  TempDir dir;
  const auto file = dir / "sub" / "settings.json";
  {
    SettingsStore store(file);
    EXPECT_FALSE(store.loadedDamagedFile());
    EXPECT_FALSE(store.get(0, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1").has_value());
    store.set(0, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1", std::string("[x:0;y:0.75],[x:1;y:0.75]"));
    store.set(0, "S", "long", std::int32_t{-7});
    store.set(1, "S", "double", 0.1 + 0.2);
    store.set(0, "S", "data", SettingsStore::Bytes{0, 255, 7});
    store.save();
  }
  SettingsStore again(file);
  EXPECT_EQ(std::get<std::string>(*again.get(0, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1")),
            "[x:0;y:0.75],[x:1;y:0.75]");
  EXPECT_EQ(std::get<std::int32_t>(*again.get(0, "S", "long")), -7);
  EXPECT_EQ(std::get<double>(*again.get(1, "S", "double")), 0.1 + 0.2); // exact, not close
  EXPECT_EQ(std::get<SettingsStore::Bytes>(*again.get(0, "S", "data")), (SettingsStore::Bytes{0, 255, 7}));
  EXPECT_FALSE(again.get(1, "S", "long").has_value()) << "blobs are separate";
  EXPECT_EQ(again.keys(0, "S"), (std::vector<std::string>{"data", "long"}));
}

TEST(SettingsStore, DamagedFileReadsAsEmptyAndIsLeftAloneUntilSomethingChanges) {
  TempDir dir;
  const auto file = dir / "settings.json";
  for (const std::string &garbage : {std::string("\x01\x02 not json"), std::string("{\"format\":\"vlam-settings\",\"blobs\":{\"0\":{\"S\":{\"k\":{\"long\":\"x\"}}}}}"),
                                    std::string("{\"format\":\"other\"}"), std::string("{\"format\":\"vlam-settings\",\"blobs\":{\"0\":{\"S\":{\"k\":")}) {
    vlam::test::writeFile(file, garbage);
    SettingsStore store(file);
    EXPECT_TRUE(store.loadedDamagedFile()) << garbage;
    EXPECT_TRUE(store.sections(0).empty());
    store.save(); // nothing changed: the damaged file is not touched
    EXPECT_EQ(vlam::test::readFile(file), garbage);
    store.set(0, "S", "k", std::string("v"));
    store.save();
    SettingsStore repaired(file);
    EXPECT_FALSE(repaired.loadedDamagedFile());
    EXPECT_EQ(std::get<std::string>(*repaired.get(0, "S", "k")), "v");
  }
}

TEST(SettingsStore, SettingTheSameValueDoesNotDirtyTheStore) {
  TempDir dir;
  SettingsStore store(dir / "s.json");
  store.set(0, "S", "k", std::string("v"));
  store.save();
  EXPECT_FALSE(store.dirty());
  store.set(0, "S", "k", std::string("v"));
  EXPECT_FALSE(store.dirty());
  store.set(0, "S", "k", std::int32_t{1}); // same key, another type
  EXPECT_TRUE(store.dirty());
  EXPECT_TRUE(store.erase(0, "S", "k"));
  EXPECT_FALSE(store.erase(0, "S", "k"));
}

TEST(AtomicFile, TargetKeepsOldContentUntilTheNewOneIsComplete) {
  TempDir dir;
  const auto file = dir / "f.txt";
  vlam::test::writeFile(file, "old");
  EXPECT_THROW(vlam::host::writeFileAtomically(file,
                                                [&](const std::filesystem::path &tmp) {
                                                  vlam::test::writeFile(tmp, "half of the ne");
                                                  EXPECT_EQ(vlam::test::readFile(file), "old");
                                                  throw vlam::host::HostError("disk full");
                                                }),
               vlam::host::HostError);
  EXPECT_EQ(vlam::test::readFile(file), "old");
  EXPECT_EQ(vlam::test::listDir(dir.path()), std::vector<std::string>{"f.txt"}) << "temporary file left behind";
  vlam::host::writeFileAtomically(file, std::string_view("new"));
  EXPECT_EQ(vlam::test::readFile(file), "new");
  EXPECT_EQ(vlam::test::listDir(dir.path()), std::vector<std::string>{"f.txt"});
}

TEST(AtomicFile, FailedRenameLeavesNoTemporaryFile) {
  TempDir dir;
  const auto target = dir / "occupied";
  std::filesystem::create_directories(target / "child"); // a non-empty directory cannot be replaced
  EXPECT_THROW(vlam::host::writeFileAtomically(target, std::string_view("x")), vlam::host::HostError);
  EXPECT_EQ(vlam::test::listDir(dir.path()), std::vector<std::string>{"occupied"});
}

TEST(SettingsStore, UnwritableLocationThrowsAndKeepsDirtyState) {
  TempDir dir;
  std::filesystem::create_directories(dir / "settings.json" / "x");
  SettingsStore store(dir / "settings.json");
  store.set(0, "S", "k", std::string("v"));
  EXPECT_THROW(store.save(), vlam::host::HostError);
  EXPECT_TRUE(store.dirty());
}

} // namespace
