// Scene files: every value survives save and load exactly; bad files give
// one line naming the file and the place; camera layers and masks; values at
// the far ends of what the format lets through render without fault.
#include "host/HostError.h"
#include "host/effect/UserEdits.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/SceneFile.h"
#include "host_support.h"

#include <AE_Macros.h>

#include <cstring>

using namespace vlam;
using vlam::test::FakeEffect;

namespace {

std::vector<PF_ParamDef> everyKind() {
  using test::paramOf;
  PF_ParamDef spread = paramOf(PF_Param_FIX_SLIDER, "Spread", 12);
  PF_ParamDef turn = paramOf(PF_Param_ANGLE, "Turn", 13);
  PF_ParamDef tint = paramOf(PF_Param_COLOR, "Tint", 15);
  PF_ParamDef where = paramOf(PF_Param_POINT, "Where", 16);
  PF_ParamDef mode = paramOf(PF_Param_POPUP, "Mode", 17);
  PF_ParamDef position = paramOf(PF_Param_POINT_3D, "Position", 18);
  spread.u.fd.valid_min = spread.u.fd.slider_min = FLOAT2FIX(-100);
  spread.u.fd.valid_max = spread.u.fd.slider_max = FLOAT2FIX(100);
  spread.u.fd.value = spread.u.fd.dephault = FLOAT2FIX(1.5);
  turn.u.ad.value = turn.u.ad.dephault = FLOAT2FIX(45);
  tint.u.cd.value = tint.u.cd.dephault = {255, 10, 20, 30};
  where.u.td.x_dephault = FLOAT2FIX(50); // percent of the layer
  where.u.td.y_dephault = FLOAT2FIX(25);
  mode.u.pd.num_choices = 3;
  mode.u.pd.value = mode.u.pd.dephault = 2;
  mode.u.pd.u.namesptr = "Soft|Hard|Very Hard";
  position.u.point3d_d.x_dephault = position.u.point3d_d.y_dephault = 50;
  return {test::sliderParam("Count", 10, -5, 500, 7), test::floatParam("Amount", 11, 0, 0.3, 0.25),
          spread, turn, test::checkboxParam("On", 14, true), tint, where, mode, position,
          test::layerParam("Other", 19),
          paramOf(PF_Param_GROUP_START, "Petals", 20), test::floatParam("Length", 21, 0, 100, 10),
          paramOf(PF_Param_GROUP_END, "", 20), paramOf(PF_Param_GROUP_START, "Sparks", 22),
          test::floatParam("Length", 23, 0, 100, 20), paramOf(PF_Param_GROUP_END, "", 22)};
}

std::string sceneWithCamera(const std::string &camera, const std::string &extra = "") {
  return R"({"vlam_scene": 1, "compositions": [{"width": 320, "height": 180, "layers": [
    {"name": "Camera", "camera": )" +
         camera + extra + R"(},
    {"name": "Plate", "solid": [0, 0, 0]}]}]})";
}

class SceneFile : public test::HostTest {
protected:
  FakeEffect fake{host, "fake", everyKind()};

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
  std::unique_ptr<host::Project> parse(const std::string &text) { return host::parseScene(host, text, dir / "s.json"); }
  std::string errorOf(const std::string &text) {
    try {
      host::parseScene(host, text, dir / "bad.json");
    } catch (const host::HostError &e) {
      return e.what();
    }
    return "(accepted)";
  }
};

