#include "host/scene/ArbitraryJson.h"

#include "host/Host.h"
#include "host/HostError.h"
#include "host/effect/ArbitraryCalls.h"
#include "host/project/ArbitraryValue.h"
#include "host/project/ShapeCurveRecord.h"
#include "host/scene/HexBytes.h"
#include "host/scene/ParamJson.h"

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

// The curve capacity of the parameter's default value, when the parameter
// holds curves.
std::optional<std::uint16_t> curveCapacity(Host &host, const EffectInstance &effect, std::size_t index) {
  InstalledEffect &installed = effect.installed();
  if (!isShapeCurveParam(installed.matchName(), installed.params[index].name())) return std::nullopt;
  const PF_Handle dflt = installed.params[index].def().u.arb_d.dephault;
  std::vector<std::uint8_t> bytes;
  if (!dflt || ArbitraryCalls(host, installed, index).flatten(dflt, bytes)) return std::nullopt;
  const auto view = readShapeCurve(bytes);
  if (!view) return std::nullopt;
  return view->capacity;
}

json valueJson(const std::vector<std::uint8_t> &bytes, std::optional<std::uint16_t> capacity) {
  if (capacity) {
    if (const auto view = readShapeCurve(bytes); view && view->capacity == *capacity) {
      const std::string text = shapeCurveText(*view);
      std::string error;
      if (shapeCurveFromText(text, *capacity, error) == bytes) return text;
    }
  }
  return {{"flat", hexText(bytes.data(), bytes.size())}};
}

std::vector<std::uint8_t> bytesOfJson(const json &j, std::optional<std::uint16_t> capacity) {
  if (j.is_string()) {
    if (!capacity) throw HostError("this parameter's value is written as {\"flat\": \"<hexadecimal bytes>\"}");
    std::string error;
    auto bytes = shapeCurveFromText(j.get<std::string>(), *capacity, error);
    if (!bytes) throw HostError("curve text: " + error);
    return *bytes;
  }
  if (!j.is_object() || j.size() != 1 || !j.contains("flat") || !j["flat"].is_string())
    throw HostError(std::string("expected ") + (capacity ? "curve text \"[x:0;y:0.75],...\" or " : "") +
                    "{\"flat\": \"<hexadecimal bytes>\"}, found " + j.dump());
  auto bytes = bytesFromHex(j["flat"].get<std::string>());
  if (!bytes) throw HostError("\"flat\" holds no hexadecimal bytes");
  return *bytes;
}

} // namespace

std::vector<std::uint8_t> flattenArbitrary(Host &host, const EffectInstance &effect, std::size_t index,
                                           const ParamValue &value) {
  std::vector<std::uint8_t> bytes;
  if (!value.arb) return bytes;
  if (PF_Err err = ArbitraryCalls(host, effect.installed(), index).flatten(value.arb->handle(), bytes))
    throw HostError(effect.installed().name() + ": \"" + effect.param(index).name() +
                    "\" could not be flattened (error " + std::to_string(err) + ")");
  return bytes;
}

json arbitraryValueToJson(Host &host, const EffectInstance &effect, std::size_t index, const ParamValue &value) {
  if (!value.arb) return nullptr;
  return valueJson(flattenArbitrary(host, effect, index, value), curveCapacity(host, effect, index));
}

json arbitraryStreamToJson(Host &host, const EffectInstance &effect, std::size_t index) {
  const auto capacity = curveCapacity(host, effect, index);
  return paramStreamToJson(effect.streams[index], effect.layer().comp(), [&](const ParamValue &value) -> json {
    if (!value.arb) return nullptr;
    return valueJson(flattenArbitrary(host, effect, index, value), capacity);
  });
}

ParamStream arbitraryStreamFromJson(Host &host, const EffectInstance &effect, std::size_t index, const json &j) {
  const auto capacity = curveCapacity(host, effect, index);
  ArbitraryCalls calls(host, effect.installed(), index);
  return paramStreamFromJson(effect.param(index), j, effect.layer().comp(), [&](const json &v) {
    ParamValue value;
    if (v.is_null()) return value;
    PF_Handle handle = nullptr;
    if (PF_Err err = calls.unflatten(bytesOfJson(v, capacity), handle))
      throw HostError("the effect could not read the value (error " + std::to_string(err) + ")");
    value.arb = calls.adopt(handle);
    return value;
  });
}

} // namespace vlam::host
