// Camera layers in scene files: read, written back the same, checked.
#include "host/HostError.h"
#include "host/scene/SceneFile.h"
#include "host_support.h"

using namespace vlam;
using vlam::test::TempDir;

namespace {

std::string sceneWithCamera(const std::string &camera, const std::string &extra = "") {
  return R"({"vlam_scene": 1, "compositions": [{"width": 320, "height": 180, "layers": [
    {"name": "Camera", "camera": )" +
         camera + extra + R"(},
    {"name": "Plate", "solid": [0, 0, 0]}]}]})";
}

class CameraScene : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));
  std::unique_ptr<host::Project> parse(const std::string &text) { return host::parseScene(*host, text, dir / "s.json"); }
};

TEST_F(CameraScene, KeysAndSettingsRoundTrip) {
  auto project = parse(sceneWithCamera(
      R"({"zoom": {"keyframes": [{"frame": 0, "value": 400}, {"frame": 12, "value": 600, "interpolation": "hold"}]},
          "film_size": 24, "film_size_units": "vertical", "position": [10, 20, -300], "orientation": [0, 30, 0]})"));
  const host::Layer &camera = *project->comps[0]->layers[0];
  ASSERT_TRUE(camera.camera);
  EXPECT_EQ(camera.camera->zoom.keys().size(), 2u);
  EXPECT_FALSE(camera.camera->aimed);
  EXPECT_EQ(camera.camera->filmUnits, host::FilmSizeUnits::Vertical);
  EXPECT_EQ(camera.camera->orientation.staticValue().number[1], 30);
  EXPECT_FALSE(project->comps[0]->layers[1]->camera);
  host->openProject(std::move(project));
  const std::string first = host::writeScene(host->project());
  host->openProject(parse(first));
  EXPECT_EQ(host::writeScene(host->project()), first);
}

TEST_F(CameraScene, LeftOutSettingsAreTheDefaultCamera) {
  auto project = parse(sceneWithCamera("{}"));
  const host::CameraSettings &camera = *project->comps[0]->layers[0]->camera;
  const double zoom = 320 * 141.7325 / 102.0474;
  EXPECT_DOUBLE_EQ(camera.zoom.staticValue().number[0], zoom);
  const auto &position = camera.position.staticValue().number;
  EXPECT_EQ(position[0], 160);
  EXPECT_EQ(position[1], 90);
  EXPECT_DOUBLE_EQ(position[2], -zoom);
  EXPECT_EQ(camera.pointOfInterest.staticValue().number, (std::array<double, 4>{160, 90, 0, 0}));
  EXPECT_TRUE(camera.aimed);
  EXPECT_EQ(camera.filmSize, 102.0474);
}

TEST_F(CameraScene, BadCamerasAreRefusedWithThePlace) {
  const std::pair<std::string, std::string> cases[] = {
      {sceneWithCamera(R"({"point_of_interest": [0, 0, 0], "orientation": [0, 0, 0]})"), "not both"},
      {sceneWithCamera(R"({"zoom": 0})"), "zoom"},
      {sceneWithCamera(R"({"film_size": -1})"), "film_size"},
      {sceneWithCamera(R"({"film_size_units": "metres"})"), "film_size_units"},
      {sceneWithCamera(R"({"lens": 1})"), "unknown key 'lens'"},
      {sceneWithCamera("{}", R"(, "effects": [])"), "a camera layer has no"},
  };
  for (const auto &[text, what] : cases) {
    try {
      parse(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const host::HostError &e) {
      EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("compositions[0].layers[0]"), std::string::npos) << e.what();
    }
  }
}

} // namespace

namespace {

TEST_F(CameraScene, EffectsAreNotAppliedToCameras) {
  host->openProject(parse(sceneWithCamera("{}")));
  host::Layer &camera = *host->project().comps[0]->layers[0];
  PF_Err err = PF_Err_NONE;
  EXPECT_EQ(host->applyEffect(camera, "zk_VlamInstance", &err), nullptr);
  EXPECT_NE(err, PF_Err_NONE);
  EXPECT_TRUE(camera.effects.empty());
}

} // namespace
