// Scene files: every value survives save and load exactly; bad files give
// one line naming the file and the place.
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host/effect/UserEdits.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/SceneFile.h"
#include "host_support.h"

#include <algorithm>
#include <cstring>

using namespace vlam;
using vlam::test::FakeEffect;
using vlam::test::TempDir;

namespace {

std::vector<PF_ParamDef> everyKind() {
  return {test::sliderParam("Count", 10, -5, 500, 7),
          test::floatParam("Amount", 11, 0, 0.3, 0.25),
          test::fixedParam("Spread", 12, -100, 100, 1.5),
          test::angleParam("Turn", 13, 45),
          test::checkboxParam("On", 14, true),
          test::colorParam("Tint", 15, {255, 10, 20, 30}),
          test::pointParam("Where", 16, 50, 25),
          test::popupParam("Mode", 17, "Soft|Hard|Very Hard", 3, 2),
          test::point3dParam("Position", 18, 50, 50, 0),
          test::layerParam("Other", 19),
          test::groupStart("Petals", 20),
          test::floatParam("Length", 21, 0, 100, 10),
          test::groupEnd(20),
          test::groupStart("Sparks", 22),
          test::floatParam("Length", 23, 0, 100, 20),
          test::groupEnd(22)};
}

class SceneFile : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));
  FakeEffect fake{*host, "fake", everyKind()};

  std::filesystem::path write(const std::string &name, const std::string &text) {
    test::writeFile(dir / name, text);
    return dir / name;
  }
  // A scene with one layer "Plate" and a second layer "Matte", the fake
  // effect on the plate with `params`.
  std::string sceneWith(const std::string &params, const std::string &compExtra = "") {
    return R"({"vlam_scene": 1, "compositions": [{"width": 64, "height": 48, "frame_rate": 24, "duration": 48)" +
           compExtra + R"(, "layers": [
             {"name": "Plate", "solid": [0.1, 0.2, 0.3], "effects": [{"effect": "fake", "params": {)" + params + R"(}}]},
             {"name": "Matte", "solid": [1, 1, 1, 0.5]}]}]})";
  }
  std::string errorOf(const std::string &text) {
    try {
      host::parseScene(*host, text, dir / "bad.json");
    } catch (const host::HostError &e) {
      return e.what();
    }
    return "(accepted)";
  }
};

TEST_F(SceneFile, EveryValueRoundTripsExactly) {
  const auto file = write("scene.json", sceneWith(R"(
      "Count": -3, "Amount": 0.1, "Spread": 0.3333333333, "Turn": {"keyframes": [
          {"frame": 0, "value": -720.5, "interpolation": "hold"}, {"frame": 12, "value": 0.0001}]},
      "On": false, "Tint": [0.1, 0.7, 1], "Where": [12.25, -3.5], "Mode": "Very Hard",
      "Position": [0.1, 1e-9, -12345.678901234567], "Other": "Matte",
      "Petals/Length": 1.0000000000000002, "Sparks/Length": {"keyframes": [{"frame": 5, "value": 3}]})",
                                                   R"(, "frame_rate": [30000, 1001], "pixel_aspect": [10, 11])"));
  host->openProject(host::readScene(*host, file));
  const std::string first = host::writeScene(host->project());
  host->openProject(host::parseScene(*host, first, file));
  EXPECT_EQ(host::writeScene(host->project()), first) << "save, load, save gives the same text";

  const host::EffectInstance &effect = *host->project().comps[0]->layers[0]->effects[0];
  EXPECT_EQ(effect.streams[1].staticValue().number[0], -3);
  EXPECT_EQ(effect.streams[2].staticValue().number[0], 0.1);
  EXPECT_EQ(effect.streams[3].staticValue().number[0], 21845.0 / 65536) << "kept as the fixed-point value";
  ASSERT_EQ(effect.streams[4].keys().size(), 2u);
  EXPECT_EQ(effect.streams[4].keys()[0].value.number[0], -720.5);
  EXPECT_EQ(effect.streams[4].keys()[0].interpolation, host::Interpolation::Hold);
  EXPECT_EQ(effect.streams[4].keys()[1].ticks, 12 * 1001);
  EXPECT_EQ(effect.streams[5].staticValue().number[0], 0);
  EXPECT_EQ(effect.streams[6].staticValue().number, (std::array<double, 4>{1, 0.1, 0.7, 1}));
  EXPECT_EQ(effect.streams[8].staticValue().number[0], 3);
  EXPECT_EQ(effect.streams[9].staticValue().number[2], -12345.678901234567);
  EXPECT_EQ(effect.streams[10].staticValue().number[0], host->project().comps[0]->layers[1]->id());
  EXPECT_EQ(effect.streams[12].staticValue().number[0], 1.0000000000000002);
  EXPECT_EQ(host->project().comps[0]->frameRate, (host::FrameRate{30000, 1001}));
  EXPECT_EQ(host->project().comps[0]->layers[1]->source.color[3], 0.5);
}

