// `vlam set` and `vlam press`: a user's changes to an instance, saved.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using vlam::test::CliDir;
using json = nlohmann::json;

namespace {

// A small scene with one Flash Instance on the plate (its stack index 0).
class UserEditsCli : public ::testing::Test {
protected:
  CliDir dir;
  std::string scene = (dir / "scene.json").string();
  void SetUp() override {
    std::string text = vlam::test::readText(dir / "empty.json");
    text.replace(text.find("1920"), 4, "640");
    text.replace(text.find("1080"), 4, "360");
    vlam::test::writeText(dir / "scene.json", text);
    auto r = dir.run({"apply", scene, "--layer", "Plate", "--effect", "zk_VlamInstance"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  json params() {
    return json::parse(vlam::test::readText(scene))["compositions"][0]["layers"][0]["effects"][0]["params"];
  }
};

TEST_F(UserEditsCli, SettingTheAimRewritesSweepAndTiltAndSavesThem) {
  auto r = dir.run({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Aim", "--value", "[320, -20]"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("changed Aim: [192.0,180.0] -> [320.0,-20.0]"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("changed Sweep: 0.0 -> 90.0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("changed Tilt: 0.0 -> 90.0"), std::string::npos) << r.out;
  const json p = params();
  EXPECT_EQ(p["Sweep"], 90.0);
  EXPECT_EQ(p["Tilt"], 90.0);
  EXPECT_EQ(p["Aim"], json::array({320.0, -20.0}));
}

// The Relighter asks for PF_Cmd_UPDATE_PARAMS_UI ("Relight Colour" follows
// "Use Flash Colour") and gets it after the change.
TEST_F(UserEditsCli, TheRelighterUpdatesItsControlsAfterAChange) {
  ASSERT_EQ(dir.run({"apply", scene, "--layer", "Plate", "--effect", "zk_VlamRelighter"}).exitCode, 0);
  auto r = dir.run({"--trace", "set", scene, "--layer", "Plate", "--effect", "zk_VlamRelighter", "--param",
                    "Use Flash Colour", "--value", "false"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto changed = r.err.find("call zk_VlamRelighter PF_Cmd_USER_CHANGED_PARAM");
  ASSERT_NE(changed, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("call zk_VlamRelighter PF_Cmd_UPDATE_PARAMS_UI", changed), std::string::npos) << r.err;
}

TEST_F(UserEditsCli, PopupsTakeTheirItemText) {
  auto r = dir.run({"set", scene, "--layer", "Plate", "--effect", "zk_VlamInstance", "--param", "Aim System",
                    "--value", "YZX Rotation"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(params()["Aim System"], "YZX Rotation");
}

TEST_F(UserEditsCli, VlamAtFrameTenWritesTheBurstInOneUndoGroup) {
  const std::string out = (dir / "pressed.json").string();
  ASSERT_EQ(dir.run({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Number of Rounds", "--value", "3"})
                .exitCode,
            0);
  auto r = dir.run(
      {"press", scene, "--layer", "Plate", "--effect", "0", "--param", "Add Keyframes", "--frame", "10", "-o", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("undo group: \"Add Vlam Keyframes\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("key written: frame 14 = true (hold)"), std::string::npos) << r.out;
  const json keys = json::parse(vlam::test::readText(out))["compositions"][0]["layers"][0]["effects"][0]["params"]
                                                                                                     ["Trigger"]["keyframes"];
  const std::vector<std::pair<int, bool>> expected{{0, false}, {10, true}, {11, false}, {12, true},
                                                   {13, false}, {14, true}, {15, false}};
  ASSERT_EQ(keys.size(), expected.size()) << keys.dump();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i]["frame"], expected[i].first);
    EXPECT_EQ(keys[i]["value"], expected[i].second);
    EXPECT_EQ(keys[i]["interpolation"], "hold");
  }
  EXPECT_TRUE(params()["Trigger"].is_boolean()) << "-o leaves the scene alone";
}

TEST_F(UserEditsCli, WrongTargetsStopTheCommandAndWriteNothing) {
  const std::string before = vlam::test::readText(scene);
  auto notButton = dir.run({"press", scene, "--layer", "Plate", "--effect", "0", "--param", "Trigger"});
  EXPECT_EQ(notButton.exitCode, 1);
  EXPECT_NE(notButton.err.find("is not a button"), std::string::npos) << notButton.err;
  auto noEffect = dir.run({"set", scene, "--layer", "Plate", "--effect", "3", "--param", "Aim", "--value", "[0, 0]"});
  EXPECT_EQ(noEffect.exitCode, 1);
  EXPECT_NE(noEffect.err.find("has no effect 3"), std::string::npos) << noEffect.err;
  auto badValue =
      dir.run({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Number of Rounds", "--value", "[1]"});
  EXPECT_EQ(badValue.exitCode, 1);
  auto outside = dir.run({"press", scene, "--layer", "Plate", "--effect", "0", "--param", "Add Keyframes", "--frame",
                          "48"});
  EXPECT_EQ(outside.exitCode, 1);
  auto huge = dir.run({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Post Scale", "--value", "1e400"});
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_NE(huge.err.find("--param Post Scale: value 1e400 is out of range"), std::string::npos) << huge.err;
  EXPECT_EQ(vlam::test::readText(scene), before);
}

} // namespace

namespace {

TEST_F(UserEditsCli, InspectShowsTheInstanceRecordAndTheTriggerKeys) {
  ASSERT_EQ(dir.run({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Aim", "--value", "[320, -20]"})
                .exitCode,
            0);
  ASSERT_EQ(dir.run({"press", scene, "--layer", "Plate", "--effect", "0", "--param", "Add Keyframes", "--frame", "10"})
                .exitCode,
            0);
  auto record = [&](const char *frame) {
    auto r = dir.run({"inspect", scene, "--frame", frame, "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out)["compositions"][0]["layers"][0]["effects"][0]["instance"]["record"];
  };
  const json on = record("10"), off = record("11");
  EXPECT_EQ(on["triggerLevel"], 0.4);
  EXPECT_EQ(off["triggerLevel"], 0.0);
  EXPECT_EQ(on["designIndex"], 0);
  EXPECT_EQ(on["randomSeed"], 1024);
  EXPECT_EQ(on["randomness"], 1.0);
  EXPECT_EQ(on["ezAim"], 1);
  EXPECT_EQ(on["position"], json::array({320.0, 180.0, 0.0}));
  EXPECT_NEAR(on["aimA"].get<double>(), 3.141592653589793 / 2, 1e-12);
  EXPECT_NEAR(on["aimB"].get<double>(), 3.141592653589793 / 2, 1e-12);
  EXPECT_DOUBLE_EQ(on["roll"].get<double>(), 3.141592653589793 + 0.22689280275926285);
  EXPECT_EQ(on["postScale"], 1.0);
  EXPECT_EQ(on["maskId"], 0);
  auto text = dir.run({"inspect", scene, "--frame", "10"});
  EXPECT_NE(text.out.find("Trigger = true  (3 keys: 0=false 10=true 11=false)"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("designIndex = 0"), std::string::npos) << text.out;
}

} // namespace
