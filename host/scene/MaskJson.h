#pragma once
#include "host/project/Project.h"

#include <nlohmann/json.hpp>

namespace vlam::host {

// Layer masks in scene files (the "masks" array of a layer):
//   {"name": "Mask 1", "path": P, "feather": F, "opacity": O, "inverted": false}
// P is {"closed": true, "vertices": [V, ...]} with each V either [x, y] or
// {"at": [x, y], "in": [dx, dy], "out": [dx, dy]} (tangents as offsets), or
// {"keyframes": [{"frame": N, "value": P, "interpolation": "linear"|"hold"}]}.
// F is a number, [x, y] or keyframes of those; O is percent 0-100 or
// keyframes. Throw HostError saying what is wrong (the caller adds where).
std::vector<LayerMask> masksFromJson(const nlohmann::ordered_json &json, const Composition &comp);
nlohmann::ordered_json masksToJson(const std::vector<LayerMask> &masks, const Composition &comp);

// A path parameter's value in a scene: the name of a mask of the effect's
// layer, or null for none; stored as the mask's ID.
ParamValue pathParamFromJson(const Layer &layer, const nlohmann::ordered_json &json);
nlohmann::ordered_json pathParamToJson(const Layer &layer, const ParamValue &value);

} // namespace vlam::host
