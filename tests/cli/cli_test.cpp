// The vlam tool as a user runs it.
#include "cli_support.h"
#include "host/io/ImageFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <numbers>
#include <thread>
#include <unistd.h>

using vlam::test::CliDir;
using vlam::test::readFile;
using vlam::test::writeFile;
using json = nlohmann::json;

namespace {

using Cli = vlam::test::ToolTest;

TEST_F(Cli, HelpEffectsAndAboutShowWhatThePropertyListsAndEffectsSay) {
  for (const char *command : {"effects", "about", "apply", "inspect", "render", "set", "press", "presets", "panel",
                              "click", "drag", "hover", "view"}) {
    EXPECT_NE(ok({command, "--help"}).find("Usage"), std::string::npos) << command;
  }
  EXPECT_NE(dir.run({}).exitCode, 0);

  json list = json::parse(ok({"effects", "--json"}));
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0]["name"], "zkVlamUtil");
  const char *matches[] = {"zk_Vlam", "zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_VlamRelighter"};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(list[i + 1]["match_name"], matches[i]);
  EXPECT_EQ(json::parse(ok({"about", "zk_VlamFlash", "--json"}))["about"].get<std::string>().rfind("Vlam v1.0.3 \r\rMuzzle flash design module\r\r", 0), 0u);
  auto unknown = dir.run({"about", "zk_Nope"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("unknown effect match name 'zk_Nope'"), std::string::npos);
}


TEST_F(Cli, ApplyBuildsTheModuleStackAndSavesTheScene) {
  ok({"apply", "empty.json", "--layer", "Plate", "--effect", "zk_Vlam", "-o", "applied.json"});
  json scene = json::parse(readFile(dir / "applied.json"));
  std::vector<std::string> stack;
  for (const auto &e : scene["compositions"][0]["layers"][0]["effects"]) stack.push_back(e["effect"]);
  EXPECT_EQ(stack, (std::vector<std::string>{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_EQ(readFile(dir / "empty.json"), readFile(std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "empty.json"))
      << "-o leaves the input alone";
  // Applying to the saved scene in place, then inspecting it.
  ok({"apply", "applied.json", "--layer", "Plate", "--effect", "zk_VlamRelighter"});
  const json effects = json::parse(ok({"inspect", "applied.json", "--json"}))["compositions"][0]["layers"][0]["effects"];
  ASSERT_EQ(effects.size(), 5u);
  EXPECT_EQ(effects[4]["match_name"], "zk_VlamRelighter");
}

// Bad input, and user edits aimed at what a scene with one Flash Instance
// (its stack index 0) does not have (the scene reader's own messages, such as
// an unknown layer, effect or value, are the host tests' matter).
TEST_F(Cli, BadInputGivesOneLineAndWritesNothing) {
  writeFile(dir / "broken.json", "{\"vlam_scene\": 1, \"compositions\": [");
  dir.writeEmptyScene(640, 360);
  ok({"apply", "scene.json", "--layer", "Plate", "--effect", "zk_VlamInstance"});
  const std::string scene = readFile(dir / "scene.json");
  const std::vector<std::string> edit = {"scene.json", "--layer", "Plate", "--effect", "0", "--param"};
  const auto on = [&](const char *command, std::initializer_list<std::string> rest) {
    std::vector<std::string> args = {command};
    args.insert(args.end(), edit.begin(), edit.end());
    args.insert(args.end(), rest);
    return args;
  };
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"inspect", "missing.json"}, "missing.json"},
      {{"inspect", "broken.json"}, "broken.json: line 1, column"},
      {{"render", "empty.json", "-o", "f.tiff"}, "must end in .png or .exr"},
      {{"render", "empty.json", "-o", "f.png"}, "need #### in the file name"},
      {{"render", "empty.json", "--frames", "40-60", "-o", "f_##.png"}, "frames 0-47"},
      {{"render", "empty.json", "-o", "nodir/f_##.png"}, "does not exist"},
      {{"--fail-call", "AEGP_ApplyEffect:0", "apply", "empty.json", "--layer", "Plate", "--effect", "zk_Vlam"},
       "--fail-call AEGP_ApplyEffect:0: the call's number must be a whole number from 1"},
      {{"--fail-call", "AEGP_ApplyEffect:1:later", "apply", "empty.json", "--layer", "Plate", "--effect", "zk_Vlam"},
       "the error must be a non-zero number or a name listed in --help"},
      {on("press", {"Trigger"}), "is not a button"},
      {{"set", "scene.json", "--layer", "Plate", "--effect", "3", "--param", "Aim", "--value", "[0, 0]"},
       "has no effect 3"},
      {on("press", {"Add Keyframes", "--frame", "48"}), "is outside the composition (0..47)"},
  };
  for (const auto &[args, expected] : cases) {
    auto r = dir.run(args);
    EXPECT_EQ(r.exitCode, 1) << args[1];
    EXPECT_NE(r.err.find(expected), std::string::npos) << "stderr: " << r.err;
    EXPECT_LE(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
    EXPECT_EQ(r.err.find("terminate"), std::string::npos);
  }
  EXPECT_EQ(vlam::test::listDir(dir.path()), (std::vector<std::string>{"broken.json", "empty.json", "scene.json"}));
  EXPECT_EQ(readFile(dir / "scene.json"), scene);
}

TEST_F(Cli, RendersFramesOfAScene) {
  writeFile(dir / "small.json", R"({"vlam_scene": 1, "compositions": [{"width": 32, "height": 16,
      "frame_rate": 24, "duration": 10, "layers": [{"name": "Plate", "solid": [0.5, 0.25, 1],
      "effects": [{"effect": "zk_VlamFlash"}, {"effect": "zk_VlamInstance"}]}]}]})");
  // Absolute names, as well as the relative ones elsewhere.
  const std::string at = dir.path().string() + "/";
  auto r = run({"render", at + "small.json", "--frames", "2-4", "-o", at + "f_###.png", "--threads", "2"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char *name : {"f_002.png", "f_003.png", "f_004.png"}) EXPECT_TRUE(std::filesystem::exists(dir / name));
  EXPECT_FALSE(std::filesystem::exists(dir / "f_001.png"));
  EXPECT_EQ(r.err, "wrote " + at + "f_002.png (1 of 3)\nwrote " + at + "f_003.png (2 of 3)\nwrote " + at +
                       "f_004.png (3 of 3)\n")
      << "a line per frame, in order, when stderr is not a terminal";
  r = run({"render", "small.json", "--frames", "0", "-o", "one.exr", "--exr-compression", "piz", "--quiet"});
  EXPECT_EQ(std::pair(r.exitCode, r.err), std::pair(0, std::string()));
  EXPECT_EQ(readFile(dir / "one.exr").substr(0, 4), std::string("\x76\x2f\x31\x01", 4));

  // A frame that cannot be written stops the render: the frames before it
  // are there, none after it, and the error names the file.
  std::filesystem::create_directory(dir / "g_003.png");
  r = run({"render", "small.json", "--frames", "2-5", "-o", at + "g_###.png", "--quiet"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("vlam: " + at + "g_003.png: cannot replace"), std::string::npos) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "g_002.png"));
  for (const char *name : {"g_004.png", "g_005.png"}) EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
}

