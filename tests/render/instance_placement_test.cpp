#include <gtest/gtest.h>

#include <cmath>

#include "frame/vec3f.h"
#include "render/flash_drawing.h"
#include "render/render_host_support.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

constexpr double kPi = 3.141592653589793;

class InstancePlacementTest : public ::testing::Test {
 protected:
  RenderFrame frame;
  DesignStorage storage;
  FlashDesign design = DefaultDesign(storage);

  InstancePlacementTest() {
    frame.values.pixelAspect = 1.0;
    frame.values.centreX = 100.0;
    frame.values.centreY = 50.0;
    // The host's default camera over a 200 x 100 layer: no turn, centred,
    // at the default lens's distance.
    Matrix4 host = Matrix4::Identity();
    host.At(3, 0) = 100.0;
    host.At(3, 1) = 50.0;
    host.At(3, 2) = -200.0 * 141.7325 / 102.0474;
    frame.camera = MakeCompCamera(200.0, 100.0, 1.0, 1.0, &host, true);
    frame.viewRotation = ViewRotation(frame.camera);
    frame.viewTranslation = ViewTranslation(frame.camera);
  }

  Vec3f Apply(const Matrix4 &m, double x, double y, double z) {
    Vec3f p;
    p.Set(x, y, z);
    p.Transform(m);
    return p;
  }
};

TEST_F(InstancePlacementTest, TheFlashAxisStartsAtTheMuzzleAndIsTurnedBeforeItIsMoved) {
  InstanceRecord instance = FiringInstance(130.0, 40.0);
  instance.position[2] = 25.0;
  instance.roll = 0.3;  // turns about the flash axis only
  const Matrix4 m = InstanceToCamera(frame, instance);
  const double depth = 200.0 * 141.7325 / 102.0474;

  const Vec3f muzzle = Apply(m, 0, 0, 0);
  EXPECT_NEAR(muzzle.x, 30.0, 1e-3);
  EXPECT_NEAR(muzzle.y, -10.0, 1e-3);
  EXPECT_NEAR(muzzle.z, 25.0 + depth, 1e-3);
  const Vec3f along = Apply(m, 10, 0, 0);
  EXPECT_NEAR(along.x, 40.0, 1e-3);
  EXPECT_NEAR(along.y, -10.0, 1e-3);

  // Sweep a quarter turn: Ry turns the axis from +x to -z.
  instance.aimA = kPi / 2.0;
  const Vec3f swept = Apply(InstanceToCamera(frame, instance), 10, 0, 0);
  EXPECT_NEAR(swept.x, 30.0, 1e-3);
  EXPECT_NEAR(swept.z, 25.0 + depth - 10.0, 1e-3);
  // Tilt a quarter turn: Rz turns it from +x to +y.
  instance.aimA = 0.0;
  instance.aimB = kPi / 2.0;
  const Vec3f tilted = Apply(InstanceToCamera(frame, instance), 10, 0, 0);
  EXPECT_NEAR(tilted.x, 30.0, 1e-3);
  EXPECT_NEAR(tilted.y, 0.0, 1e-3);
}

TEST_F(InstancePlacementTest, NonSquarePixelsWidenTheHorizontalOffset) {
  frame.values.pixelAspect = 2.0;
  const Vec3f muzzle = Apply(InstanceToCamera(frame, FiringInstance(130.0, 40.0)), 0, 0, 0);
  EXPECT_NEAR(muzzle.x, 60.0, 1e-3);
}

TEST_F(InstancePlacementTest, TheMuzzleIsAnchoredWhereItsPositionMeetsTheLayerPlane) {
  for (double z : {0.0, 150.0, -120.0}) {
    InstanceRecord instance = FiringInstance(130.0, 40.0);
    instance.position[2] = z;
    const CompCamera camera = AnchoredCamera(frame, instance);
    const CameraProjection muzzle =
        Project(camera, Apply(InstanceToCamera(frame, instance), 0, 0, 0));
    // Under the default camera a point on the layer plane projects to its
    // own offset from the layer centre.
    EXPECT_NEAR(muzzle.sx, 30.0, 1e-3) << z;
    EXPECT_NEAR(muzzle.sy, -10.0, 1e-3) << z;
    // The shape keeps the scale of its real depth: 10 units along x cover
    // fewer pixels further away.
    const CameraProjection tip =
        Project(camera, Apply(InstanceToCamera(frame, instance), 10, 0, 0));
    const double span = tip.sx - muzzle.sx;
    if (z > 0) {
      EXPECT_LT(span, 10.0);
    } else if (z < 0) {
      EXPECT_GT(span, 10.0);
    } else {
      EXPECT_NEAR(span, 10.0, 1e-3);
    }
  }
  // The frame's own camera is left as it was.
  EXPECT_EQ(frame.camera.offsetX, 0.0f);
}

TEST_F(InstancePlacementTest, PetalFramesMoveOutTurnAboutZThenAboutXThenMoveAgain) {
  const double s = 2.0;
  design.barrelRadius = 8.0;
  design.horizontalOffset = -20.0;
  // No turn about X at this angle, none about Z at petal angle 0.
  design.petalAngle = 0.0;
  Vec3f p = Apply(PetalMatrix(design, s, 2.91469985083053), 0, 0, 0);
  EXPECT_NEAR(p.x, (8.0 - 20.0) / s, 1e-6);
  EXPECT_NEAR(p.y, 0.0, 1e-6);

  // A quarter turn about Z takes the first offset onto y, then a quarter
  // turn about X takes y onto z; the second offset is added last.
  design.petalAngle = kPi / 2.0;
  p = Apply(PetalMatrix(design, s, 2.91469985083053 - kPi / 2.0), 0, 0, 0);
  EXPECT_NEAR(p.x, -20.0 / s, 1e-6);
  EXPECT_NEAR(p.y, 0.0, 1e-6);
  EXPECT_NEAR(p.z, 8.0 / s, 1e-6);
}

}  // namespace
}  // namespace vlam_render_test
