#include "host/scene/DefaultScene.h"

#include "host/Host.h"
#include "host/HostError.h"

namespace vlam::host {

void openEmptyScene(Host &host) {
  auto project = std::make_unique<Project>();
  Composition &comp = project->addComp();
  comp.name = "Vlam";
  comp.width = 1920;
  comp.height = 1080;
  comp.frameRate = {24, 1};
  comp.durationFrames = 48;
  Layer &plate = project->addLayer(comp, "Plate");
  plate.source.color = {0.06, 0.065, 0.075, 1.0};
  host.openProject(std::move(project));
}

void openDefaultScene(Host &host) {
  openEmptyScene(host);
  Layer &plate = *host.project().comps.front()->layers.front();
  PF_Err err = PF_Err_NONE;
  if (!host.applyEffect(plate, "zk_Vlam", &err))
    throw HostError("built-in scene: applying zk_Vlam failed (error " + std::to_string(err) + ")");
}

} // namespace vlam::host