TEST_F(Cli, FailCallMakesTheNamedHostCallAnswerTheError) {
  const std::string before = readFile(dir / "empty.json");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--refuse-suite", "ZK Vlam Utils Suite"}, "Couldn't load Vlam Utils Suite (error 13)"},
      {{"--fail-call", "host_new_handle"}, "Could not initialise global data (1) (error 4)"}, // out of memory by default
      {{"--fail-call", "AcquireSuite:1:missing-suite"}, "Couldn't load Vlam Utils Suite (error 13)"},
      // The utility plug-in cannot apply the whole stack: it says so, nothing is saved.
      {{"--fail-call", "AEGP_ApplyEffect:2"}, "zkVlamUtil could not carry out a request (error 4)"},
      // A global setup that fails keeps nothing (the sanitizer build sees a leak).
      {{"--fail-call", "AEGP_RegisterWithAEGP"}, "applying zk_Vlam to layer 'Plate' failed (error 4); nothing written"},
      {{"--fail-call", "host_new_handle:9999"}, ""}, // a call that never comes: nothing fails (and the scene is saved)
  };
  for (auto [args, message] : cases) {
    args.insert(args.end(), {"apply", "empty.json", "--layer", "Plate", "--effect", "zk_Vlam"});
    const auto r = dir.run(args);
    EXPECT_EQ(r.exitCode, message.empty() ? 0 : 1) << args[1] << ": " << r.err;
    if (message.empty()) continue;
    EXPECT_NE(r.err.find(message), std::string::npos) << args[1] << ": " << r.err;
    EXPECT_NE(r.err.find("; nothing written"), std::string::npos) << args[1] << ": " << r.err;
    EXPECT_EQ(readFile(dir / "empty.json"), before) << args[1];
  }
}

