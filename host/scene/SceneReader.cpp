#include "host/Host.h"
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host/io/AtomicFile.h"
#include "host/io/ImageFiles.h"
#include "host/project/ParamCodec.h"
#include "host/scene/ArbitraryJson.h"
#include "host/scene/HexBytes.h"
#include "host/scene/ParamAddress.h"
#include "host/scene/MaskJson.h"
#include "host/scene/CameraJson.h"
#include "host/scene/ParamJson.h"
#include "host/scene/SceneFile.h"

#include <cmath>
#include <numeric>
#include <set>

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

constexpr int kFormatVersion = 1;
constexpr double kMaxFrames = 1e6;
// Far deeper than any scene nests (about a dozen levels); deeper values
// would only overflow the stack of the code that walks or prints them.
constexpr int kMaxDepth = 100;

// Reads one scene, keeping track of where it is for error messages.
class SceneReader {
public:
  SceneReader(Host &host, std::filesystem::path file) : host_(host), file_(std::move(file)) {}

  std::unique_ptr<Project> read(const std::string &text);

private:
  [[noreturn]] void fail(const std::string &place, const std::string &what) const {
    throw HostError(file_.string() + ": " + place + ": " + what);
  }

  void expectKeys(const json &object, const std::string &place, std::initializer_list<const char *> allowed) const {
    if (!object.is_object()) fail(place, "expected an object, found " + object.dump());
    for (const auto &[key, value] : object.items()) {
      bool known = false;
      for (const char *k : allowed) known = known || key == k;
      if (!known) fail(place, "unknown key '" + key + "'");
    }
  }

  const json &need(const json &object, const char *key, const std::string &place) const {
    if (!object.contains(key)) fail(place, std::string("missing \"") + key + "\"");
    return object.at(key);
  }

