// The vlam tool as a user runs it.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using vlam::test::CliDir;
using json = nlohmann::json;

namespace {

int lineCount(const std::string &text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(Cli, EveryCommandHasHelp) {
  CliDir dir;
  for (const char *command : {"effects", "about", "apply", "inspect", "render", "set", "press"}) {
    auto r = dir.run({command, "--help"});
    EXPECT_EQ(r.exitCode, 0) << command << r.err;
    EXPECT_NE(r.out.find("Usage"), std::string::npos) << command;
  }
  auto none = dir.run({});
  EXPECT_NE(none.exitCode, 0);
}

TEST(Cli, EffectsJsonShowsWhatThePropertyListsSay) {
  CliDir dir;
  auto r = dir.run({"effects", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json list = json::parse(r.out);
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0]["name"], "zkVlamUtil");
  EXPECT_EQ(list[0]["kind"], "general");
  EXPECT_EQ(list[0]["category"], "General Plugin");
  const char *matches[] = {"zk_Vlam", "zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_VlamRelighter"};
  for (int i = 0; i < 5; ++i) {
    const json &e = list[static_cast<std::size_t>(i + 1)];
    EXPECT_EQ(e["match_name"], matches[i]);
    EXPECT_EQ(e["category"], "Orvane Pictures");
    EXPECT_EQ(e["version_text"], "1.0.3");
  }
  // The flag words of every list are checked with the module's own tests.
  EXPECT_EQ(list[1]["out_flags"], "0x06088004");
  EXPECT_EQ(list[1]["out_flags2"], "0x0000140B");
}

TEST(Cli, AboutPrintsTheEffectsText) {
  CliDir dir;
  auto r = dir.run({"about", "zk_VlamFlash", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(json::parse(r.out)["about"].get<std::string>().rfind("Vlam v1.0.3 \r\rMuzzle flash design module\r\r", 0), 0u);
  auto unknown = dir.run({"about", "zk_Nope"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("unknown effect match name 'zk_Nope'"), std::string::npos);
}

TEST(Cli, ApplyBuildsTheModuleStackAndSavesTheScene) {
  CliDir dir;
  auto r = dir.run({"apply", (dir / "empty.json").string(), "--layer", "Plate", "--effect", "zk_Vlam", "-o",
                    (dir / "applied.json").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json scene = json::parse(vlam::test::readText(dir / "applied.json"));
  std::vector<std::string> stack;
  for (const auto &e : scene["compositions"][0]["layers"][0]["effects"]) stack.push_back(e["effect"]);
  EXPECT_EQ(stack, (std::vector<std::string>{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_EQ(vlam::test::readText(dir / "empty.json"),
            vlam::test::readText(std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "empty.json"))
      << "-o leaves the input alone";
  // Applying to the saved scene in place, then inspecting it.
  ASSERT_EQ(dir.run({"apply", (dir / "applied.json").string(), "--layer", "Plate", "--effect", "zk_VlamRelighter"})
                .exitCode,
            0);
  auto inspect = dir.run({"inspect", (dir / "applied.json").string(), "--json"});
  ASSERT_EQ(inspect.exitCode, 0) << inspect.err;
  json info = json::parse(inspect.out);
  const json &effects = info["compositions"][0]["layers"][0]["effects"];
  ASSERT_EQ(effects.size(), 5u);
  EXPECT_EQ(effects[4]["match_name"], "zk_VlamRelighter");
}

TEST(Cli, RefusedUtilsSuiteMakesApplyFailWithTheEffectsMessage) {
  CliDir dir;
  const std::string before = vlam::test::readText(dir / "empty.json");
  auto r = dir.run({"--refuse-suite", "ZK Vlam Utils Suite", "apply", (dir / "empty.json").string(), "--layer",
                    "Plate", "--effect", "zk_Vlam"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Couldn't load Vlam Utils Suite (error 13)"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
  EXPECT_EQ(vlam::test::readText(dir / "empty.json"), before);
}

TEST(Cli, BadInputGivesOneLineAndWritesNothing) {
  CliDir dir;
  vlam::test::writeText(dir / "broken.json", "{\"vlam_scene\": 1, \"compositions\": [");
  vlam::test::writeText(dir / "huge.json",
                        R"({"vlam_scene": 1, "compositions": [{"width": 100000, "height": 100000, "layers": []}]})");
  const std::string empty = (dir / "empty.json").string();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"inspect", (dir / "missing.json").string()}, "missing.json"},
      {{"inspect", (dir / "broken.json").string()}, "broken.json: line 1, column"},
      {{"render", (dir / "huge.json").string(), "-o", (dir / "f_####.png").string()},
       "huge.json: compositions[0]: size 100000x100000 is outside"},
      {{"apply", empty, "--layer", "Nobody", "--effect", "zk_Vlam"}, "no layer named 'Nobody'"},
      {{"apply", empty, "--layer", "Plate", "--effect", "zk_Nope"}, "unknown effect match name 'zk_Nope'"},
      {{"render", empty, "-o", (dir / "f.tiff").string()}, "must end in .png or .exr"},
      {{"render", empty, "-o", (dir / "f.png").string()}, "need #### in the file name"},
      {{"render", empty, "--frames", "40-60", "-o", (dir / "f_##.png").string()}, "frames 0-47"},
      {{"render", empty, "-o", (dir / "nodir" / "f_##.png").string()}, "does not exist"},
  };
  for (const auto &[args, expected] : cases) {
    auto r = dir.run(args);
    EXPECT_EQ(r.exitCode, 1) << args[1];
    EXPECT_NE(r.err.find(expected), std::string::npos) << "stderr: " << r.err;
    EXPECT_LE(lineCount(r.err), 2) << r.err;
    EXPECT_EQ(r.err.find("terminate"), std::string::npos);
  }
  auto names = std::vector<std::string>{};
  for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"broken.json", "empty.json", "huge.json"}));
}

TEST(Cli, RendersFramesOfAScene) {
  CliDir dir;
  vlam::test::writeText(dir / "small.json", R"({"vlam_scene": 1, "compositions": [{"width": 32, "height": 16,
      "frame_rate": 24, "duration": 10, "layers": [{"name": "Plate", "solid": [0.5, 0.25, 1],
      "effects": [{"effect": "zk_VlamFlash"}, {"effect": "zk_VlamInstance"}]}]}]})");
  auto r = dir.run({"render", (dir / "small.json").string(), "--frames", "2-4", "-o", (dir / "f_###.png").string(),
                    "--threads", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char *name : {"f_002.png", "f_003.png", "f_004.png"}) EXPECT_TRUE(std::filesystem::exists(dir / name));
  EXPECT_FALSE(std::filesystem::exists(dir / "f_001.png"));
  EXPECT_EQ(r.err, "wrote " + (dir / "f_002.png").string() + " (1 of 3)\nwrote " + (dir / "f_003.png").string() +
                       " (2 of 3)\nwrote " + (dir / "f_004.png").string() + " (3 of 3)\n")
      << "a line per frame, in order, when stderr is not a terminal";
  auto exr = dir.run({"render", (dir / "small.json").string(), "--frames", "0", "-o", (dir / "one.exr").string(),
                      "--exr-compression", "piz", "--quiet"});
  ASSERT_EQ(exr.exitCode, 0) << exr.err;
  EXPECT_EQ(exr.err, "");
  EXPECT_EQ(vlam::test::readText(dir / "one.exr").substr(0, 4), std::string("\x76\x2f\x31\x01", 4));

  // A frame that cannot be written stops the render: the frames before it
  // are there, none after it, and the error names the file.
  std::filesystem::create_directory(dir / "g_003.png");
  auto failed = dir.run({"render", (dir / "small.json").string(), "--frames", "2-5", "-o", (dir / "g_###.png").string(),
                         "--quiet"});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.err.find("vlam: " + (dir / "g_003.png").string() + ": cannot replace"), std::string::npos)
      << failed.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "g_002.png"));
  for (const char *name : {"g_004.png", "g_005.png"}) EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
}

} // namespace
