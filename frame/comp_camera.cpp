#include "frame/comp_camera.h"

#include <cmath>

namespace vlam {

CompCamera MakeCompCamera(double layerWidth, double layerHeight, double layerPixelAspect,
                          double compPixelAspect, const Matrix4* hostCameraMatrix,
                          bool hasCameraLayer) {
  CompCamera c{};
  c.reserved = 0.0f;
  c.offsetX = 0.0f;
  c.offsetY = 0.0f;
  c.compPixelAspect = compPixelAspect;
  c.focalLength = kDefaultFocalLength;
  c.filmWidth = kDefaultFilmWidth;
  c.cameraMatrix = hostCameraMatrix ? *hostCameraMatrix : Matrix4::Identity();
  c.layerWidth = layerWidth * layerPixelAspect;
  c.halfWidth = c.layerWidth * 0.5;
  c.halfHeight = layerHeight * 0.5;
  c.zoom = c.focalLength / c.filmWidth * c.layerWidth;
  if (!hasCameraLayer) c.cameraMatrix.At(0, 0) /= compPixelAspect;
  return c;
}

void ApplyCameraLayerLens(CompCamera& camera, double zoom, double filmSize, A_long filmUnits,
                          double layerHeight) {
  const double w = camera.layerWidth;
  const double aspect = w / layerHeight;
  double film = filmSize;
  A_long units = filmUnits;
  if (film == 0.0) {
    film = kDefaultFilmWidth;
    units = kFilmUnitsHorizontal;
  }
  if (units == kFilmUnitsDiagonal) {
    film = film * layerHeight / std::sqrt(w * w + layerHeight * layerHeight);
    units = kFilmUnitsVertical;
  }
  if (units == kFilmUnitsVertical) film = film * aspect;
  camera.zoom = zoom;
  camera.filmWidth = film;
  camera.focalLength = zoom * film / w;
}

Matrix4 ViewRotation(const CompCamera& camera) {
  Matrix4 v = Matrix4::Identity();
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) v.At(r, c) = camera.cameraMatrix.At(r, c);
    v.At(r, 0) = camera.cameraMatrix.At(r, 0) * camera.compPixelAspect;
  }
  return v;
}

Matrix4 ViewTranslation(const CompCamera& camera) {
  Matrix4 t = Matrix4::Identity();
  const Matrix4& m = camera.cameraMatrix;
  t.SetTranslation(camera.halfWidth - camera.compPixelAspect * m.At(3, 0),
                   camera.halfHeight - m.At(3, 1), -m.At(3, 2));
  return t;
}

void AnchorToDepthZero(CompCamera& camera, const Matrix4& n, double px, double py, double pz) {
  Vec3f real;
  real.Set(px, py, pz);
  real.Transform(n);
  Vec3f plane;
  plane.Set(px, py, 0.0);
  plane.Transform(n);
  const CameraProjection s1 = Project(camera, real);
  const CameraProjection s0 = Project(camera, plane);
  camera.offsetX = s0.sx - s1.sx;
  camera.offsetY = s0.sy - s1.sy;
}

}  // namespace vlam
