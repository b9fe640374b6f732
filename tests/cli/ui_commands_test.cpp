// vlam panel, click, hover and view: the custom controls from the command line.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

using vlam::test::CliDir;
using json = nlohmann::json;

namespace {

// A small composition whose layer carries a Module Selector, a Flash
// Builder and a Flash Instance.
void writeStackScene(const std::filesystem::path &file) {
  vlam::test::writeText(file, R"({"vlam_scene": 1, "compositions": [{"name": "C", "width": 160, "height": 90,
    "frame_rate": 24, "duration": 4, "layers": [{"name": "Plate", "solid": [0.1, 0.1, 0.1],
    "effects": [{"effect": "zk_VlamMod"}, {"effect": "zk_VlamFlash"}, {"effect": "zk_VlamInstance"}]}]}]})");
}

// Width and height from a PNG's header.
std::pair<int, int> pngSize(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  unsigned char h[24] = {};
  in.read(reinterpret_cast<char *>(h), 24);
  if (!in || h[1] != 'P' || h[2] != 'N' || h[3] != 'G') return {0, 0};
  return {h[16] << 24 | h[17] << 16 | h[18] << 8 | h[19], h[20] << 24 | h[21] << 16 | h[22] << 8 | h[23]};
}

TEST(CliUi, PanelDrawsTheControlsAndNamesWhereTheyAre) {
  CliDir dir;
  for (const char *command : {"panel", "click", "drag", "hover", "view"}) {
    auto help = dir.run({command, "--help"});
    EXPECT_EQ(help.exitCode, 0) << command << help.err;
  }
  writeStackScene(dir / "s.json");
  auto r = dir.run({"panel", (dir / "s.json").string(), "--layer", "Plate", "--effect", "0", "-o",
                    (dir / "panel.png").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("parameter 1 'Modules' control at 8,46 to 392,78"), std::string::npos) << r.out;
  EXPECT_EQ(pngSize(dir / "panel.png").first, 400);
}

TEST(CliUi, ClickAppliesAndSavesHoverReportsTheCursor) {
  CliDir dir;
  writeStackScene(dir / "s.json");
  const std::string scene = (dir / "s.json").string();
  auto r = dir.run(
      {"--trace", "click", scene, "--layer", "Plate", "--effect", "0", "--param", "Modules", "--at", "28,58"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("applied Vlam Flash Builder (zk_VlamFlash) as effect 2"), std::string::npos) << r.out;
  // The applied builder asks for its controls to be updated; the selector does not.
  EXPECT_NE(r.err.find("call zk_VlamFlash PF_Cmd_UPDATE_PARAMS_UI"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("call zk_VlamMod PF_Cmd_UPDATE_PARAMS_UI"), std::string::npos) << r.err;
  const json saved = json::parse(vlam::test::readText(dir / "s.json"));
  const json &effects = saved["compositions"][0]["layers"][0]["effects"];
  ASSERT_EQ(effects.size(), 4u);
  EXPECT_EQ(effects[2]["effect"], "zk_VlamFlash");

  auto between = dir.run({"click", scene, "--layer", "Plate", "--effect", "0", "--param", "1", "--at", "129,58"});
  ASSERT_EQ(between.exitCode, 0) << between.err;
  EXPECT_NE(between.out.find("nothing changed"), std::string::npos) << between.out;

  // Over the main curve editor of the first builder with Alt: the pen that adds.
  auto hover = dir.run({"hover", scene, "--layer", "Plate", "--effect", "1", "--param", "Flash Shape Profile",
                        "--at", "150,200", "--alt"});
  ASSERT_EQ(hover.exitCode, 0) << hover.err;
  EXPECT_NE(hover.out.find("cursor: PF_Cursor_PEN_ADD"), std::string::npos) << hover.out;

  auto outside = dir.run({"click", scene, "--layer", "Plate", "--effect", "0", "--param", "Modules", "--at", "5,5"});
  EXPECT_NE(outside.exitCode, 0);
  EXPECT_NE(outside.err.find("outside"), std::string::npos) << outside.err;
}

TEST(CliUi, ViewDrawsTheCompositionWindow) {
  CliDir dir;
  writeStackScene(dir / "s.json");
  auto r = dir.run({"view", (dir / "s.json").string(), "--frame", "0", "-o", (dir / "view.png").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(pngSize(dir / "view.png"), (std::pair<int, int>{160, 90}));
  auto layer = dir.run({"view", (dir / "s.json").string(), "--window", "layer", "-o", (dir / "l.png").string()});
  EXPECT_NE(layer.exitCode, 0) << "a layer window needs its layer";
}

} // namespace
