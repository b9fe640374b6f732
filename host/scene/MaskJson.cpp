#include "host/scene/MaskJson.h"

#include "host/HostError.h"

#include <cmath>
#include <set>

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

constexpr double kMaxCoordinate = 1e6; // layer pixels

double number(const json &j, const std::string &what) {
  if (!j.is_number() || !std::isfinite(j.get<double>())) throw HostError("expected " + what + ", found " + j.dump());
  return j.get<double>();
}

std::pair<double, double> pair(const json &j, const std::string &what) {
  if (!j.is_array() || j.size() != 2) throw HostError("expected " + what + " as [x, y], found " + j.dump());
  const double x = number(j[0], what), y = number(j[1], what);
  if (std::fabs(x) > kMaxCoordinate || std::fabs(y) > kMaxCoordinate)
    throw HostError(what + " " + j.dump() + " is outside -1000000..1000000");
  return {x, y};
}

void onlyKeys(const json &j, std::initializer_list<const char *> keys) {
  for (const auto &[key, value] : j.items()) {
    bool known = false;
    for (const char *k : keys) known = known || key == k;
    if (!known) throw HostError("unknown key '" + key + "'");
  }
}

MaskShape shapeFromJson(const json &j) {
  if (!j.is_object()) throw HostError("expected {\"closed\": ..., \"vertices\": [...]}, found " + j.dump());
  onlyKeys(j, {"closed", "vertices"});
  MaskShape shape;
  if (j.contains("closed")) {
    if (!j["closed"].is_boolean()) throw HostError("\"closed\" must be true or false");
    shape.closed = j["closed"].get<bool>();
  }
  if (!j.contains("vertices") || !j["vertices"].is_array()) throw HostError("a path needs a \"vertices\" array");
  for (const json &v : j["vertices"]) {
    MaskVertex vertex;
    if (v.is_array()) {
      std::tie(vertex.x, vertex.y) = pair(v, "a vertex");
    } else if (v.is_object()) {
      onlyKeys(v, {"at", "in", "out"});
      if (!v.contains("at")) throw HostError("a vertex object needs \"at\"");
      std::tie(vertex.x, vertex.y) = pair(v["at"], "a vertex");
      if (v.contains("in")) std::tie(vertex.inX, vertex.inY) = pair(v["in"], "a tangent");
      if (v.contains("out")) std::tie(vertex.outX, vertex.outY) = pair(v["out"], "a tangent");
    } else {
      throw HostError("expected a vertex [x, y] or {\"at\", \"in\", \"out\"}, found " + v.dump());
    }
    shape.vertices.push_back(vertex);
  }
  return shape;
}

json shapeToJson(const MaskShape &shape) {
  json vertices = json::array();
  for (const MaskVertex &v : shape.vertices) {
    if (v.inX == 0 && v.inY == 0 && v.outX == 0 && v.outY == 0) {
      vertices.push_back(json::array({v.x, v.y}));
      continue;
    }
    vertices.push_back({{"at", json::array({v.x, v.y})},
                        {"in", json::array({v.inX, v.inY})},
                        {"out", json::array({v.outX, v.outY})}});
  }
  return {{"closed", shape.closed}, {"vertices", std::move(vertices)}};
}

// Reads a value or {"keyframes": [...]}, calling `key` for every key.
template <class Read, class AddKey>
void readAnimated(const json &j, const Composition &comp, Read read, AddKey key) {
  if (!j.is_object() || !j.contains("keyframes")) {
    read(j);
    return;
  }
  onlyKeys(j, {"keyframes"});
  const json &keys = j["keyframes"];
  if (!keys.is_array() || keys.empty()) throw HostError("\"keyframes\" must be a non-empty array");
  std::set<std::int64_t> seen;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const json &k = keys[i];
    try {
      if (!k.is_object() || !k.contains("frame") || !k.contains("value"))
        throw HostError("expected {\"frame\", \"value\", \"interpolation\"}");
      onlyKeys(k, {"frame", "value", "interpolation"});
      const double frame = number(k["frame"], "a frame number");
      if (std::fabs(frame) > 1e7) throw HostError("frame " + k["frame"].dump() + " is out of range");
      Interpolation interpolation = Interpolation::Linear;
      if (k.contains("interpolation")) {
        if (k["interpolation"] == "hold") interpolation = Interpolation::Hold;
        else if (k["interpolation"] != "linear") throw HostError("interpolation must be \"linear\" or \"hold\"");
      }
      const std::int64_t ticks = comp.ticksOfFrame(frame);
      if (!seen.insert(ticks).second) throw HostError("a second key at frame " + k["frame"].dump());
      key(ticks, k["value"], interpolation);
    } catch (const HostError &e) {
      throw HostError("keyframe " + std::to_string(i) + ": " + e.what());
    }
  }
}

json frameJson(std::int64_t ticks, const Composition &comp) {
  if (ticks % comp.frameRate.perFrame == 0) return ticks / comp.frameRate.perFrame;
  return comp.frameOfTicks(ticks);
}