TEST_F(SceneFile, DefaultsAreWrittenAndParametersAddressedByTheirShortestName) {
  host->openProject(host::parseScene(*host, sceneWith(""), dir / "s.json"));
  const std::string text = host::writeScene(host->project());
  for (const char *address : {"\"Count\": 7", "\"Mode\": \"Hard\"", "\"Where\": [", "\"Petals/Length\": 10.0",
                              "\"Sparks/Length\": 20.0", "\"Other\": null", "\"Tint\": [", "\"On\": true"})
    EXPECT_NE(text.find(address), std::string::npos) << address << "\n" << text;
  const host::InstalledEffect &installed = fake.installed();
  EXPECT_EQ(host::resolveParam(installed, "#12"), 12u);
  EXPECT_EQ(host::resolveParam(installed, "Sparks/Length"), 15u);
  EXPECT_THROW(host::resolveParam(installed, "Length"), host::HostError) << "ambiguous";
  EXPECT_THROW(host::resolveParam(installed, "#11"), host::HostError) << "a group holds no value";
  EXPECT_THROW(host::resolveParam(installed, "#99"), host::HostError);
  EXPECT_THROW(host::resolveParam(installed, "#1x"), host::HostError);
  // Point defaults are percentages of the layer.
  const host::EffectInstance &effect = *host->project().comps[0]->layers[0]->effects[0];
  EXPECT_EQ(effect.streams[7].staticValue().number[0], 32);
  EXPECT_EQ(effect.streams[7].staticValue().number[1], 12);
}

