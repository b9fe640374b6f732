// The wire barrel the Flash Instance draws in the composition and layer
// windows: a ring at the muzzle with spokes back along the barrel, turned by
// the instance's aim and roll and seen through the composition camera.
#pragma once
#include <vector>

#include "A.h"
#include "frame/comp_camera.h"

namespace vlam {

// The parameter values the barrel depends on, as the event hands them.
struct BarrelPose {
  A_long aim_system = 1;    // 1 EZ-Aim, 2 YZX Rotation
  A_long barrel_shape = 1;  // 1 Round, 2 Square
  double position[3] = {0.0, 0.0, 0.0};  // layer pixels
  double aim[2] = {0.0, 0.0};            // layer pixels
  bool point_away = false;
  A_long sweep = 0;  // 16.16 fixed degrees
  A_long tilt = 0;
  A_long roll = 0;
};

struct BarrelModel {
  int ring_vertices;
  double radius;
  int spoke_every;  // a spoke at every n-th vertex
};

// Round: 16 vertices of radius 8, a spoke at every 4th. Square: 4 vertices of
// radius 11.3137 (sides about 16), a spoke at each. Any other value draws
// the round barrel.
BarrelModel BarrelModelOf(A_long barrel_shape);

// One step of the pen, in layer pixels (before any window conversion).
struct PenStep {
  bool move;  // move to the point, else draw a line to it
  double x, y;
};

// The barrel as pen steps: the ring with a spoke out and back at every
// spoke vertex, closed at the end. `layer_width` and `layer_height` are in
// layer pixels, `pixel_aspect` the layer's. The camera is anchored to depth
// 0 at the muzzle first, so the muzzle is drawn where its position appears
// at depth 0.
std::vector<PenStep> BarrelSteps(CompCamera camera, const BarrelPose &pose, double layer_width,
                                 double layer_height, double pixel_aspect);

}  // namespace vlam
