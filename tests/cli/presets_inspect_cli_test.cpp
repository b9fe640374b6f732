// vlam presets and the Vlam parts of vlam inspect, as a user runs them.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using vlam::test::CliDir;
using json = nlohmann::json;

namespace {

TEST(CliPresets, ListsTheTenPresetsAndGarbageGivesTheBuiltInOnes) {
  CliDir dir;
  vlam::test::writeText(dir / "settings.json", "{ this is not json \x01");
  auto r = dir.run({"presets", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["section"], "Settings_zkVlam");
  ASSERT_EQ(j["presets"].size(), 10u);
  EXPECT_EQ(j["presets"]["MAIN_SHAPE_PRESET_1"], "[x:0;y:0.75],[x:1;y:0.75]");
  EXPECT_EQ(j["presets"]["PETAL_SHAPE_PRESET_1"], "[x:0;y:0.75],[x:1;y:0.75]");
  // The text listing shows the same, and the settings file now reads back.
  auto text = dir.run({"presets"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("PETAL_SHAPE_PRESET_5  [x:"), std::string::npos) << text.out;
  const json saved = json::parse(vlam::test::readText(dir / "settings.json"), nullptr, false);
  EXPECT_FALSE(saved.is_discarded());
}

} // namespace
