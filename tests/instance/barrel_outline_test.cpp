// The barrel overlay's geometry.
#include "instance/barrel_outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "frame/fixed_point.h"

namespace vlam_test {
namespace {

using vlam::BarrelPose;
using vlam::PenStep;

// The host's default camera for a 1920 x 1080 layer: unturned, centred in
// front of the layer at the distance of its zoom.
vlam::CompCamera DefaultCamera(double pixel_aspect) {
  const double w = 1920.0 * pixel_aspect;
  vlam::Matrix4 m = vlam::Matrix4::Identity();
  m.At(3, 0) = w * 0.5;
  m.At(3, 1) = 540.0;
  m.At(3, 2) = -vlam::kDefaultFocalLength / vlam::kDefaultFilmWidth * w;
  return vlam::MakeCompCamera(1920.0, 1080.0, pixel_aspect, 1.0, &m, false);
}

BarrelPose DefaultPose() {
  BarrelPose pose;
  pose.position[0] = 960.0;
  pose.position[1] = 540.0;
  pose.aim[0] = 576.0;  // 20 % of the width to the left
  pose.aim[1] = 540.0;
  return pose;
}

BarrelPose Yzx(double sweep_degrees = 0.0) {
  BarrelPose pose = DefaultPose();
  pose.aim_system = 2;
  pose.sweep = vlam::FixedFromDouble(sweep_degrees);
  return pose;
}

std::vector<PenStep> Steps(const BarrelPose &pose, double aspect = 1.0) {
  return vlam::BarrelSteps(DefaultCamera(aspect), pose, 1920.0, 1080.0, aspect);
}

// The ring's points (every step but the spoke ends, which are the moves
// after the first), or the spoke ends.
std::vector<PenStep> Ring(const std::vector<PenStep> &steps, bool spoke_ends = false) {
  std::vector<PenStep> out;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if ((i > 0 && steps[i].move) == spoke_ends) out.push_back(steps[i]);
  }
  return out;
}
double Width(const std::vector<PenStep> &points) {
  const auto [lo, hi] = std::minmax_element(points.begin(), points.end(),
                                            [](const auto &a, const auto &b) { return a.x < b.x; });
  return hi->x - lo->x;
}

// The ring is centred on the instance's layer position whatever its depth:
// an instance off the centre and 500 deep would otherwise be drawn 25 to 40
// pixels nearer the centre.
TEST(BarrelOutline, InstanceSitsAtItsLayerPositionWhateverItsDepth) {
  for (const auto &[px, py, pz] : {std::tuple{960.0, 540.0, 0.0}, std::tuple{1200.0, 700.0, 500.0}}) {
    BarrelPose pose = DefaultPose();
    pose.position[0] = px;
    pose.position[1] = py;
    pose.position[2] = pz;
    const auto ring = Ring(Steps(pose));
    double x = 0, y = 0;
    for (const PenStep &p : ring) {
      x += p.x;
      y += p.y;
    }
    EXPECT_NEAR(x / ring.size(), px, 0.5) << pz;
    EXPECT_NEAR(y / ring.size(), py, 0.5) << pz;
  }
}

TEST(BarrelOutline, UnturnedRingPixelAspectAndRoll) {
  const auto steps = Steps(Yzx());
  ASSERT_EQ(steps.size(), 16u + 4u * 2u + 1u);
  EXPECT_TRUE(steps[0].move);
  EXPECT_DOUBLE_EQ(steps.back().x, steps[0].x);  // closed
  EXPECT_DOUBLE_EQ(steps.back().y, steps[0].y);
  const auto ring = Ring(steps);
  EXPECT_LT(Width(ring), 0.01);
  const auto ends = Ring(steps, true);
  ASSERT_EQ(ends.size(), 4u);
  for (const PenStep &end : ends) {
    EXPECT_NEAR(end.x, 960.0 - 120.0, 0.5);
  }
  for (const PenStep &end : Ring(Steps(Yzx(), 2.0), true)) {
    EXPECT_NEAR(end.x, 960.0 - 60.0, 0.5);
  }
  // Turned a quarter about Y, the ring's depth shows across the screen.
  EXPECT_NEAR(Width(Ring(Steps(Yzx(90.0)))), 16.0, 0.2);
  EXPECT_NEAR(Width(Ring(Steps(Yzx(90.0), 2.0))), 8.0, 0.2);
  // A quarter roll turns the first ring vertex, at 45 degrees, from above
  // the muzzle's depth to just below the muzzle on screen; the record's
  // extra half turn and 13 degrees would put it elsewhere.
  BarrelPose pose = Yzx();
  const double r = 8.0 * std::sqrt(0.5);
  const double zoom = 2666.6666;
  EXPECT_NEAR(Steps(pose)[0].y, 540.0 + r * zoom / (zoom + r), 0.01);
  pose.roll = vlam::FixedFromDouble(90.0);
  EXPECT_NEAR(Steps(pose)[0].y, 540.0 - r * zoom / (zoom + r), 0.01);
}

}  // namespace
}  // namespace vlam_test
