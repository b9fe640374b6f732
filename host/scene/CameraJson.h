#pragma once
#include "host/project/CameraLayer.h"

#include <nlohmann/json.hpp>

namespace vlam::host {

// A camera layer's settings in scene files:
// {"zoom": Z, "film_size": S, "film_size_units": "horizontal"|"vertical"|
//  "diagonal"|"none", "position": [x, y, z], "point_of_interest": [x, y, z]
//  or "orientation": [x, y, z]}; zoom, position, point of interest and
// orientation may hold keyframes as parameters do. Keys left out take the
// values of the camera the host makes for the composition.
CameraSettings cameraFromJson(const nlohmann::ordered_json &json, const Composition &comp);
nlohmann::ordered_json cameraToJson(const CameraSettings &camera, const Composition &comp);

} // namespace vlam::host