// The last call of each of these during a render of the built-in scene gives
// something the frame depends on (the camera, a colour, a point, a copy of
// the Flash Builder's curve): when it fails, the render fails and writes
// nothing, where it used to go on without it and write a different picture.
TEST_F(Cli, RenderFailsWhenAHostCallItDependsOnFails) {
  const std::vector<std::string> render = {"render", "-o", "f.png", "--frames", "17", "--downsample", "8"};
  std::vector<std::string> traced = {"--trace"};
  traced.insert(traced.end(), render.begin(), render.end());
  const auto r = dir.run(traced);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::filesystem::remove(dir / "f.png");
  for (const std::string function : {"AEGP_GetEffectCamera", "PF_GetFloatingPointColorFromColorDef",
                                     "PF_GetFloatingPointValueFromPointDef", "host_new_handle"}) {
    int calls = 0;
    for (std::size_t at = r.err.find("trace: " + function + "\n"); at != std::string::npos;
         at = r.err.find("trace: " + function + "\n", at + 1))
      ++calls;
    ASSERT_GT(calls, 0) << function;
    std::vector<std::string> args = {"--fail-call", function + ":" + std::to_string(calls)};
    args.insert(args.end(), render.begin(), render.end());
    const auto failed = dir.run(args);
    EXPECT_EQ(failed.exitCode, 1) << function;
    EXPECT_NE(failed.err.find("failed (error 4 (out of memory))"), std::string::npos) << function << ": " << failed.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "f.png")) << function;
  }
}