  int integer(const json &j, const std::string &place, long long lo, long long hi) const {
    if (!j.is_number() || j.get<double>() != std::floor(j.get<double>()))
      fail(place, "expected a whole number, found " + j.dump());
    const double v = j.get<double>();
    if (v < static_cast<double>(lo) || v > static_cast<double>(hi))
      fail(place, "value " + j.dump() + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
    return static_cast<int>(v);
  }

  void size(const json &object, const std::string &place, int &width, int &height) const {
    const json &w = need(object, "width", place), &h = need(object, "height", place);
    if (!w.is_number_integer() || !h.is_number_integer())
      fail(place, "width and height must be whole numbers, found " + w.dump() + "x" + h.dump());
    const long long lw = w.get<long long>(), lh = h.get<long long>();
    if (lw < 1 || lh < 1 || lw > kMaxImageSide || lh > kMaxImageSide)
      fail(place, "size " + std::to_string(lw) + "x" + std::to_string(lh) + " is outside 1.." +
                      std::to_string(kMaxImageSide) + " in each direction");
    width = static_cast<int>(lw);
    height = static_cast<int>(lh);
  }

  A_Ratio ratio(const json &j, const std::string &place) const;
  FrameRate frameRate(const json &j, const std::string &place) const;
  void readComp(Project &project, const json &j, const std::string &place);
  void readLayer(Project &project, Composition &comp, const json &j, const std::string &place);
  void readEffects(Composition &comp, Layer &layer, const json &effects, const std::string &place);

  Host &host_;
  std::filesystem::path file_;
};

A_Ratio SceneReader::ratio(const json &j, const std::string &place) const {
  if (j.is_array()) {
    if (j.size() != 2 || !j[0].is_number_integer() || !j[1].is_number_integer())
      fail(place, "expected [numerator, denominator], found " + j.dump());
    const long long num = j[0].get<long long>(), den = j[1].get<long long>();
    if (num < 1 || den < 1 || num > 1000000 || den > 1000000 || num > den * 100 || den > num * 100)
      fail(place, "ratio " + j.dump() + " is not a sensible pixel aspect");
    return {static_cast<A_long>(num), static_cast<A_u_long>(den)};
  }
  if (!j.is_number()) fail(place, "expected a number or [numerator, denominator], found " + j.dump());
  const double v = j.get<double>();
  if (!(v >= 0.01 && v <= 100)) fail(place, "pixel aspect " + j.dump() + " is outside 0.01..100");
  long long num = std::llround(v * 10000), den = 10000;
  const long long g = std::gcd(num, den);
  return {static_cast<A_long>(num / g), static_cast<A_u_long>(den / g)};
}

FrameRate SceneReader::frameRate(const json &j, const std::string &place) const {
  if (j.is_array()) {
    if (j.size() != 2 || !j[0].is_number_integer() || !j[1].is_number_integer())
      fail(place, "expected [ticks per second, ticks per frame], found " + j.dump());
    const long long perSecond = j[0].get<long long>(), perFrame = j[1].get<long long>();
    if (perSecond < 1 || perFrame < 1 || perSecond > 1000000 || perFrame > 1000000 || perSecond > perFrame * 1000)
      fail(place, "frame rate " + j.dump() + " is outside 0..1000 frames per second");
    return {static_cast<std::int32_t>(perSecond), static_cast<std::int32_t>(perFrame)};
  }
  if (!j.is_number()) fail(place, "expected frames per second, found " + j.dump());
  const double fps = j.get<double>();
  if (!(fps > 0 && fps <= 1000)) fail(place, "frame rate " + j.dump() + " is outside 0..1000");
  if (fps == std::floor(fps)) return {static_cast<std::int32_t>(fps), 1};
  for (int base : {24, 30, 48, 60, 120}) // the NTSC rates: 23.976, 29.97, ...
    if (std::fabs(fps - base * 1000.0 / 1001.0) < 0.005) return {base * 1000, 1001};
  long long perSecond = std::llround(fps * 1000), perFrame = 1000;
  const long long g = std::gcd(perSecond, perFrame);
  return {static_cast<std::int32_t>(perSecond / g), static_cast<std::int32_t>(perFrame / g)};
}

std::unique_ptr<Project> SceneReader::read(const std::string &text) {
  json root;
  const auto limitDepth = [](int depth, json::parse_event_t, json &) {
    if (depth > kMaxDepth) throw HostError("nested deeper than " + std::to_string(kMaxDepth) + " levels");
    return true;
  };
  try {
    root = json::parse(text, limitDepth);
  } catch (const HostError &e) {
    fail("top level", e.what());
  } catch (const json::parse_error &e) {
    // Line and column of the byte where parsing stopped.
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i + 1 < e.byte && i < text.size(); ++i) {
      if (text[i] == '\n') ++line, column = 1;
      else ++column;
    }
    const std::string what = e.what();
    const auto colon = what.rfind(": ");
    fail("line " + std::to_string(line) + ", column " + std::to_string(column),
         "not valid JSON (" + (colon == std::string::npos ? what : what.substr(colon + 2)) + ")");
  } catch (const json::out_of_range &e) {
    // A number too large for a double ("1e400"): the parser names it but
    // not where it stands.
    const std::string what = e.what();
    const auto bracket = what.find("] ");
    fail("top level", "not readable JSON (" + (bracket == std::string::npos ? what : what.substr(bracket + 2)) + ")");
  }
  expectKeys(root, "top level", {"vlam_scene", "compositions"});
  const json &version = need(root, "vlam_scene", "top level");
  if (version != kFormatVersion) fail("vlam_scene", "unsupported scene format version " + version.dump());
  const json &comps = need(root, "compositions", "top level");
  if (!comps.is_array() || comps.empty()) fail("compositions", "expected a non-empty array");
  auto project = std::make_unique<Project>();
  project->file = file_;
  for (std::size_t i = 0; i < comps.size(); ++i) readComp(*project, comps[i], "compositions[" + std::to_string(i) + "]");
  return project;
}

