// The composition camera as one effect sees it at one time, with the view
// matrices and the projection that every consumer uses to place points.
#pragma once

#include "AE_GeneralPlug.h"
#include "A.h"
#include "frame/matrix4.h"
#include "frame/vec3f.h"

namespace vlam {

struct CompCamera {
  double focalLength;     // host film units
  double filmWidth;       // horizontal film size, same units
  double layerWidth;      // W' = layer width x layer pixel aspect (square pixels)
  double zoom;            // focal length x W' / film width
  Matrix4 cameraMatrix;   // the host's camera matrix; orientation in the upper
                          // 3x3 block, position in row 3
  double compPixelAspect; // pixel aspect of the layer's composition
  double halfWidth;       // W' x 0.5
  double halfHeight;      // layer height x 0.5
  float reserved;
  float offsetX;  // added to every projected x
  float offsetY;  // added to every projected y
};

// Defaults used when no camera layer exists or its lens could not be read.
inline constexpr double kDefaultFocalLength = 141.7325;
inline constexpr double kDefaultFilmWidth = 102.0474;

// The host's film size units (numerically equal to AEGP_FilmSizeUnits).
inline constexpr A_long kFilmUnitsNone = 0;
inline constexpr A_long kFilmUnitsHorizontal = 1;
inline constexpr A_long kFilmUnitsVertical = 2;
inline constexpr A_long kFilmUnitsDiagonal = 3;

// A camera for a layer before any camera layer is considered: default lens,
// the given camera matrix (identity when the host gave none), sizes from the
// layer, offsets 0, and the zoom of the default lens. `hasCameraLayer` false
// also divides camera matrix (0,0) by the comp pixel aspect, as the host's
// default camera needs.
CompCamera MakeCompCamera(double layerWidth, double layerHeight, double layerPixelAspect,
                          double compPixelAspect, const Matrix4* hostCameraMatrix,
                          bool hasCameraLayer);

// Takes the lens of a camera layer: its zoom and film size in the given units.
// A film size of 0 falls back to the default, read as horizontal; diagonal and
// vertical sizes are turned into the horizontal film width.
void ApplyCameraLayerLens(CompCamera& camera, double zoom, double filmSize, A_long filmUnits,
                          double layerHeight);

// V: the camera's orientation block with column 0 scaled by the comp pixel
// aspect.
Matrix4 ViewRotation(const CompCamera& camera);
// T: identity with column 3 moving the layer centre relative to the camera.
Matrix4 ViewTranslation(const CompCamera& camera);

struct CameraProjection {
  float depth;
  float sx;  // from the image centre, plus offset x
  float sy;  // from the image centre, plus offset y
};

// Perspective projection of a camera-space point; no clipping, z = 0 gives
// infinities.
inline CameraProjection Project(const CompCamera& camera, const Vec3f& p) {
  const double inv = 1.0 / (static_cast<double>(p.z) * camera.filmWidth);
  CameraProjection r;
  r.depth = p.z;
  r.sx = static_cast<float>(static_cast<double>(p.x) * camera.layerWidth * inv * camera.focalLength +
                            camera.offsetX);
  r.sy = static_cast<float>(static_cast<double>(p.y) * camera.layerWidth * inv * camera.focalLength +
                            camera.offsetY);
  return r;
}

// Shifts later projections so that a shape placed at (px, py, pz) relative to
// the layer centre has its origin where (px, py, 0) would appear, while it
// keeps the perspective scale of its real depth. `n` is V·T.
void AnchorToDepthZero(CompCamera& camera, const Matrix4& n, double px, double py, double pz);

}  // namespace vlam
