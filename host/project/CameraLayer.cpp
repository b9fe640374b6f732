#include "host/project/CameraLayer.h"

#include "host/project/Project.h"

#include <cmath>
#include <cstring>

namespace vlam::host {
namespace {

using Vec = std::array<double, 3>;
using Rotation = std::array<Vec, 3>; // rows: the camera's x, y and z axes

Vec cross(const Vec &a, const Vec &b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

bool normalise(Vec &v) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(length > 1e-12) || !std::isfinite(length)) return false;
  for (double &x : v) x /= length;
  return true;
}

const Rotation kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// Looking from `from` at `to`: z along the line of sight, x level (at right
// angles to the composition's y axis), y completing the frame (downwards).
// Looking straight up or down keeps x along the composition's x.
Rotation lookAt(const Vec &from, const Vec &to) {
  Vec z{to[0] - from[0], to[1] - from[1], to[2] - from[2]};
  if (!normalise(z)) return kIdentity;
  Vec x = cross({0, 1, 0}, z);
  if (!normalise(x)) x = {1, 0, 0};
  Vec y = cross(z, x);
  normalise(y);
  return {x, y, z};
}

// Rotation about x, then y, then z (degrees, the composition's axes). The
// rows of the result are the rotated axes.
Rotation fromOrientation(const Vec &degrees) {
  constexpr double kRadians = 3.14159265358979323846 / 180.0;
  const double a = degrees[0] * kRadians, b = degrees[1] * kRadians, c = degrees[2] * kRadians;
  const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b), cc = std::cos(c),
               sc = std::sin(c);
  // R = Rz(c) Ry(b) Rx(a) for column vectors; column k of R is the image of axis k.
  const double r[3][3] = {{cc * cb, cc * sb * sa - sc * ca, cc * sb * ca + sc * sa},
                          {sc * cb, sc * sb * sa + cc * ca, sc * sb * ca - cc * sa},
                          {-sb, cb * sa, cb * ca}};
  Rotation rows;
  for (int k = 0; k < 3; ++k) rows[k] = {r[0][k], r[1][k], r[2][k]};
  return rows;
}

Vec vecAt(const ParamStream &stream, std::int64_t ticks) {
  const ParamValue v = stream.valueAt(ticks, true);
  return {v.number[0], v.number[1], v.number[2]};
}

CameraView viewOf(const Rotation &rows, const Vec &position, double zoom, double layerLeft, double layerTop) {
  CameraView view;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) view.matrix[r][c] = rows[r][c];
  view.matrix[3] = {position[0] - layerLeft, position[1] - layerTop, position[2], 1};
  view.zoom = zoom;
  return view;
}

ParamDefinition makeParam(PF_ParamType type, double lo, double hi) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = type;
  if (type == PF_Param_FLOAT_SLIDER) {
    def.u.fs_d.valid_min = static_cast<PF_FpShort>(lo);
    def.u.fs_d.valid_max = static_cast<PF_FpShort>(hi);
  }
  return ParamDefinition(def);
}

} // namespace

double defaultCameraZoom(int compWidth) { return kDefaultFocalLength / kDefaultFilmSize * compWidth; }

CameraSettings CameraSettings::defaultFor(const Composition &comp) {
  CameraSettings camera;
  const double zoom = defaultCameraZoom(comp.width);
  camera.zoom = ParamStream(ParamValue::scalar(zoom));
  ParamValue centre;
  centre.number = {comp.width / 2.0, comp.height / 2.0, 0, 0};
  camera.pointOfInterest = ParamStream(centre);
  centre.number[2] = -zoom;
  camera.position = ParamStream(centre);
  camera.aimed = true;
  return camera;
}

const ParamDefinition &CameraSettings::zoomParam() {
  static const ParamDefinition param = makeParam(PF_Param_FLOAT_SLIDER, 1, 1e6);
  return param;
}

const ParamDefinition &CameraSettings::pointParam() {
  static const ParamDefinition param = makeParam(PF_Param_POINT_3D, 0, 0);
  return param;
}

CameraView defaultCameraView(const Composition &comp, double layerLeft, double layerTop) {
  const double zoom = defaultCameraZoom(comp.width);
  return viewOf(kIdentity, {comp.width / 2.0, comp.height / 2.0, -zoom}, zoom, layerLeft, layerTop);
}

CameraView cameraView(const CameraSettings &camera, std::int64_t ticks, double layerLeft, double layerTop) {
  const Vec position = vecAt(camera.position, ticks);
  const Rotation rows = camera.aimed ? lookAt(position, vecAt(camera.pointOfInterest, ticks))
                                     : fromOrientation(vecAt(camera.orientation, ticks));
  return viewOf(rows, position, camera.zoom.valueAt(ticks, true).number[0], layerLeft, layerTop);
}

} // namespace vlam::host