TEST_F(SceneFile, EveryValueRoundTripsExactlyDefaultsAreWrittenAndParametersAddressedByTheirShortestName) {
  const auto file = write("scene.json", sceneWith(R"(
      "Count": -3, "Amount": 0.1, "Spread": 0.3333333333, "Turn": {"keyframes": [
          {"frame": 0, "value": -720.5, "interpolation": "hold"}, {"frame": 12, "value": 0.0001}]},
      "On": false, "Tint": [0.1, 0.7, 1], "Where": [12.25, -3.5], "Mode": "Very Hard",
      "Position": [0.1, 1e-9, -12345.678901234567], "Other": "Matte",
      "Petals/Length": 1.0000000000000002, "Sparks/Length": {"keyframes": [{"frame": 5, "value": 3}]})",
                                                   R"(, "frame_rate": [30000, 1001], "pixel_aspect": [10, 11])"));
  host.openProject(host::readScene(host, file));
  const std::string first = host::writeScene(host.project());
  host.openProject(host::parseScene(host, first, file));
  EXPECT_EQ(host::writeScene(host.project()), first) << "save, load, save gives the same text";

  const host::EffectInstance &effect = *host.project().comps[0]->layers[0]->effects[0];
  const auto value = [&](std::size_t i, std::size_t at = 0) { return effect.streams[i].staticValue().number[at]; };
  ASSERT_EQ(effect.streams[4].keys().size(), 2u);
  EXPECT_EQ(effect.streams[4].keys()[0].interpolation, host::Interpolation::Hold);
  EXPECT_EQ(effect.streams[6].staticValue().number, (std::array<double, 4>{1, 0.1, 0.7, 1}));
  // Spread is kept as the fixed-point value.
  test::expectValues({{"Count", value(1), -3}, {"Amount", value(2), 0.1}, {"Spread", value(3), 21845.0 / 65536},
                      {"Turn key", effect.streams[4].keys()[0].value.number[0], -720.5},
                      {"Turn key time", effect.streams[4].keys()[1].ticks, 12 * 1001}, {"On", value(5), 0},
                      {"Mode", value(8), 3}, {"Position z", value(9, 2), -12345.678901234567},
                      {"Other", value(10), host.project().comps[0]->layers[1]->id()},
                      {"Petals/Length", value(12), 1.0000000000000002}});
  EXPECT_EQ(host.project().comps[0]->frameRate, (host::FrameRate{30000, 1001}));
  EXPECT_EQ(host.project().comps[0]->layers[1]->source.color[3], 0.5);
  // Defaults are written; "Amount" is limited to 0.3f, which is a little more
  // than 0.3: limits are compared at their own precision.
  host.openProject(host::parseScene(host, sceneWith(R"("Amount": 0.3)"), dir / "s.json"));
  const std::string text = host::writeScene(host.project());
  for (const char *address : {"\"Count\": 7", "\"Mode\": \"Hard\"", "\"Where\": [", "\"Petals/Length\": 10.0",
                              "\"Sparks/Length\": 20.0", "\"Other\": null", "\"Tint\": [", "\"On\": true"})
    EXPECT_NE(text.find(address), std::string::npos) << address << "\n" << text;
  const host::InstalledEffect &installed = fake.installed();
  EXPECT_EQ(host::resolveParam(installed, "#12"), 12u);
  EXPECT_EQ(host::resolveParam(installed, "Sparks/Length"), 15u);
  EXPECT_THROW(host::resolveParam(installed, "#11"), host::HostError) << "a group holds no value";
  EXPECT_THROW(host::resolveParam(installed, "#99"), host::HostError);
  EXPECT_THROW(host::resolveParam(installed, "#1x"), host::HostError);
  // Point defaults are percentages of the layer.
  host::EffectInstance &defaults = *host.project().comps[0]->layers[0]->effects[0];
  EXPECT_EQ(defaults.streams[7].staticValue().number[0], 32);
  EXPECT_EQ(defaults.streams[7].staticValue().number[1], 12);
  EXPECT_EQ(defaults.streams[2].staticValue().number[0], 0.3) << "read as written";
  host::userSetParam(host, defaults, 2, host::ParamValue::scalar(0.3), 0);
  EXPECT_EQ(defaults.streams[2].staticValue().number[0], 0.3) << "a user's 0.3 stays 0.3";
  host::userSetParam(host, defaults, 2, host::ParamValue::scalar(0.5), 0);
  EXPECT_EQ(defaults.streams[2].staticValue().number[0], 0.3f) << "beyond the limit: clamped to it";
}