// On a small composition whose layer carries a Module Selector, a Flash
// Builder and a Flash Instance: panel and view draw pictures and name where
// the controls are; a click applies and saves; hover reports the cursor.
TEST_F(Cli, PanelViewClickAndHoverOnTheControls) {
  writeFile(dir / "s.json", R"({"vlam_scene": 1, "compositions": [{"name": "C", "width": 160, "height": 90,
      "frame_rate": 24, "duration": 4, "layers": [{"name": "Plate", "solid": [0.1, 0.1, 0.1],
      "effects": [{"effect": "zk_VlamMod"}, {"effect": "zk_VlamFlash"}, {"effect": "zk_VlamInstance"}]}]}]})");
  std::string out = ok({"panel", "s.json", "--layer", "Plate", "--effect", "0", "-o", "panel.png"});
  EXPECT_NE(out.find("parameter 1 'Modules' control at 8,46 to 392,78"), std::string::npos) << out;
  EXPECT_EQ(vlam::host::readPng(dir / "panel.png", vlam::host::PixelDepth::Bits8).width(), 400);
  ok({"view", "s.json", "--frame", "0", "-o", "view.png"});
  const vlam::host::Image view = vlam::host::readPng(dir / "view.png", vlam::host::PixelDepth::Bits8);
  EXPECT_EQ(std::make_pair(view.width(), view.height()), std::make_pair(160, 90));
  EXPECT_NE(run({"view", "s.json", "--window", "layer", "-o", "l.png"}).exitCode, 0) << "a layer window needs one";

  auto r = run({"--trace", "click", "s.json", "--layer", "Plate", "--effect", "0", "--param", "Modules", "--at",
                "28,58"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("applied Vlam Flash Builder (zk_VlamFlash) as effect 2"), std::string::npos) << r.out;
  // The applied builder asks for its controls to be updated; the selector does not.
  EXPECT_NE(r.err.find("call zk_VlamFlash PF_Cmd_UPDATE_PARAMS_UI"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("call zk_VlamMod PF_Cmd_UPDATE_PARAMS_UI"), std::string::npos) << r.err;
  const json saved = json::parse(readFile(dir / "s.json"));
  const json &effects = saved["compositions"][0]["layers"][0]["effects"];
  ASSERT_EQ(effects.size(), 4u);
  EXPECT_EQ(effects[2]["effect"], "zk_VlamFlash");

  out = ok({"click", "s.json", "--layer", "Plate", "--effect", "0", "--param", "1", "--at", "129,58"});
  EXPECT_NE(out.find("nothing changed"), std::string::npos) << out;
  // Over the main curve editor of the first builder with Alt: the pen that adds.
  out = ok({"hover", "s.json", "--layer", "Plate", "--effect", "1", "--param", "Flash Shape Profile", "--at",
            "150,200", "--alt"});
  EXPECT_NE(out.find("cursor: PF_Cursor_PEN_ADD"), std::string::npos) << out;
}

TEST_F(Cli, PresetsListsTheTenPresetsAndGarbageGivesTheBuiltInOnes) {
  writeFile(dir / "settings.json", "{ this is not json \x01");
  const json j = json::parse(ok({"presets", "--json"}));
  EXPECT_EQ(j["section"], "Settings_zkVlam");
  ASSERT_EQ(j["presets"].size(), 10u);
  EXPECT_EQ(j["presets"]["PETAL_SHAPE_PRESET_1"], "[x:0;y:0.75],[x:1;y:0.75]");
  // The text listing shows the same, and the settings file now reads back.
  const std::string text = ok({"presets"});
  EXPECT_NE(text.find("PETAL_SHAPE_PRESET_5  [x:"), std::string::npos) << text;
  const json saved = json::parse(readFile(dir / "settings.json"), nullptr, false);
  EXPECT_FALSE(saved.is_discarded());
}


// On a scene with one Flash Instance (its stack index 0): setting the aim
// rewrites Sweep and Tilt; Vlam at frame 10 writes a burst of trigger keys in
// one undo group; inspect shows the instance record they give; the Relighter
// asks for PF_Cmd_UPDATE_PARAMS_UI ("Relight Colour" follows "Use Flash
// Colour") and gets it after the change. (The edits themselves: the host's
// UserEdits tests.)
TEST_F(Cli, SetAndPressChangeWhatInspectShows) {
  const std::string scene = "scene.json";
  dir.writeEmptyScene(640, 360);
  ok({"apply", scene, "--layer", "Plate", "--effect", "zk_VlamInstance"});
  std::string out = ok({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Aim", "--value", "[320, -20]"});
  for (const char *change : {"Aim: [192.0,180.0] -> [320.0,-20.0]", "Sweep: 0.0 -> 90.0", "Tilt: 0.0 -> 90.0"})
    EXPECT_NE(out.find(std::string("changed ") + change), std::string::npos) << out;
  ok({"set", scene, "--layer", "Plate", "--effect", "0", "--param", "Number of Rounds", "--value", "3"});
  out = ok({"press", scene, "--layer", "Plate", "--effect", "0", "--param", "Add Keyframes", "--frame", "10"});
  EXPECT_NE(out.find("undo group: \"Add Vlam Keyframes\""), std::string::npos) << out;
  EXPECT_NE(out.find("key written: frame 14 = true (hold)"), std::string::npos) << out;
  const json inspected = json::parse(ok({"inspect", scene, "--frame", "10", "--json"}));
  const json &instance = inspected["compositions"][0]["layers"][0]["effects"][0]["instance"];
  vlam::test::expectNumbers(instance["record"],
                            {{"triggerLevel", 0.4}, {"aimA", std::numbers::pi / 2}});
  out = ok({"inspect", scene, "--frame", "10"});
  EXPECT_NE(out.find("Trigger = true  (7 keys: 0=false 10=true 11=false 12=true 13=false 14=true 15=false)"),
            std::string::npos)
      << out;
  ok({"apply", scene, "--layer", "Plate", "--effect", "zk_VlamRelighter"});
  const auto r = dir.run({"--trace", "set", scene, "--layer", "Plate", "--effect", "zk_VlamRelighter", "--param",
               "Use Flash Colour", "--value", "false"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto changed = r.err.find("call zk_VlamRelighter PF_Cmd_USER_CHANGED_PARAM");
  ASSERT_NE(changed, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("call zk_VlamRelighter PF_Cmd_UPDATE_PARAMS_UI", changed), std::string::npos) << r.err;
}

// Names in `folder` and below, sorted.
std::vector<std::string> filesUnder(const std::filesystem::path &folder) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
    names.push_back(std::filesystem::relative(entry.path(), folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

// The superuser writes through folder permissions: its runs of the tool give
// that power up, so that a read-only folder stops them as it stops a user.
std::string withoutOverride() {
  return ::geteuid() == 0 ? "setpriv --bounding-set=-dac_override --inh-caps=-dac_override " : "";
}

TEST(CliDisk, FailedWritesLeaveNoPartialFileAndTheOldFileWhole) {
  // ulimit -f counts blocks of 512 or 1024 bytes depending on the shell; the
  // limits below stop the files written whichever it is and let the rest through.
  const std::string fileLimit = "ulimit -f 16 && ", smallLimit = "ulimit -f 2 && ", tinyLimit = "ulimit -f 1 && ";
  struct Case {
    std::string name, launcher;
    std::vector<std::string> args;
    int exitCode;
    std::string message;
    std::string kept; // a file the command was to replace, which must keep its old content
  };
  const std::vector<std::string> apply = {"apply", "scene.json", "--layer", "Plate", "--effect", "zk_Vlam"};
  std::vector<std::string> lockedApply = apply;
  lockedApply[1] = "locked/scene.json";
  const Case cases[] = {
      {"png past the size limit", fileLimit,
       {"render", "scene.json", "--frames", "0", "-o", "out/f.png", "--png-compression", "0"}, 1,
       "out/f.png: write failed: File too large", ""},
      // OpenEXR writes part of a file from a destructor that swallows errors:
      // the frame is encoded in memory first so that a failed write is seen.
      {"exr past the size limit", fileLimit,
       {"render", "scene.json", "--frames", "0", "-o", "out/f.exr", "--exr-compression", "none"}, 1,
       "out/f.exr: write failed: File too large", ""},
      {"render into a read-only folder", withoutOverride(), {"render", "scene.json", "-o", "locked/f_##.png"}, 1,
       "locked: cannot write files there: Permission denied", ""},
      {"scene past the size limit", smallLimit, apply, 1, "scene.json: write failed: File too large", "scene.json"},
      {"scene in a read-only folder", withoutOverride(), lockedApply, 1, "Permission denied", "locked/scene.json"},
      {"settings past the size limit", tinyLimit, {"presets"}, 0,
       "vlam: settings not saved: settings.json: write failed: File too large", "settings.json"},
  };
  for (const Case &c : cases) {
    CliDir dir;
    writeFile(dir / "scene.json", R"({"vlam_scene": 1, "compositions": [{"width": 200, "height": 100,
        "frame_rate": 24, "duration": 2, "layers": [{"name": "Plate", "solid": [0.5, 0.25, 1]}]}]})");
    writeFile(dir / "settings.json", "{ not json: the presets are written back in full");
    for (const char *folder : {"out", "locked"}) std::filesystem::create_directories(dir / folder);
    std::filesystem::copy_file(dir / "scene.json", dir / "locked" / "scene.json");
    const auto before = filesUnder(dir.path());
    const std::string old = c.kept.empty() ? "" : readFile(dir / c.kept);
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    auto r = dir.run(c.args, c.launcher);
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.name << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
    EXPECT_EQ(filesUnder(dir.path()), before) << c.name << ": a file was left or removed";
    if (!c.kept.empty()) {
      EXPECT_EQ(readFile(dir / c.kept), old) << c.name;
    }
  }
}

TEST(CliDisk, TwoProcessesSavingTheSettingsLeaveOneWholeVersion) {
  // Each run saves its builder's curve into another preset slot (a Ctrl-click
  // on the slot's button); a large section of someone else's keeps each write
  // long enough for two to overlap.
  CliDir dir;
  const std::string pad(2 << 20, 'p');
  const std::string start = nlohmann::json{{"format", "vlam-settings"}, {"version", 1},
                                           {"blobs", {{"0", {{"Someone Else", {{"pad", {{"string", pad}}}}}}}}}}
                                .dump();
  ASSERT_EQ(dir.run({"apply", "empty.json", "--layer", "Plate", "--effect", "zk_Vlam"}).exitCode, 0);
  const auto save = [&](const std::string &slot, const std::string &scene) {
    return vlam::test::CliResult(dir.run({"click", scene, "--layer", "Plate", "--effect", "1", "--param",
                                          "Flash Shape Profile", "--at", slot + ",240", "--ctrl"}));
  };
  std::string alone[2];
  const std::string slots[2] = {"180", "240"};
  for (int i = 0; i < 2; ++i) {
    std::filesystem::copy_file(dir / "empty.json", dir / ("s" + std::to_string(i) + ".json"));
    writeFile(dir / "settings.json", start);
    ASSERT_EQ(save(slots[i], "s" + std::to_string(i) + ".json").exitCode, 0);
    alone[i] = readFile(dir / "settings.json");
    ASSERT_NE(alone[i].find(pad), std::string::npos) << "the other section is kept";
  }
  ASSERT_NE(alone[0], alone[1]);
  // One after the other (when one run is over before the other reads).
  ASSERT_EQ(save(slots[0], "s0.json").exitCode, 0);
  const std::string both = readFile(dir / "settings.json");
  for (int round = 0; round < 3; ++round) {
    writeFile(dir / "settings.json", start);
    vlam::test::CliResult results[2];
    std::thread other([&] { results[1] = save(slots[1], "s1.json"); });
    results[0] = save(slots[0], "s0.json");
    other.join();
    for (const auto &r : results) EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string saved = readFile(dir / "settings.json");
    EXPECT_TRUE(saved == alone[0] || saved == alone[1] || saved == both) << "round " << round << ": a mix of " << saved.size() << " bytes";
  }
  const auto names = filesUnder(dir.path());
  EXPECT_EQ(names, (std::vector<std::string>{"empty.json", "s0.json", "s1.json", "settings.json"}));
}

} // namespace