void SceneReader::readComp(Project &project, const json &j, const std::string &place) {
  expectKeys(j, place,
             {"name", "width", "height", "pixel_aspect", "frame_rate", "duration", "motion_blur", "shutter_angle",
              "shutter_phase", "layers"});
  Composition &comp = project.addComp();
  if (j.contains("name")) {
    if (!j["name"].is_string()) fail(place + ".name", "expected text");
    comp.name = j["name"].get<std::string>();
  }
  size(j, place, comp.width, comp.height);
  if (j.contains("pixel_aspect")) comp.pixelAspect = ratio(j["pixel_aspect"], place + ".pixel_aspect");
  if (j.contains("frame_rate")) comp.frameRate = frameRate(j["frame_rate"], place + ".frame_rate");
  if (j.contains("duration")) comp.durationFrames = integer(j["duration"], place + ".duration", 1, static_cast<long long>(kMaxFrames));
  if (j.contains("motion_blur")) {
    if (!j["motion_blur"].is_boolean()) fail(place + ".motion_blur", "expected true or false");
    comp.motionBlur = j["motion_blur"].get<bool>();
  }
  if (j.contains("shutter_angle")) {
    if (!j["shutter_angle"].is_number() || j["shutter_angle"].get<double>() < 0 || j["shutter_angle"].get<double>() > 720)
      fail(place + ".shutter_angle", "expected degrees 0..720");
    comp.shutterAngle = j["shutter_angle"].get<double>();
  }
  if (j.contains("shutter_phase")) {
    if (!j["shutter_phase"].is_number() || std::fabs(j["shutter_phase"].get<double>()) > 360)
      fail(place + ".shutter_phase", "expected degrees -360..360");
    comp.shutterPhase = j["shutter_phase"].get<double>();
  }
  const json &layers = need(j, "layers", place);
  if (!layers.is_array()) fail(place + ".layers", "expected an array");
  // Layers first, so that layer parameters can name any layer of the comp.
  for (std::size_t i = 0; i < layers.size(); ++i)
    readLayer(project, comp, layers[i], place + ".layers[" + std::to_string(i) + "]");
  for (std::size_t i = 0; i < layers.size(); ++i)
    if (layers[i].contains("effects"))
      readEffects(comp, *comp.layers[i], layers[i]["effects"], place + ".layers[" + std::to_string(i) + "].effects");
}

void SceneReader::readLayer(Project &project, Composition &comp, const json &j, const std::string &place) {
  expectKeys(j, place, {"name", "width", "height", "pixel_aspect", "solid", "image", "camera", "enabled", "effects", "masks"});
  const json &name = need(j, "name", place);
  if (!name.is_string() || name.get<std::string>().empty()) fail(place + ".name", "expected a layer name");
  if (comp.findLayer(name.get<std::string>())) fail(place + ".name", "a second layer named " + name.dump());
  Layer &layer = project.addLayer(comp, name.get<std::string>());
  if (j.contains("camera")) {
    if (j.contains("solid") || j.contains("image") || j.contains("effects") || j.contains("masks"))
      fail(place, "a camera layer has no \"solid\", \"image\", \"effects\" or \"masks\"");
    try {
      layer.camera = cameraFromJson(j["camera"], comp);
    } catch (const HostError &e) {
      fail(place + ".camera", e.what());
    }
    if (j.contains("enabled")) {
      if (!j["enabled"].is_boolean()) fail(place + ".enabled", "expected true or false");
      layer.enabled = j["enabled"].get<bool>();
    }
    return;
  }
  if (j.contains("solid") == j.contains("image")) fail(place, "a layer has either \"solid\", \"image\" or \"camera\"");
  if (j.contains("solid")) {
    const json &c = j["solid"];
    if (!c.is_array() || c.size() < 3 || c.size() > 4) fail(place + ".solid", "expected [red, green, blue(, alpha)]");
    layer.source.color = {0, 0, 0, 1};
    for (std::size_t i = 0; i < c.size(); ++i) {
      if (!c[i].is_number() || c[i].get<double>() < 0 || c[i].get<double>() > 1)
        fail(place + ".solid", "colour values are numbers 0..1, found " + c[i].dump());
      layer.source.color[i] = c[i].get<double>();
    }
  } else {
    if (!j["image"].is_string()) fail(place + ".image", "expected a file name");
    layer.source.kind = LayerSource::Kind::Image;
    layer.source.file = j["image"].get<std::string>();
    layer.source.resolvedFile =
        layer.source.file.is_absolute() ? layer.source.file : file_.parent_path() / layer.source.file;
    try {
      Image probe = readImageFile(layer.source.resolvedFile, PixelDepth::Bits8);
      layer.width = probe.width();
      layer.height = probe.height();
    } catch (const HostError &e) {
      fail(place + ".image", e.what());
    }
  }
  if (j.contains("width") || j.contains("height")) size(j, place, layer.width, layer.height);
  else if (layer.source.kind == LayerSource::Kind::Solid) {
    layer.width = comp.width;
    layer.height = comp.height;
  }
  layer.pixelAspect = j.contains("pixel_aspect") ? ratio(j["pixel_aspect"], place + ".pixel_aspect") : comp.pixelAspect;
  if (j.contains("enabled")) {
    if (!j["enabled"].is_boolean()) fail(place + ".enabled", "expected true or false");
    layer.enabled = j["enabled"].get<bool>();
  }
  if (j.contains("masks")) {
    try {
      layer.masks = masksFromJson(j["masks"], comp);
    } catch (const HostError &e) {
      fail(place + ".masks", e.what());
    }
  }
}