// Sequence data is saved byte for byte and given back at resetup (the
// module's effects keep theirs flat: the flattening commands are never
// needed).
TEST_F(SceneFile, SequenceDataIsSavedFlatAndGivenBackAtResetup) {
  std::vector<std::string> resetupSaw;
  const auto flat = [](PF_InData *in, const std::string &text) {
    PF_Handle h = in->utils->host_new_handle(text.size());
    std::memcpy(*h, text.data(), text.size());
    return h;
  };
  fake.body = [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, auto...) -> std::optional<PF_Err> {
    switch (cmd) {
    case PF_Cmd_SEQUENCE_SETUP: out->sequence_data = flat(in, "abc"); return PF_Err_NONE;
    case PF_Cmd_SEQUENCE_RESETUP:
      resetupSaw.emplace_back(static_cast<char *>(*in->sequence_data), 3);
      return PF_Err_NONE;
    case PF_Cmd_SEQUENCE_SETDOWN:
      in->utils->host_dispose_handle(in->sequence_data);
      return PF_Err_NONE;
    default: return std::nullopt;
    }
  };
  ASSERT_NE(host.applyEffect(test::openSolidProject(host), "fake"), nullptr);
  const std::string text = host::writeScene(host.project());
  EXPECT_NE(text.find("\"sequence_data\": \"616263\""), std::string::npos) << text;
  host.openProject(host::parseScene(host, text, dir / "s.json"));
  EXPECT_EQ(resetupSaw, std::vector<std::string>{"abc"});
  host.openProject(std::make_unique<host::Project>()); // sets the effect down while the body lives
  EXPECT_EQ(host.handles().liveCount(), 0u);
}

TEST_F(SceneFile, BadInputNamesTheFileAndThePlace) {
  const auto withMasks = [](const std::string &masks) {
    return R"({"vlam_scene": 1, "compositions": [{"width": 4, "height": 4, "layers": [
      {"name": "Plate", "solid": [0, 0, 0], )" + masks + "}]}]}";
  };
  const std::string camera = "compositions[0].layers[0]";
  const struct Case {
    std::string text, expected, place = "";
  } cases[] = {
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
      {sceneWithCamera(R"({"point_of_interest": [0, 0, 0], "orientation": [0, 0, 0]})"), "not both", camera},
      {sceneWithCamera(R"({"zoom": 0})"), "zoom", camera},
      {sceneWithCamera(R"({"film_size": -1})"), "film_size", camera},
      {sceneWithCamera(R"({"film_size_units": "metres"})"), "film_size_units", camera},
      {sceneWithCamera(R"({"lens": 1})"), "unknown key 'lens'", camera},
      {sceneWithCamera("{}", R"(, "effects": [])"), "a camera layer has no", camera},
      {withMasks(R"("masks": [{"path": {"vertices": [[0, 0]]}, "opacity": 120}])"), "masks"},
      {withMasks(R"("masks": [{"path": {"vertices": [[0, "x"]]}}])"), "masks"},
      {withMasks(R"("masks": [{"feather": 2}])"), "masks"},
      {sceneWith(""), ""}, // the control: a good scene is accepted
  };
  for (const Case &c : cases) {
    const std::string error = errorOf(c.text);
    if (c.expected.empty()) {
      EXPECT_EQ(error, "(accepted)");
      continue;
    }
    EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
    EXPECT_NE(error.find(c.place), std::string::npos) << error;
    EXPECT_EQ(error.rfind((dir / "bad.json").string() + ": ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

// Masks with path keys and camera layers with keys and settings: read as
// written, and written back the same.
TEST_F(SceneFile, MasksAndCamerasSurviveSavingAndLoadingAndLeftOutCameraSettingsAreTheDefaults) {
  const std::string text = R"({"vlam_scene": 1, "compositions": [{"width": 40, "height": 30, "layers": [
    {"name": "Camera", "camera": {"zoom": {"keyframes": [{"frame": 0, "value": 400},
                                                         {"frame": 12, "value": 600, "interpolation": "hold"}]},
      "film_size": 24, "film_size_units": "vertical", "position": [10, 20, -300], "orientation": [0, 30, 0]}},
    {"name": "Plate", "solid": [0, 0, 0], "masks": [
      {"name": "Door", "path": {"closed": true, "vertices": [[1, 2], {"at": [30, 2], "in": [0, -3], "out": [0, 3]}, [30, 20]]},
       "feather": [2, 5], "opacity": {"keyframes": [{"frame": 0, "value": 0}, {"frame": 4, "value": 80}]}},
      {"name": "Wire", "path": {"keyframes": [{"frame": 0, "value": {"closed": false, "vertices": [[0, 0], [5, 5]]}},
                                               {"frame": 2, "value": {"closed": false, "vertices": [[0, 0], [9, 5]]}}]},
       "feather": 0, "inverted": true}]}]}]})";
  auto project = parse(text);
  const host::Layer &camera = *project->comps[0]->layers[0];
  ASSERT_TRUE(camera.camera);
  EXPECT_EQ(camera.camera->zoom.keys().size(), 2u);
  EXPECT_FALSE(camera.camera->aimed);
  EXPECT_EQ(camera.camera->filmUnits, host::FilmSizeUnits::Vertical);
  EXPECT_EQ(camera.camera->orientation.staticValue().number[1], 30);
  const host::Layer &plate = *project->comps[0]->layers[1];
  EXPECT_FALSE(plate.camera);
  ASSERT_EQ(plate.masks.size(), 2u);
  EXPECT_EQ(plate.masks[0].shape.staticValue().vertices[1].outY, 3.0);
  EXPECT_EQ(plate.masks[0].opacity.valueAt(2, true).number[0], 40.0);
  EXPECT_EQ(plate.masks[1].shape.valueAt(1).vertices[1].x, 7.0);
  EXPECT_TRUE(plate.masks[1].inverted);
  EXPECT_NE(plate.masks[0].id, plate.masks[1].id);
  const std::string saved = host::writeScene(*project);
  EXPECT_EQ(host::writeScene(*parse(saved)), saved);
  // Camera settings left out are the default camera's.
  auto defaults = parse(sceneWithCamera("{}"));
  const host::CameraSettings &fallback = *defaults->comps[0]->layers[0]->camera;
  const double zoom = 320 * 141.7325 / 102.0474;
  EXPECT_DOUBLE_EQ(fallback.zoom.staticValue().number[0], zoom);
  EXPECT_DOUBLE_EQ(fallback.position.staticValue().number[2], -zoom);
  EXPECT_EQ(fallback.pointOfInterest.staticValue().number, (std::array<double, 4>{160, 90, 0, 0}));
  EXPECT_TRUE(fallback.aimed);
  EXPECT_EQ(fallback.filmSize, 102.0474);
  // Effects are not applied to cameras.
  host.openProject(std::move(defaults));
  host::Layer &layer = *host.project().comps[0]->layers[0];
  PF_Err err = PF_Err_NONE;
  EXPECT_EQ(host.applyEffect(layer, "zk_VlamInstance", &err), nullptr);
  EXPECT_NE(err, PF_Err_NONE);
  EXPECT_TRUE(layer.effects.empty());
}