template <class Key, class Write>
json writeAnimated(const std::vector<Key> &keys, const Composition &comp, Write write) {
  json out = json::array();
  for (const Key &k : keys)
    out.push_back({{"frame", frameJson(k.ticks, comp)},
                   {"value", write(k)},
                   {"interpolation", k.interpolation == Interpolation::Hold ? "hold" : "linear"}});
  return {{"keyframes", std::move(out)}};
}

ParamValue featherValue(const json &j) {
  ParamValue v;
  if (j.is_array()) std::tie(v.number[0], v.number[1]) = pair(j, "a feather");
  else v.number[0] = v.number[1] = number(j, "a feather in pixels");
  if (v.number[0] < 0 || v.number[1] < 0) throw HostError("a feather cannot be negative");
  return v;
}

ParamValue opacityValue(const json &j) {
  const double v = number(j, "an opacity in percent");
  if (v < 0 || v > 100) throw HostError("opacity " + j.dump() + " is outside 0..100");
  return ParamValue::scalar(v);
}

ParamStream streamFromJson(const json &j, const Composition &comp, ParamValue (*value)(const json &)) {
  ParamStream stream;
  readAnimated(
      j, comp, [&](const json &v) { stream.setStaticValue(value(v)); },
      [&](std::int64_t ticks, const json &v, Interpolation i) { stream.setKey({ticks, value(v), i}); });
  return stream;
}

json featherJson(const ParamValue &v) {
  if (v.number[0] == v.number[1]) return v.number[0];
  return json::array({v.number[0], v.number[1]});
}

} // namespace

std::vector<LayerMask> masksFromJson(const json &j, const Composition &comp) {
  if (!j.is_array()) throw HostError("expected an array of masks");
  std::vector<LayerMask> masks;
  std::set<std::string> names;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const json &m = j[i];
    try {
      if (!m.is_object()) throw HostError("expected a mask object, found " + m.dump());
      onlyKeys(m, {"name", "path", "feather", "opacity", "inverted"});
      LayerMask mask;
      mask.id = Project::nextId();
      mask.name = "Mask " + std::to_string(i + 1);
      if (m.contains("name")) {
        if (!m["name"].is_string() || m["name"].get<std::string>().empty()) throw HostError("expected a mask name");
        mask.name = m["name"].get<std::string>();
      }
      if (!names.insert(mask.name).second) throw HostError("a second mask named '" + mask.name + "'");
      if (!m.contains("path")) throw HostError("a mask needs a \"path\"");
      readAnimated(
          m["path"], comp, [&](const json &v) { mask.shape = MaskShapeStream(shapeFromJson(v)); },
          [&](std::int64_t ticks, const json &v, Interpolation interp) {
            mask.shape.setKey({ticks, shapeFromJson(v), interp});
          });
      if (m.contains("feather")) mask.feather = streamFromJson(m["feather"], comp, featherValue);
      if (m.contains("opacity")) mask.opacity = streamFromJson(m["opacity"], comp, opacityValue);
      if (m.contains("inverted")) {
        if (!m["inverted"].is_boolean()) throw HostError("\"inverted\" must be true or false");
        mask.inverted = m["inverted"].get<bool>();
      }
      masks.push_back(std::move(mask));
    } catch (const HostError &e) {
      throw HostError("[" + std::to_string(i) + "]: " + e.what());
    }
  }
  return masks;
}

json masksToJson(const std::vector<LayerMask> &masks, const Composition &comp) {
  json out = json::array();
  for (const LayerMask &mask : masks) {
    json m = {{"name", mask.name}};
    m["path"] = mask.shape.animated()
                    ? writeAnimated(mask.shape.keys(), comp, [](const MaskShapeKey &k) { return shapeToJson(k.shape); })
                    : shapeToJson(mask.shape.staticValue());
    m["feather"] = mask.feather.animated()
                       ? writeAnimated(mask.feather.keys(), comp, [](const Keyframe &k) { return featherJson(k.value); })
                       : featherJson(mask.feather.staticValue());
    m["opacity"] = mask.opacity.animated()
                       ? writeAnimated(mask.opacity.keys(), comp, [](const Keyframe &k) { return json(k.value.number[0]); })
                       : json(mask.opacity.staticValue().number[0]);
    if (mask.inverted) m["inverted"] = true;
    out.push_back(std::move(m));
  }
  return out;
}

ParamValue pathParamFromJson(const Layer &layer, const json &j) {
  if (j.is_null()) return ParamValue::scalar(0);
  if (!j.is_string()) throw HostError("expected the name of a mask of the layer or null, found " + j.dump());
  for (const LayerMask &mask : layer.masks)
    if (mask.name == j.get<std::string>()) return ParamValue::scalar(mask.id);
  throw HostError("layer '" + layer.name + "' has no mask named " + j.dump());
}

json pathParamToJson(const Layer &layer, const ParamValue &value) {
  for (const LayerMask &mask : layer.masks)
    if (static_cast<double>(mask.id) == value.number[0]) return mask.name;
  return nullptr;
}

} // namespace vlam::host