void SceneReader::readEffects(Composition &comp, Layer &layer, const json &effects, const std::string &place) {
  if (!effects.is_array()) fail(place, "expected an array");
  for (std::size_t i = 0; i < effects.size(); ++i) {
    const json &e = effects[i];
    const std::string here = place + "[" + std::to_string(i) + "]";
    expectKeys(e, here, {"effect", "active", "params", "sequence_data"});
    const json &match = need(e, "effect", here);
    if (!match.is_string()) fail(here + ".effect", "expected a match name");
    InstalledEffect *installed = host_.findInstalled(match.get<std::string>());
    if (!installed) fail(here + ".effect", "unknown effect match name " + match.dump());
    if (PF_Err err = host_.runner().ensureReady(*installed))
      fail(here + ".effect", installed->matchName() + " failed to set up (error " + std::to_string(err) + ")");
    layer.effects.push_back(host_.runner().newInstance(*installed, layer));
    EffectInstance &effect = *layer.effects.back();
    if (e.contains("active")) {
      if (!e["active"].is_boolean()) fail(here + ".active", "expected true or false");
      effect.active = e["active"].get<bool>();
    }
    if (e.contains("sequence_data")) {
      auto bytes = e["sequence_data"].is_string() ? bytesFromHex(e["sequence_data"].get<std::string>()) : std::nullopt;
      if (!bytes) fail(here + ".sequence_data", "expected hexadecimal bytes");
      effect.loadedSequenceBytes = std::move(*bytes);
    }
    if (!e.contains("params")) continue;
    const json &params = e["params"];
    if (!params.is_object()) fail(here + ".params", "expected an object of parameter values");
    std::set<std::size_t> seen;
    for (const auto &[address, value] : params.items()) {
      const std::string at = here + ".params[\"" + address + "\"]";
      try {
        const std::size_t index = resolveParam(*installed, address);
        if (!seen.insert(index).second) throw HostError("set twice (under another address)");
        const PF_ParamType type = installed->params[index].type();
        effect.streams[index] = type == PF_Param_PATH             ? ParamStream(pathParamFromJson(layer, value))
                                : type == PF_Param_ARBITRARY_DATA ? arbitraryStreamFromJson(host_, effect, index, value)
                                    : paramStreamFromJson(installed->params[index], value, comp);
      } catch (const HostError &error) {
        fail(at, error.what());
      }
    }
  }
}

} // namespace

std::unique_ptr<Project> parseScene(Host &host, const std::string &text, const std::filesystem::path &file) {
  return SceneReader(host, file).read(text);
}

std::unique_ptr<Project> readScene(Host &host, const std::filesystem::path &file) {
  std::string text;
  try {
    text = readWholeFile(file);
  } catch (const HostError &) {
    throw HostError(file.string() + ": cannot read the scene file");
  }
  return parseScene(host, text, file);
}

} // namespace vlam::host