// Sequence data is saved byte for byte; an effect that set
// PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING (here: a handle holding a pointer
// to its text) flattens it first and keeps working on its own data.
TEST_F(SceneFile, SequenceDataIsSavedFlatAndGivenBackAtResetup) {
  struct Case {
    const char *name;
    PF_OutFlags flags;
    PF_OutFlags2 flags2;
  };
  const PF_OutFlags2 smart = PF_OutFlag2_SUPPORTS_SMART_RENDER;
  const Case cases[] = {
      {"plain", 0, smart},
      {"flattened in place", PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING, smart},
      {"flattened copy", PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING,
       smart | PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const bool pointer = c.flags != 0;
    std::vector<std::string> resetupSaw;
    std::vector<PF_Cmd> commands;
    const auto flat = [](PF_InData *in, const std::string &text) {
      PF_Handle h = in->utils->host_new_handle(text.size());
      std::memcpy(*h, text.data(), text.size());
      return h;
    };
    const auto unflat = [&](PF_InData *in, const std::string &text) {
      if (!pointer) return flat(in, text);
      PF_Handle h = in->utils->host_new_handle(sizeof(std::string *));
      *static_cast<std::string **>(*h) = new std::string(text);
      return h;
    };
    const auto textOf = [&](PF_Handle h, bool flattened) {
      if (!pointer || flattened) return std::string(static_cast<char *>(*h), 3);
      return **static_cast<std::string **>(*h);
    };
    fake.body = [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, auto...) -> std::optional<PF_Err> {
      commands.push_back(cmd);
      switch (cmd) {
      case PF_Cmd_GLOBAL_SETUP:
        out->out_flags = c.flags;
        out->out_flags2 = c.flags2;
        return PF_Err_NONE;
      case PF_Cmd_SEQUENCE_SETUP: out->sequence_data = unflat(in, "abc"); return PF_Err_NONE;
      case PF_Cmd_SEQUENCE_RESETUP:
        resetupSaw.push_back(textOf(in->sequence_data, true));
        out->sequence_data = unflat(in, resetupSaw.back());
        in->utils->host_dispose_handle(in->sequence_data);
        return PF_Err_NONE;
      case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA:
        out->sequence_data = flat(in, textOf(in->sequence_data, false));
        return PF_Err_NONE;
      case PF_Cmd_SEQUENCE_FLATTEN:
        out->sequence_data = flat(in, textOf(in->sequence_data, false));
        [[fallthrough]];
      case PF_Cmd_SEQUENCE_SETDOWN:
        if (pointer) delete *static_cast<std::string **>(*in->sequence_data);
        in->utils->host_dispose_handle(in->sequence_data);
        return PF_Err_NONE;
      default: return std::nullopt;
      }
    };
    host::Layer &plate = test::openSolidProject(*host);
    host::EffectInstance *effect = host->applyEffect(plate, "fake");
    ASSERT_NE(effect, nullptr);
    commands.clear();
    const std::string text = host::writeScene(host->project());
    EXPECT_NE(text.find("\"sequence_data\": \"616263\""), std::string::npos);
    EXPECT_EQ(textOf(effect->sequenceData, false), "abc") << "the effect works on after saving";
    const bool inPlace = c.flags && !(c.flags2 & PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), PF_Cmd_SEQUENCE_FLATTEN), inPlace ? 1 : 0);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), PF_Cmd_SEQUENCE_RESETUP), inPlace ? 1 : 0);
    resetupSaw.clear();
    host->openProject(host::parseScene(*host, text, dir / "s.json"));
    EXPECT_EQ(resetupSaw, std::vector<std::string>{"abc"});
    host->openProject(std::make_unique<host::Project>()); // sets the effect down while the body lives
    EXPECT_EQ(host->handles().liveCount(), 0u);
    fake.body = {};
    host->runner().globalSetdown(fake.installed()); // the next case sets up with its own flags
  }
}

// "Amount" is limited to 0.3f, which is a little more than 0.3.
TEST_F(SceneFile, FloatSliderLimitsAreComparedAtTheirOwnPrecision) {
  host->openProject(host::parseScene(*host, sceneWith(R"("Amount": 0.3)"), dir / "s.json"));
  host::EffectInstance &effect = *host->project().comps[0]->layers[0]->effects[0];
  EXPECT_EQ(effect.streams[2].staticValue().number[0], 0.3) << "read as written";
  host::userSetParam(*host, effect, 2, host::ParamValue::scalar(0.3), 0);
  EXPECT_EQ(effect.streams[2].staticValue().number[0], 0.3) << "a user's 0.3 stays 0.3";
  host::userSetParam(*host, effect, 2, host::ParamValue::scalar(0.5), 0);
  EXPECT_EQ(effect.streams[2].staticValue().number[0], 0.3f) << "beyond the limit: clamped to it";
}

