// vlam inspect SCENE [--frame N]: compositions, layers, their effect stacks
// and every parameter's value at a frame; for the Vlam effects also what they
// tell each other: each Flash Builder's design, each Flash Instance's record
// and the layer's collected exchange block.
#include "cli/CliContext.h"
#include "host/report/FlashReport.h"
#include "host/scene/ArbitraryJson.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/ParamJson.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace vlam::cli {
namespace {

using json = nlohmann::ordered_json;

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
    } else if (param.type() == PF_Param_ARBITRARY_DATA) {
      p["value"] = host::arbitraryValueToJson(host, effect, i, effect.streams[i].valueAt(ticks, false));
      if (effect.streams[i].animated()) p["keys"] = effect.streams[i].keys().size();
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
  if (host::isFlashBuilder(effect)) e["flash_design"] = host::inspectFlashBuilder(host, effect, ticks);
  if (host::isFlashInstance(effect)) e["instance"] = host::inspectFlashInstance(host, effect, ticks);
  return e;
}

json projectJson(host::Host &host, double frame) {
  host::Project &project = host.project();
  json comps = json::array();
  for (const auto &comp : project.comps) {
    const std::int64_t ticks = comp->ticksOfFrame(frame);
    json layers = json::array();
    for (const auto &layer : comp->layers) {
      json effects = json::array();
      bool flashes = false;
      for (const auto &effect : layer->effects) {
        effects.push_back(effectJson(host, *effect, *comp, ticks));
        flashes = flashes || host::isFlashBuilder(*effect) || host::isFlashInstance(*effect);
      }
      json l = {{"name", layer->name},
                {"width", layer->width},
                {"height", layer->height},
                {"source", layer->camera ? json("camera")
                           : layer->source.kind == host::LayerSource::Kind::Solid
                               ? json("solid")
                               : json(layer->source.file.generic_string())},
                {"enabled", layer->enabled},
                {"effects", std::move(effects)}};
      if (flashes) l["collected"] = host::inspectCollected(host, *layer, ticks);
      layers.push_back(std::move(l));
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

// "name = value" lines of a record, `indent` deep.
void printFields(const json &record, const std::string &indent) {
  for (const auto &[name, value] : record.items()) std::cout << indent << name << " = " << value.dump() << '\n';
}

void printDesign(const json &d, const std::string &indent) {
  if (d.contains("error")) {
    std::cout << indent << "design export failed (error " << d["error"] << ")\n";
    return;
  }
  if (d["slot"].is_null()) {
    std::cout << indent << "design: no slot (identifier outside Flash A to Flash D)\n";
    return;
  }
  std::cout << indent << "design \"" << d["slot"].get<std::string>() << "\":\n";
  if (d["design"].is_null()) return;
  printFields(d["design"], indent + "  ");
  std::cout << indent << "  main profile: " << d["mainProfile"].dump() << '\n';
  std::cout << indent << "  petal profile: " << d["petalProfile"].dump() << '\n';
  std::cout << indent << "  petal layout: " << d["petalLayout"].dump() << '\n';
}

void printInstance(const json &i, const std::string &indent) {
  if (i.contains("error")) std::cout << indent << "instance record failed (error " << i["error"] << ")\n";
  if (i.contains("record")) {
    std::cout << indent << "instance record:\n";
    printFields(i["record"], indent + "  ");
  }
  if (i.contains("triggerKeys")) std::cout << indent << "Trigger keys: " << i["triggerKeys"].dump() << '\n';
}

void printCollected(const json &c) {
  std::cout << "    collected: " << c["instanceCount"] << " instance(s)"
            << (c.contains("instanceLimitReached") ? "  (limit of 16 reached)" : "") << '\n';
  for (const auto &d : c["designs"]) {
    if (d["design"].is_null()) std::cout << "      design \"" << d["slot"].get<std::string>() << "\": empty\n";
    else printDesign(d, "      ");
  }
  for (const auto &i : c["instances"]) {
    std::cout << "      instance slot " << i["slot"] << ":\n";
    printFields(i["record"], "        ");
    if (!i["derived"].is_null()) std::cout << "        derived: " << i["derived"].dump() << '\n';
  }
  if (c.contains("errors")) std::cout << "      errors: " << c["errors"].dump() << '\n';
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
        if (effect.contains("flash_design")) printDesign(effect["flash_design"], "         ");
        if (effect.contains("instance")) printInstance(effect["instance"], "         ");
      }
      if (layer.contains("collected")) printCollected(layer["collected"]);
    }
  }
}

void run(const GlobalOptions &options, const std::string &scene, double frame, bool asJson) {
  auto host = startHost(options);
  openScene(*host, scene);
  const json j = projectJson(*host, frame);
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
