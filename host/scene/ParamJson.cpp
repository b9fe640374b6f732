#include "host/scene/ParamJson.h"

#include "host/HostError.h"
#include "host/project/ParamCodec.h"
#include "host/project/Project.h"

#include <cmath>
#include <limits>
#include <sstream>

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

std::string show(double v) {
  std::ostringstream s;
  s.precision(10);
  s << v;
  return s.str();
}

// A float limit as written (0.3f as 0.3).
std::string showFloat(float v) {
  std::ostringstream s;
  s.precision(std::numeric_limits<float>::digits10 + 1);
  s << v;
  return s.str();
}

double number(const json &j, const char *what = "a number") {
  if (!j.is_number()) throw HostError(std::string("expected ") + what + ", found " + j.dump());
  return j.get<double>();
}

void requireRange(double v, double lo, double hi) {
  if (v < lo || v > hi) throw HostError("value " + show(v) + " is outside " + show(lo) + ".." + show(hi));
}

std::vector<double> numbers(const json &j, std::size_t minCount, std::size_t maxCount, const char *what) {
  if (!j.is_array() || j.size() < minCount || j.size() > maxCount)
    throw HostError(std::string("expected ") + what + ", found " + j.dump());
  std::vector<double> out;
  for (const auto &e : j) out.push_back(number(e, what));
  return out;
}

// Keeps what a fixed-point field can hold, so a saved value reads back exactly.
double fixedValue(double v) { return fromFixed(toFixed(v)); }

json frameJson(std::int64_t ticks, const Composition &comp) {
  if (ticks % comp.frameRate.perFrame == 0) return ticks / comp.frameRate.perFrame;
  return comp.frameOfTicks(ticks);
}

} // namespace

json paramValueToJson(const ParamDefinition &param, const ParamValue &value, const Composition &comp) {
  const auto &n = value.number;
  switch (param.type()) {
  case PF_Param_SLIDER:
  case PF_Param_POPUP: {
    const auto v = static_cast<long long>(std::llround(n[0]));
    if (param.type() == PF_Param_POPUP) {
      const auto items = param.popupItems();
      if (v >= 1 && static_cast<std::size_t>(v) <= items.size()) {
        const std::string &item = items[static_cast<std::size_t>(v - 1)];
        int same = 0;
        for (const auto &other : items) same += other == item;
        if (same == 1 && !item.empty()) return item;
      }
    }
    return v;
  }
  case PF_Param_CHECKBOX: return n[0] != 0;
  case PF_Param_COLOR:
    if (n[0] == 1.0) return json::array({n[1], n[2], n[3]});
    return json::array({n[1], n[2], n[3], n[0]});
  case PF_Param_POINT: return json::array({n[0], n[1]});
  case PF_Param_POINT_3D: return json::array({n[0], n[1], n[2]});
  case PF_Param_LAYER: {
    const Layer *layer = n[0] > 0 ? comp.findLayer(static_cast<std::uint32_t>(n[0])) : nullptr;
    return layer ? json(layer->name) : json(nullptr);
  }
  case PF_Param_PATH: // mask IDs are unique, whichever layer holds the mask
    for (const auto &layer : comp.layers)
      for (const LayerMask &mask : layer->masks)
        if (n[0] > 0 && static_cast<double>(mask.id) == n[0]) return mask.name;
    return nullptr;
  default: return n[0];
  }
}