TEST_F(SceneFile, BadInputNamesTheFileAndThePlace) {
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"{\"vlam_scene\": 1,\n \"compositions\": [}", "bad.json: line 2, column 19: not valid JSON"},
      {"[]", "top level: expected an object"},
      {sceneWith(R"("Count": -1.5e308688)"), "top level: not readable JSON (number overflow parsing '-1.5e308688')"},
      {std::string(1000000, '[') + std::string(1000000, ']'), "top level: nested deeper than 100 levels"},
      {"{\"vlam_scene\": 2, \"compositions\": []}", "unsupported scene format version 2"},
      {R"({"vlam_scene": 1, "compositions": [{"width": 100000, "height": 100000, "layers": []}]})",
       "compositions[0]: size 100000x100000 is outside 1..30000"},
      {R"({"vlam_scene": 1, "compositions": [{"width": 64, "height": 48, "layers": [
         {"name": "A", "solid": [0, 0, 0]}, {"name": "A", "solid": [0, 0, 0]}]}]})",
       "compositions[0].layers[1].name: a second layer named \"A\""},
      {R"({"vlam_scene": 1, "compositions": [{"width": 64, "height": 48, "layers": [
         {"name": "A", "solid": [0, 0, 0], "effects": [{"effect": "zk_Nothing"}]}]}]})",
       "compositions[0].layers[0].effects[0].effect: unknown effect match name \"zk_Nothing\""},
      {R"({"vlam_scene": 1, "compositions": [{"width": 64, "height": 48, "layers": [
         {"name": "A", "image": "missing.png"}]}]})",
       "compositions[0].layers[0].image: "},
      {R"({"vlam_scene": 1, "compositions": [{"width": 64, "height": 48, "widht": 3, "layers": []}]})",
       "compositions[0]: unknown key 'widht'"},
      {sceneWith(R"("Nope": 1)"), "effects[0].params[\"Nope\"]: unknown parameter 'Nope' of fake"},
      {sceneWith(R"("Count": "many")"), "params[\"Count\"]: expected a number, found \"many\""},
      {sceneWith(R"("Count": 2.5)"), "expected a whole number"},
      {sceneWith(R"("Count": 501)"), "value 501 is outside -5..500"},
      {sceneWith(R"("Mode": "Medium")"), "'Medium' is not one of the items (\"Soft\", \"Hard\", \"Very Hard\")"},
      {sceneWith(R"("Mode": 4)"), "value 4 is outside 1..3"},
      {sceneWith(R"("Tint": [1, 2, 3])"), "value 2 is outside 0..1"},
      {sceneWith(R"("Amount": 0.30001)"), "value 0.30001 is outside 0..0.3"},
      {sceneWith(R"("On": "yes")"), "expected true or false"},
      {sceneWith(R"("Length": 1)"), "parameter 'Length' is ambiguous (Petals/Length, Sparks/Length)"},
      {sceneWith(R"("Other": "Ghost")"), "no layer named 'Ghost'"},
      {sceneWith(R"("Count": 1, "#1": 2)"), "set twice"},
      {sceneWith(R"("Turn": {"keyframes": [{"frame": 1, "value": 2}, {"frame": 1, "value": 3}]})"),
       "keyframe 1: a second key at frame 1"},
      {sceneWith(R"("Turn": {"keyframes": [{"frame": 1, "value": 2, "interpolation": "bezier"}]})"),
       "interpolation must be \"linear\" or \"hold\""},
      {sceneWith(""), ""}, // the control: a good scene is accepted
  };
  for (const Case &c : cases) {
    const std::string error = errorOf(c.text);
    if (c.expected.empty()) {
      EXPECT_EQ(error, "(accepted)");
      continue;
    }
    EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
    EXPECT_EQ(error.rfind((dir / "bad.json").string() + ": ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

TEST_F(SceneFile, MissingFileAndSavingAreClean) {
  try {
    host::readScene(*host, dir / "absent.json");
    ADD_FAILURE();
  } catch (const host::HostError &e) {
    EXPECT_NE(std::string(e.what()).find("absent.json"), std::string::npos);
  }
  host::Layer &plate = test::openSolidProject(*host);
  ASSERT_NE(host->applyEffect(plate, "fake"), nullptr);
  test::writeFile(dir / "out.json", "previous");
  host::saveScene(host->project(), dir / "out.json");
  EXPECT_EQ(test::listDir(dir.path()), (std::vector<std::string>{"out.json"}));
  EXPECT_NE(test::readFile(dir / "out.json").find("\"effect\": \"fake\""), std::string::npos);
}

} // namespace
