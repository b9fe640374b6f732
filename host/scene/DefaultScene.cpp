#include "host/scene/DefaultScene.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/scene/PlateTexture.h"
#include "host/scene/SceneFile.h"

#include <nlohmann/json.hpp>

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

constexpr int kWidth = 1920, kHeight = 1080, kFrames = 48;

// Hold keys that switch a gun on for one frame every other frame, from
// `first` to `last` (inclusive) except inside the pauses [from, to].
json burstKeys(int first, int last, std::initializer_list<std::pair<int, int>> pauses) {
  json keys = json::array();
  keys.push_back({{"frame", 0}, {"value", false}, {"interpolation", "hold"}});
  for (int f = first; f <= last; f += 2) {
    bool paused = false;
    for (const auto &[from, to] : pauses) paused = paused || (f >= from && f <= to);
    if (paused) continue;
    if (f == 0) keys.clear();
    keys.push_back({{"frame", f}, {"value", true}, {"interpolation", "hold"}});
    keys.push_back({{"frame", f + 1}, {"value", false}, {"interpolation", "hold"}});
  }
  return json{{"keyframes", keys}};
}

// Two guns: one on the left firing left with a petalled flash, one on the
// right firing right with a long flash that throws sparks. They take turns
// frame by frame, each pausing between bursts.
json defaultSceneJson() {
  json petals = {{"Flash Identifier", "Flash A"},
                 {"Main Shape/Length", 230.0},
                 {"Petal Configuration", "Four X-Wing"},
                 {"Petals/Length", 150.0},
                 {"Angle", 40.0},
                 {"Relative Brightness", 90.0},
                 {"Max Sparks", 0.0},
                 {"Flash Colour", {1.0, 0.78, 0.5}},
                 {"Randomise Flash Shape", 40.0},
                 {"Randomise Petals", 60.0},
                 {"Randomise Brightness", 30.0}};
  json sparks = {{"Flash Identifier", "Flash B"},
                 {"Main Shape/Length", 320.0},
                 {"Petal Configuration", "None"},
                 {"Max Sparks", 60.0},
                 {"Spark Dispersion", 25.0},
                 {"Spark Brightness", 100.0},
                 {"Flash Colour", {1.0, 0.64, 0.32}},
                 {"Randomise Flash Shape", 35.0},
                 {"Randomise Brightness", 30.0}};
  json left = {{"Flash Identifier", "Flash A"},
               {"Position", {600.0, 620.0, 0.0}},
               {"Aim", {900.0, 640.0}},
               {"Random Seed", 311.0},
               {"Trigger", burstKeys(0, kFrames - 1, {{16, 22}, {38, 40}})}};
  json right = {{"Flash Identifier", "Flash B"},
                {"Position", {1320.0, 460.0, 0.0}},
                {"Aim", {1020.0, 450.0}},
                {"Random Seed", 1777.0},
                {"Trigger", burstKeys(1, kFrames - 1, {{9, 13}, {29, 35}})}};
  json relighter = {{"Light Spread", 7.0}, {"Relight Ambient", 6.0}};
  json render = {{"Glow Brightness", 25.0}};
  json effects = json::array({json{{"effect", "zk_VlamMod"}},
                              json{{"effect", "zk_VlamFlash"}, {"params", petals}},
                              json{{"effect", "zk_VlamFlash"}, {"params", sparks}},
                              json{{"effect", "zk_VlamInstance"}, {"params", left}},
                              json{{"effect", "zk_VlamInstance"}, {"params", right}},
                              json{{"effect", "zk_VlamRelighter"}, {"params", relighter}},
                              json{{"effect", "zk_Vlam"}, {"params", render}}});
  json plate = {{"name", "Plate"}, {"solid", {0.1, 0.1, 0.1}}, {"effects", effects}};
  json comp = {{"name", "Vlam"},         {"width", kWidth},     {"height", kHeight},
               {"frame_rate", 24},       {"duration", kFrames}, {"motion_blur", true},
               {"layers", json::array({plate})}};
  return json{{"vlam_scene", 1}, {"compositions", json::array({comp})}};
}

} // namespace

void openEmptyScene(Host &host) {
  auto project = std::make_unique<Project>();
  Composition &comp = project->addComp();
  comp.name = "Vlam";
  comp.width = kWidth;
  comp.height = kHeight;
  comp.frameRate = {24, 1};
  comp.durationFrames = kFrames;
  Layer &plate = project->addLayer(comp, "Plate");
  plate.source.color = {0.06, 0.065, 0.075, 1.0};
  host.openProject(std::move(project));
}

void openDefaultScene(Host &host) {
  std::unique_ptr<Project> project = parseScene(host, defaultSceneJson().dump(), "built-in scene");
  Layer &plate = *project->comps.front()->layers.front();
  plate.source.kind = LayerSource::Kind::Image;
  plate.source.file = "built-in-plate";
  // Made at half size and scaled up like footage: cheaper, and soft enough.
  plate.source.pixels = std::make_shared<const Image>(makePlateTexture(kWidth / 2, kHeight / 2));
  host.openProject(std::move(project));
}

} // namespace vlam::host
