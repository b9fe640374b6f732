#include "modules/grain_precomp_script.h"

#include "modules/vlam_utils_suite.h"

namespace vlam {

const char *GrainPrecompScript() {
  return R"JSX(function CreateGrainComp() {
  var thisComp = app.project.activeItem;
  if (!thisComp || !(thisComp instanceof CompItem)) {
    return;
  }
  if (thisComp.selectedLayers.length != 1) {
    return;
  }
  var sourceLayer = thisComp.selectedLayers[0];
  app.beginUndoGroup("Add Vlam Grain Precomp");
  var guideLayer = thisComp.layers.add(sourceLayer.source);
  if (!guideLayer) {
    return;
  }
  guideLayer.guideLayer = true;
  var grainSolid = thisComp.layers.addSolid([0.5, 0.5, 0.5], thisComp.name + "_Grain(Vlam)",
      sourceLayer.width, sourceLayer.height, sourceLayer.source.pixelAspect, thisComp.duration);
  if (!grainSolid) {
    return;
  }
  var effects = grainSolid.property("Effects");
  if (!effects.canAddProperty("VISINF Grain Implant")) {
    return;
  }
  var grain = effects.addProperty("VISINF Grain Implant");
  if (!grain) {
    return;
  }
  grain.viewingMode = 3;
  var precomp = thisComp.layers.precompose([grainSolid.index, guideLayer.index], grainSolid.name, true);
  if (!precomp) {
    return;
  }
  if (thisComp.selectedLayers.length != 1) {
    return;
  }
  var grainLayer = thisComp.selectedLayers[0];
  grainLayer.moveToEnd();
  grainLayer.enabled = false;
  grainLayer.selected = false;
  sourceLayer.selected = true;
  app.endUndoGroup();
}
CreateGrainComp();
)JSX";
}

const char *ScriptForCommand(A_long command) {
  return command == kGrainPrecompCommand ? GrainPrecompScript() : "";
}

}  // namespace vlam
