#include "instance/barrel_outline.h"

#include <cmath>
#include <numbers>

#include "instance/aim_controls.h"
#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

constexpr double kSpokeLength = 120.0;

struct AimRotation {
  double a, b, roll;  // radians
};

AimRotation RotationOf(const BarrelPose &pose) {
  AimRotation r{};
  if (pose.aim_system == kAimSystemYzxRotation) {
    r.a = pose.sweep * kRadiansPerFixedDegree;
    r.b = pose.tilt * kRadiansPerFixedDegree;
  } else {
    const AimAngles angles = EzAimAngles(pose.position[0], pose.position[1], pose.aim[0],
                                         pose.aim[1], pose.point_away);
    r.a = angles.sweep;
    r.b = angles.tilt;
  }
  // The record's + pi + 13 degree roll offset belongs to the renderer's
  // flash, not to the barrel.
  r.roll = pose.roll * kRadiansPerFixedDegree;
  return r;
}

}  // namespace

BarrelModel BarrelModelOf(A_long barrel_shape) {
  if (barrel_shape == 2) {
    return BarrelModel{4, 11.3137, 1};
  }
  return BarrelModel{16, 8.0, 4};
}

std::vector<PenStep> BarrelSteps(CompCamera camera, const BarrelPose &pose, double layer_width,
                                 double layer_height, double pixel_aspect) {
  const double hw = layer_width * 0.5;
  const double hh = layer_height * 0.5;
  const double a = pixel_aspect;
  const double px = pose.position[0] - hw;
  const double py = pose.position[1] - hh;
  const double pz = pose.position[2];

  const Matrix4 view = ViewRotation(camera);
  const Matrix4 shift = ViewTranslation(camera);
  const AimRotation turn = RotationOf(pose);
  Matrix4 rotation = Matrix4::Identity();
  rotation.SetRotation(turn.roll, turn.a, turn.b);
  Matrix4 place = Matrix4::Identity();
  place.SetTranslation(px, py, pz);
  // Instance to camera: turn, then the view shift, the position, the view.
  const Matrix4 instance =
      Matrix4::Product(Matrix4::Product(Matrix4::Product(rotation, shift), place), view);
  const Matrix4 layer = Matrix4::Product(shift, view);
  AnchorToDepthZero(camera, layer, px, py, pz);

  const auto to_layer = [&](double x, double y, double z) {
    Vec3f p;
    p.Set(x, y, z);
    p.Transform(instance);
    const CameraProjection s = Project(camera, p);
    return std::pair<double, double>{s.sx + hw, s.sy + hh};
  };

  const BarrelModel model = BarrelModelOf(pose.barrel_shape);
  std::vector<PenStep> steps;
  std::pair<double, double> first{};
  for (int i = 0; i < model.ring_vertices; ++i) {
    const double phi = i * 2.0 * std::numbers::pi / model.ring_vertices + std::numbers::pi / 4.0;
    const double y = std::sin(phi) * model.radius;
    const double z = std::cos(phi) * model.radius / a;
    const auto w = to_layer(0.0, y, z);
    if (i == 0) {
      first = w;
    }
    steps.push_back(PenStep{i == 0, w.first, w.second});
    if (i % model.spoke_every == 0) {
      const auto end = to_layer(-kSpokeLength / a, y, z);
      steps.push_back(PenStep{true, end.first, end.second});
      steps.push_back(PenStep{false, w.first, w.second});
    }
  }
  steps.push_back(PenStep{false, first.first, first.second});
  return steps;
}

}  // namespace vlam
