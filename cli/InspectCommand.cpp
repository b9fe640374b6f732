// vlam inspect SCENE [--frame N]: compositions, layers, their effect stacks
// and every parameter's value at a frame.
#include "cli/CliContext.h"
#include "host/effect/InstanceRecordQuery.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/ParamJson.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace vlam::cli {
namespace {

using json = nlohmann::ordered_json;

// A Flash Instance's answer to the Render effect at the frame.
json instanceRecordJson(host::Host &host, host::EffectInstance &effect, std::int64_t ticks) {
  PF_Err err = PF_Err_NONE;
  const auto r = host::queryInstanceRecord(host, effect, ticks, &err);
  if (!r) return {{"error", err}};
  return {{"design_index", r->designIndex}, {"random_seed", r->seed},
          {"randomness", r->randomness},    {"trigger_level", r->triggerLevel},
          {"ez_aim", r->ezAim},             {"position", r->position},
          {"point_away", r->pointAway},     {"aim_angle_a", r->aimA},
          {"aim_angle_b", r->aimB},         {"roll", r->roll},
          {"post_scale", r->postScale},     {"brightness", r->brightness},
          {"defocus", r->defocus},          {"mask_id", r->maskId}};
}

json effectJson(host::Host &host, host::EffectInstance &effect, const host::Composition &comp, std::int64_t ticks) {
  const host::InstalledEffect &installed = effect.installed();
  json params = json::array();
  for (std::size_t i = 1; i < effect.paramCount(); ++i) {
    const host::ParamDefinition &param = effect.param(i);
    json p = {{"index", i},
              {"address", host::paramAddress(installed, i)},
              {"name", param.name()},
              {"type", host::paramTypeName(param.type())}};
    if (param.hasValue() && param.type() != PF_Param_ARBITRARY_DATA) {
      p["value"] = host::paramValueToJson(param, effect.streams[i].valueAt(ticks, param.blendable()), comp);
      if (effect.streams[i].animated()) {
        p["keys"] = effect.streams[i].keys().size();
        p["keyframes"] = host::paramStreamToJson(param, effect.streams[i], comp)["keyframes"];
      }
    }
    if (effect.ui[i].uiFlags & PF_PUI_DISABLED) p["disabled"] = true;
    if (effect.ui[i].streamFlags & AEGP_DynStreamFlag_HIDDEN) p["hidden"] = true;
    params.push_back(std::move(p));
  }
  json e = {{"name", installed.name()},
            {"match_name", installed.matchName()},
            {"active", effect.active},
            {"sequence_data", effect.sequenceData != nullptr},
            {"params", std::move(params)}};
  if (installed.matchName() == "zk_VlamInstance") e["instance_record"] = instanceRecordJson(host, effect, ticks);
  return e;
}

json projectJson(host::Host &host, const host::Project &project, double frame) {
  json comps = json::array();
  for (const auto &comp : project.comps) {
    const std::int64_t ticks = comp->ticksOfFrame(frame);
    json layers = json::array();
    for (const auto &layer : comp->layers) {
      json effects = json::array();
      for (const auto &effect : layer->effects) effects.push_back(effectJson(host, *effect, *comp, ticks));
      layers.push_back({{"name", layer->name},
                        {"width", layer->width},
                        {"height", layer->height},
                        {"source", layer->camera ? json("camera")
                                   : layer->source.kind == host::LayerSource::Kind::Solid
                                       ? json("solid")
                                       : json(layer->source.file.generic_string())},
                        {"enabled", layer->enabled},
                        {"effects", std::move(effects)}});
    }
    comps.push_back({{"name", comp->name},
                     {"width", comp->width},
                     {"height", comp->height},
                     {"fps", comp->frameRate.fps()},
                     {"duration", comp->durationFrames},
                     {"frame", frame},
                     {"layers", std::move(layers)}});
  }
  return {{"compositions", std::move(comps)}};
}

void printText(const json &j) {
  for (const auto &comp : j["compositions"]) {
    std::cout << "composition \"" << comp["name"].get<std::string>() << "\"  " << comp["width"] << "x"
              << comp["height"] << "  " << comp["fps"] << " fps  " << comp["duration"] << " frames  (frame "
              << comp["frame"] << ")\n";
    for (const auto &layer : comp["layers"]) {
      std::cout << "  layer \"" << layer["name"].get<std::string>() << "\"  " << layer["width"] << "x"
                << layer["height"] << "  " << layer["source"].dump() << (layer["enabled"] ? "" : "  (off)") << '\n';
      int index = 0;
      for (const auto &effect : layer["effects"]) {
        std::cout << "    " << index++ << "  " << effect["name"].get<std::string>() << " ("
                  << effect["match_name"].get<std::string>() << ")" << (effect["active"] ? "" : "  (off)") << '\n';
        for (const auto &p : effect["params"]) {
          if (!p.contains("value")) continue;
          std::cout << "         " << p["address"].get<std::string>() << " = " << p["value"].dump();
          if (p.contains("keys")) {
            std::cout << "  (" << p["keys"] << " keys:";
            for (const auto &key : p["keyframes"]) std::cout << " " << key["frame"] << "=" << key["value"].dump();
            std::cout << ")";
          }
          if (p.contains("disabled")) std::cout << "  (disabled)";
          if (p.contains("hidden")) std::cout << "  (hidden)";
          std::cout << '\n';
        }
        if (effect.contains("instance_record")) {
          std::cout << "         instance record:";
          for (const auto &[field, value] : effect["instance_record"].items()) std::cout << " " << field << "=" << value.dump();
          std::cout << '\n';
        }
      }
    }
  }
}

void run(const GlobalOptions &options, const std::string &scene, double frame, bool asJson) {
  auto host = startHost(options);
  openScene(*host, scene);
  const json j = projectJson(*host, host->project(), frame);
  if (asJson)
    std::cout << j.dump(2) << '\n';
  else
    printText(j);
  printHostMessages(*host);
}

} // namespace

void addInspectCommand(CLI::App &app, GlobalOptions &options) {
  auto *cmd = app.add_subcommand("inspect", "Show a scene's layers, effect stacks and parameter values");
  auto scene = std::make_shared<std::string>();
  auto frame = std::make_shared<double>(0);
  auto json = std::make_shared<bool>(false);
  cmd->add_option("SCENE", *scene, "Scene file (the built-in scene when left out)");
  cmd->add_option("--frame", *frame, "Frame whose values are shown")->check(CLI::Range(-1e7, 1e7));
  cmd->add_flag("--json", *json, "Print JSON");
  cmd->callback([&options, scene, frame, json] { run(options, *scene, *frame, *json); });
}

} // namespace vlam::cli