ParamValue paramValueFromJson(const ParamDefinition &param, const json &j, const Composition &comp) {
  const PF_ParamDef &d = param.def();
  ParamValue v;
  auto &n = v.number;
  switch (param.type()) {
  case PF_Param_SLIDER: {
    const double x = number(j);
    if (x != std::floor(x)) throw HostError("expected a whole number, found " + j.dump());
    requireRange(x, d.u.sd.valid_min, d.u.sd.valid_max);
    n[0] = x;
    break;
  }
  case PF_Param_FIX_SLIDER:
    n[0] = fixedValue(number(j));
    requireRange(n[0], fromFixed(d.u.fd.valid_min), fromFixed(d.u.fd.valid_max));
    break;
  case PF_Param_ANGLE: n[0] = fixedValue(number(j, "an angle in degrees")); break;
  case PF_Param_FLOAT_SLIDER:
    n[0] = number(j);
    if (!insideFloatLimits(n[0], d.u.fs_d.valid_min, d.u.fs_d.valid_max))
      throw HostError("value " + show(n[0]) + " is outside " + showFloat(d.u.fs_d.valid_min) + ".." +
                      showFloat(d.u.fs_d.valid_max));
    break;
  case PF_Param_CHECKBOX:
    if (j.is_boolean()) n[0] = j.get<bool>() ? 1 : 0;
    else if (j.is_number_integer() && (j.get<long long>() == 0 || j.get<long long>() == 1)) n[0] = j.get<double>();
    else throw HostError("expected true or false, found " + j.dump());
    break;
  case PF_Param_POPUP: {
    const auto items = param.popupItems();
    if (j.is_string()) {
      const std::string text = j.get<std::string>();
      for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) n[0] = static_cast<double>(i + 1);
      if (n[0] == 0) {
        std::string list;
        for (const auto &item : items) list += (list.empty() ? "\"" : ", \"") + item + "\"";
        throw HostError("'" + text + "' is not one of the items (" + list + ")");
      }
    } else {
      const double x = number(j, "an item text or number");
      if (x != std::floor(x)) throw HostError("expected an item number, found " + j.dump());
      requireRange(x, 1, d.u.pd.num_choices);
      n[0] = x;
    }
    break;
  }
  case PF_Param_COLOR: {
    const auto c = numbers(j, 3, 4, "[red, green, blue] or [red, green, blue, alpha] with values 0-1");
    for (double x : c) requireRange(x, 0, 1);
    v.number = {c.size() == 4 ? c[3] : 1.0, c[0], c[1], c[2]};
    break;
  }
  case PF_Param_POINT: {
    const auto p = numbers(j, 2, 2, "[x, y] in layer pixels");
    n[0] = fixedValue(p[0]);
    n[1] = fixedValue(p[1]);
    break;
  }
  case PF_Param_POINT_3D: {
    const auto p = numbers(j, 3, 3, "[x, y, z] in layer pixels");
    n = {p[0], p[1], p[2], 0};
    break;
  }
  case PF_Param_LAYER:
    if (j.is_null()) break;
    if (!j.is_string()) throw HostError("expected a layer name or null, found " + j.dump());
    if (const Layer *layer = comp.findLayer(j.get<std::string>())) n[0] = layer->id();
    else throw HostError("no layer named '" + j.get<std::string>() + "' in the composition");
    break;
  default: throw HostError(std::string("a ") + paramTypeName(param.type()) + " parameter cannot be set");
  }
  return v;
}

json paramStreamToJson(const ParamDefinition &param, const ParamStream &stream, const Composition &comp) {
  return paramStreamToJson(stream, comp, [&](const ParamValue &v) { return paramValueToJson(param, v, comp); });
}

json paramStreamToJson(const ParamStream &stream, const Composition &comp, const ValueToJson &toJson) {
  if (!stream.animated()) return toJson(stream.staticValue());
  json keys = json::array();
  for (const Keyframe &key : stream.keys())
    keys.push_back({{"frame", frameJson(key.ticks, comp)},
                    {"value", toJson(key.value)},
                    {"interpolation", key.interpolation == Interpolation::Hold ? "hold" : "linear"}});
  return {{"keyframes", keys}};
}

ParamStream paramStreamFromJson(const ParamDefinition &param, const json &j, const Composition &comp) {
  if (!j.is_object()) return ParamStream(paramValueFromJson(param, j, comp));
  return paramStreamFromJson(param, j, comp, [&](const json &v) { return paramValueFromJson(param, v, comp); });
}

ParamStream paramStreamFromJson(const ParamDefinition &param, const json &j, const Composition &comp,
                                const ValueFromJson &fromJson) {
  if (!j.is_object() || !j.contains("keyframes")) return ParamStream(fromJson(j));
  for (const auto &[key, value] : j.items())
    if (key != "keyframes") throw HostError("unknown key '" + key + "' (a parameter object holds \"keyframes\")");
  const json &keys = j.at("keyframes");
  if (!keys.is_array() || keys.empty()) throw HostError("\"keyframes\" must be a non-empty array");
  if (!param.animatable()) throw HostError("this parameter cannot be animated");
  ParamStream stream(defaultValue(param, 0, 0, 0));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const json &k = keys[i];
    const std::string where = "keyframe " + std::to_string(i) + ": ";
    try {
      if (!k.is_object()) throw HostError("expected {\"frame\", \"value\", \"interpolation\"}");
      for (const auto &[key, value] : k.items())
        if (key != "frame" && key != "value" && key != "interpolation") throw HostError("unknown key '" + key + "'");
      if (!k.contains("frame") || !k.contains("value")) throw HostError("needs \"frame\" and \"value\"");
      const double frame = number(k.at("frame"), "a frame number");
      if (std::fabs(frame) > 1e7) throw HostError("frame " + show(frame) + " is out of range");
      Interpolation interpolation = param.blendable() ? Interpolation::Linear : Interpolation::Hold;
      if (k.contains("interpolation")) {
        const json &mode = k.at("interpolation");
        if (mode == "hold") interpolation = Interpolation::Hold;
        else if (mode == "linear") interpolation = Interpolation::Linear;
        else throw HostError("interpolation must be \"linear\" or \"hold\", found " + mode.dump());
      }
      const std::int64_t ticks = comp.ticksOfFrame(frame);
      for (const Keyframe &existing : stream.keys())
        if (existing.ticks == ticks) throw HostError("a second key at frame " + show(frame));
      stream.setKey({ticks, fromJson(k.at("value")), interpolation});
    } catch (const HostError &e) {
      throw HostError(where + e.what());
    }
  }
  return stream;
}

} // namespace vlam::host
