#pragma once
#include "host/project/ParamDefinition.h"
#include "host/project/ParamStream.h"

#include <nlohmann/json.hpp>

#include <functional>

namespace vlam::host {

class Composition;

// Parameter values as scene files and the tool write them: sliders and
// angles as numbers, checkboxes as true/false, popups by item text (or
// 1-based number), colours as [red, green, blue(, alpha)] floats 0-1, points
// as [x, y] and 3D points as [x, y, z] in layer pixels, layer parameters by
// layer name (null for none), path parameters by mask name (null for none;
// scene files resolve the name on the effect's own layer, see MaskJson.h).
// An animated parameter is {"keyframes": [{"frame": F, "value": V, "interpolation": "linear"|"hold"}]}.

nlohmann::ordered_json paramValueToJson(const ParamDefinition &param, const ParamValue &value, const Composition &comp);
nlohmann::ordered_json paramStreamToJson(const ParamDefinition &param, const ParamStream &stream,
                                         const Composition &comp);

// Throw HostError with a message saying what is wrong with the value (the
// caller adds where it is).
ParamValue paramValueFromJson(const ParamDefinition &param, const nlohmann::ordered_json &json,
                              const Composition &comp);
ParamStream paramStreamFromJson(const ParamDefinition &param, const nlohmann::ordered_json &json,
                                const Composition &comp);

// The same for values a caller converts itself (arbitrary data). Such a value
// may be an object: only an object holding "keyframes" is animated.
using ValueToJson = std::function<nlohmann::ordered_json(const ParamValue &)>;
using ValueFromJson = std::function<ParamValue(const nlohmann::ordered_json &)>;
nlohmann::ordered_json paramStreamToJson(const ParamStream &stream, const Composition &comp,
                                         const ValueToJson &toJson);
ParamStream paramStreamFromJson(const ParamDefinition &param, const nlohmann::ordered_json &json,
                                const Composition &comp, const ValueFromJson &fromJson);

} // namespace vlam::host
