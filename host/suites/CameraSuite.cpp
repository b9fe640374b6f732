// "AEGP Camera Suite" v2 and the layer streams of camera layers.
#include "host/effect/EffectRunner.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/CameraStreams.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <cmath>

namespace vlam::host {
namespace {

Layer *cameraLayerOf(Host &host, AEGP_LayerH layerH) {
  Layer *layer = host.project().findLayer(layerH);
  return layer && layer->camera ? layer : nullptr;
}

A_Err cameraType(AEGP_LayerH layerH, AEGP_CameraType *type) {
  return hostCall("AEGP_GetCameraType", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !type) return A_Err_PARAMETER;
    *type = layer->camera ? AEGP_CameraType_PERSPECTIVE : AEGP_CameraType_NONE;
    return A_Err_NONE;
  });
}

A_Err defaultDistance(AEGP_CompH compH, A_FpLong *distance) {
  return hostCall("AEGP_GetDefaultCameraDistanceToImagePlane", [&](Host &host) -> A_Err {
    if (!distance) return A_Err_PARAMETER;
    for (const auto &comp : host.project().comps)
      if (reinterpret_cast<AEGP_CompH>(comp.get()) == compH) {
        *distance = defaultCameraZoom(comp->width);
        return A_Err_NONE;
      }
    return A_Err_PARAMETER;
  });
}

A_Err filmSize(AEGP_LayerH layerH, AEGP_FilmSizeUnits *units, A_FpLong *size) {
  return hostCall("AEGP_GetCameraFilmSize", [&](Host &host) -> A_Err {
    Layer *layer = cameraLayerOf(host, layerH);
    if (!layer || !units) return A_Err_PARAMETER;
    *units = static_cast<AEGP_FilmSizeUnits>(layer->camera->filmUnits);
    if (size) *size = layer->camera->filmSize;
    return A_Err_NONE;
  });
}

A_Err setFilmSize(AEGP_LayerH layerH, AEGP_FilmSizeUnits units, A_FpLong *size) {
  return hostCall("AEGP_SetCameraFilmSize", [&](Host &host) -> A_Err {
    Layer *layer = cameraLayerOf(host, layerH);
    if (!layer || units < AEGP_FilmSizeUnits_NONE || units > AEGP_FilmSizeUnits_DIAGONAL) return A_Err_PARAMETER;
    if (size && !(std::isfinite(*size) && *size >= 0)) return A_Err_PARAMETER;
    layer->camera->filmUnits = static_cast<FilmSizeUnits>(units);
    if (size) layer->camera->filmSize = *size;
    return A_Err_NONE;
  });
}


const AEGP_CameraSuite2 kCameraSuite{
    VLAM_UNOFFERED(AEGP_GetCamera),
    .AEGP_GetCameraType = cameraType,
    .AEGP_GetDefaultCameraDistanceToImagePlane = defaultDistance,
    .AEGP_GetCameraFilmSize = filmSize,
    .AEGP_SetCameraFilmSize = setFilmSize,
};

} // namespace

bool isCameraStream(const Layer &layer, AEGP_LayerStream stream) {
  if (!layer.camera) return false;
  switch (stream) {
  case AEGP_LayerStream_ZOOM:
  case AEGP_LayerStream_POSITION: return true;
  case AEGP_LayerStream_ANCHORPOINT: return layer.camera->aimed;
  case AEGP_LayerStream_ORIENTATION: return !layer.camera->aimed;
  default: return false;
  }
}

A_Err cameraStreamValue(Host &host, AEGP_LayerH layerH, AEGP_LayerStream stream, const A_Time *compTime,
                        AEGP_StreamVal2 *value, AEGP_StreamType *type) {
  Layer *layer = host.project().findLayer(layerH);
  if (!layer || !value || !compTime || !isCameraStream(*layer, stream)) return A_Err_PARAMETER;
  std::int64_t ticks = 0;
  const double t = std::round(static_cast<double>(compTime->value) * layer->comp().frameRate.perSecond /
                              static_cast<double>(compTime->scale == 0 ? 1 : compTime->scale));
  if (compTime->scale == 0 || !std::isfinite(t) || std::fabs(t) > 9e15) return A_Err_PARAMETER;
  ticks = static_cast<std::int64_t>(t);
  const CameraSettings &camera = *layer->camera;
  *value = AEGP_StreamVal2{};
  if (stream == AEGP_LayerStream_ZOOM) {
    value->one_d = camera.zoom.valueAt(ticks, true).number[0];
    if (type) *type = AEGP_StreamType_OneD;
    return A_Err_NONE;
  }
  const ParamStream &source = stream == AEGP_LayerStream_POSITION      ? camera.position
                              : stream == AEGP_LayerStream_ANCHORPOINT ? camera.pointOfInterest
                                                                       : camera.orientation;
  const ParamValue v = source.valueAt(ticks, true);
  value->three_d = {v.number[0], v.number[1], v.number[2]};
  if (type) *type = stream == AEGP_LayerStream_ORIENTATION ? AEGP_StreamType_ThreeD : AEGP_StreamType_ThreeD_SPATIAL;
  return A_Err_NONE;
}

void publishCameraSuite(SuiteRegistry &registry) {
  publishTable(registry, kCameraSuite);
}

} // namespace vlam::host
