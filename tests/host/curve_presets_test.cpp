// The Flash Builder's curve presets live in the host's settings file across
// runs; a damaged file gives the built-in presets and is replaced whole.
#include "host/settings/CurvePresets.h"
#include "host_support.h"

#include <nlohmann/json.hpp>

using namespace vlam;
using vlam::test::TempDir;

namespace {

constexpr char kBuiltInFirst[] = "[x:0;y:0.75],[x:1;y:0.75]";

TEST(CurvePresets, APresetChangedInOneRunIsReadInTheNext) {
  TempDir dir;
  {
    host::Host host(test::testHostOptions(dir));
    // The run's builder reads the changed preset at its setup and writes it
    // back, in its own text form, when it is set down.
    host.settings().set(AEGP_PersistentType_MACHINE_SPECIFIC, host::kCurvePresetSection, "PETAL_SHAPE_PRESET_3",
                        std::string("[x:0; y:0.5], [x:0.25; y:0.123456789], [x:1; y:0]"));
    host::Layer &plate = test::openSolidProject(host);
    ASSERT_NE(host.applyEffect(plate, "zk_VlamFlash"), nullptr);
  }
  host::Host host(test::testHostOptions(dir));
  const auto presets = host::storedCurvePresets(host);
  ASSERT_EQ(presets.size(), 10u);
  EXPECT_EQ(presets[0].first, "MAIN_SHAPE_PRESET_1");
  EXPECT_EQ(presets[0].second, kBuiltInFirst);
  EXPECT_EQ(presets[7].first, "PETAL_SHAPE_PRESET_3");
  EXPECT_EQ(presets[7].second, "[x:0;y:0.5],[x:0.25;y:0.123457],[x:1;y:0]");
  for (const auto &[key, text] : presets) EXPECT_FALSE(text.empty()) << key;
}

TEST(CurvePresets, GarbageInTheSettingsFileGivesTheBuiltInPresets) {
  TempDir dir;
  test::writeFile(dir / "settings.json", std::string("{\"format\": \x01\xff garbage", 21));
  {
    host::Host host(test::testHostOptions(dir));
    EXPECT_TRUE(host.settings().loadedDamagedFile());
    const auto presets = host::storedCurvePresets(host);
    ASSERT_EQ(presets.size(), 10u);
    EXPECT_EQ(presets[0].second, kBuiltInFirst);
    EXPECT_EQ(presets[5].second, kBuiltInFirst);
  }
  // The file was replaced whole by one that reads back.
  const auto saved = nlohmann::json::parse(test::readFile(dir / "settings.json"));
  host::Host host(test::testHostOptions(dir));
  EXPECT_FALSE(host.settings().loadedDamagedFile());
  EXPECT_EQ(host::storedCurvePresets(host)[0].second, kBuiltInFirst);
  EXPECT_TRUE(saved.contains("blobs"));
}

} // namespace