// Values at the far ends of what the format lets through: the module stack
// on a grey solid, the instance at a position with the trigger on, renders
// them without fault.
TEST_F(SceneFile, FlashPositionedFarBeyondTheFrameDrawsNothing) {
  const auto render = [&](const std::string &position, bool active = true) {
    host.openProject(parse(R"({"vlam_scene": 1, "compositions": [{"width": 96, "height": 54, "duration": 4,
      "motion_blur": true, "layers": [{"name": "Plate", "solid": [0.3, 0.3, 0.3], "effects": [
        {"effect": "zk_VlamMod"}, {"effect": "zk_VlamFlash"},
        {"effect": "zk_VlamInstance", "params": {"Position": )" + position + R"(, "Post Scale": 300, "Trigger": true}},
        {"effect": "zk_Vlam", "active": )" + (active ? "true" : "false") + "}]}]}]}"));
    return test::renderFrame(host, 1);
  };
  const host::Image plate = render("[48, 27, 0]", false);
  // The control: at the centre the flash shows.
  EXPECT_FALSE(render("[48, 27, 0]").samePixels(plate));
  for (const char *far : {"[1e308, -1e308, 0]", "[-1e308, 1e308, 0]", "[1e12, 27, 0]"})
    EXPECT_TRUE(render(far).samePixels(plate)) << far;
  EXPECT_TRUE(host.messages.empty());
}

} // namespace
