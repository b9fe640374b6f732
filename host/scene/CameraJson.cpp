#include "host/scene/CameraJson.h"

#include "host/HostError.h"
#include "host/project/Project.h"
#include "host/scene/ParamJson.h"

#include <cmath>

namespace vlam::host {
namespace {

using json = nlohmann::ordered_json;

constexpr const char *kUnitNames[] = {"none", "horizontal", "vertical", "diagonal"};

ParamStream streamFrom(const json &j, const char *key, const ParamDefinition &param, const Composition &comp) {
  try {
    return paramStreamFromJson(param, j.at(key), comp);
  } catch (const HostError &e) {
    throw HostError(std::string(key) + ": " + e.what());
  }
}

} // namespace

CameraSettings cameraFromJson(const json &j, const Composition &comp) {
  if (!j.is_object()) throw HostError("expected an object, found " + j.dump());
  for (const auto &[key, value] : j.items())
    if (key != "zoom" && key != "film_size" && key != "film_size_units" && key != "position" &&
        key != "point_of_interest" && key != "orientation")
      throw HostError("unknown key '" + key + "'");
  if (j.contains("point_of_interest") && j.contains("orientation"))
    throw HostError("a camera has a \"point_of_interest\" or an \"orientation\", not both");
  CameraSettings camera = CameraSettings::defaultFor(comp);
  const ParamDefinition &point = CameraSettings::pointParam();
  if (j.contains("zoom")) camera.zoom = streamFrom(j, "zoom", CameraSettings::zoomParam(), comp);
  if (j.contains("position")) camera.position = streamFrom(j, "position", point, comp);
  if (j.contains("point_of_interest")) camera.pointOfInterest = streamFrom(j, "point_of_interest", point, comp);
  if (j.contains("orientation")) {
    camera.orientation = streamFrom(j, "orientation", point, comp);
    camera.aimed = false;
  }
  if (j.contains("film_size")) {
    const json &size = j["film_size"];
    if (!size.is_number() || !(size.get<double>() >= 0) || !std::isfinite(size.get<double>()))
      throw HostError("film_size: expected a number 0 or more, found " + size.dump());
    camera.filmSize = size.get<double>();
  }
  if (j.contains("film_size_units")) {
    const json &units = j["film_size_units"];
    bool known = false;
    for (int i = 0; i < 4; ++i)
      if (units == kUnitNames[i]) {
        camera.filmUnits = static_cast<FilmSizeUnits>(i);
        known = true;
      }
    if (!known)
      throw HostError("film_size_units: expected \"horizontal\", \"vertical\", \"diagonal\" or \"none\", found " +
                      units.dump());
  }
  return camera;
}

json cameraToJson(const CameraSettings &camera, const Composition &comp) {
  const ParamDefinition &point = CameraSettings::pointParam();
  json j = {{"zoom", paramStreamToJson(CameraSettings::zoomParam(), camera.zoom, comp)},
            {"film_size", camera.filmSize},
            {"film_size_units", kUnitNames[static_cast<int>(camera.filmUnits)]},
            {"position", paramStreamToJson(point, camera.position, comp)}};
  if (camera.aimed) j["point_of_interest"] = paramStreamToJson(point, camera.pointOfInterest, comp);
  else j["orientation"] = paramStreamToJson(point, camera.orientation, comp);
  return j;
}

} // namespace vlam::host
