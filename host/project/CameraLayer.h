#pragma once
#include "host/project/ParamDefinition.h"
#include "host/project/ParamStream.h"

#include <array>
#include <cstdint>

namespace vlam::host {

class Composition;

// The lens length and film of the host's default camera, in the host's film
// units (points: 50 mm and 36 mm): a composition without a camera layer is
// seen through it, from the distance at which its z = 0 plane shows at 100 %.
constexpr double kDefaultFocalLength = 141.7325;
constexpr double kDefaultFilmSize = 102.0474;

// How a camera's film size is measured (values as AEGP_FilmSizeUnits).
enum class FilmSizeUnits : int { None = 0, Horizontal = 1, Vertical = 2, Diagonal = 3 };

// A camera layer: its lens and where it is. Positions are composition pixels
// (x right, y down, z away from the viewer); orientation is degrees about
// the composition's x, then y, then z axes. With a point of interest the
// camera looks at that point (level: its x axis stays horizontal), and the
// orientation is not used.
struct CameraSettings {
  ParamStream zoom;     // pixels from the lens to the plane shown at 100 %
  double filmSize = kDefaultFilmSize;
  FilmSizeUnits filmUnits = FilmSizeUnits::Horizontal;
  ParamStream position; // [x, y, z]
  bool aimed = false;   // a point of interest decides the orientation
  ParamStream pointOfInterest;
  ParamStream orientation;

  // A camera as the host makes a new one for a composition: the default
  // lens, at the composition's centre, 'zoom' pixels in front of it, looking
  // at its centre.
  static CameraSettings defaultFor(const Composition &comp);

  // Definitions that give the camera's values their types in scene files.
  static const ParamDefinition &zoomParam();
  static const ParamDefinition &pointParam();
};

// A camera as the host reports it to effects: a 4 x 4 matrix in the host's
// row-vector convention (rows 0-2: the camera's x, y and z axes, row 3: its
// position), in the pixel space of a layer whose top left corner sits at
// (layerLeft, layerTop) of the composition; and its zoom.
struct CameraView {
  std::array<std::array<double, 4>, 4> matrix{};
  double zoom = 0;
};

// The zoom of the default camera for a composition of this width.
double defaultCameraZoom(int compWidth);

// The default camera's view (no camera layer), and a camera layer's at a time.
CameraView defaultCameraView(const Composition &comp, double layerLeft, double layerTop);
CameraView cameraView(const CameraSettings &camera, std::int64_t ticks, double layerLeft, double layerTop);

} // namespace vlam::host
