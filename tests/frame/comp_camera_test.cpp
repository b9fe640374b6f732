#include <gtest/gtest.h>

#include <cmath>

#include "frame/comp_camera.h"

namespace vlam {
namespace {

TEST(CompCamera, NonSquareCompFilmSizeFallbacksAndUnits) {
  Matrix4 host = Matrix4::Identity();
  host.At(1, 0) = 0.5;
  host.At(3, 0) = 100;
  const CompCamera c = MakeCompCamera(200, 100, 1.0, 2.0, &host, true);
  const Matrix4 v = ViewRotation(c);
  EXPECT_DOUBLE_EQ(v.At(0, 0), 2.0);
  EXPECT_DOUBLE_EQ(v.At(1, 0), 1.0);
  const Matrix4 t = ViewTranslation(c);
  EXPECT_DOUBLE_EQ(t.At(0, 3), 100.0 - 2.0 * 100.0);
  // Without a camera layer (0,0) is divided by the comp pixel aspect first.
  const CompCamera d = MakeCompCamera(200, 100, 1.0, 2.0, &host, false);
  EXPECT_DOUBLE_EQ(ViewRotation(d).At(0, 0), 1.0);
  // A camera layer's lens: film size fallbacks and units.
  CompCamera lens = MakeCompCamera(1920, 1080, 1.0, 1.0, nullptr, true);
  ApplyCameraLayerLens(lens, 2000.0, 0.0, kFilmUnitsVertical, 1080);
  EXPECT_DOUBLE_EQ(lens.filmWidth, kDefaultFilmWidth);  // read as horizontal
  EXPECT_DOUBLE_EQ(lens.zoom, 2000.0);
  EXPECT_DOUBLE_EQ(lens.focalLength, 2000.0 * kDefaultFilmWidth / 1920.0);

  ApplyCameraLayerLens(lens, 2000.0, 24.0, kFilmUnitsVertical, 1080);
  EXPECT_NEAR(lens.filmWidth, 42.667, 1e-3);

  // A diagonal of 5 on a 4:3 frame is a vertical 3, then a horizontal 4.
  CompCamera wide = MakeCompCamera(400, 300, 1.0, 1.0, nullptr, true);
  ApplyCameraLayerLens(wide, 500.0, 5.0, kFilmUnitsDiagonal, 300);
  EXPECT_NEAR(wide.filmWidth, 4.0, 1e-12);
  ApplyCameraLayerLens(wide, 500.0, 36.0, kFilmUnitsHorizontal, 300);
  EXPECT_DOUBLE_EQ(wide.filmWidth, 36.0);
}

TEST(CompCamera, ProjectionOffsetsAndAnchoringAtDepthZero) {
  CompCamera c = MakeCompCamera(1800, 1000, 1.0, 1.0, nullptr, false);
  Vec3f p;
  p.Set(100, -50, c.zoom * 2);
  CameraProjection s = Project(c, p);
  EXPECT_FLOAT_EQ(s.depth, p.z);
  EXPECT_NEAR(s.sx, 50.0f, 1e-3);
  EXPECT_NEAR(s.sy, -25.0f, 1e-3);
  c.offsetX = 3;
  c.offsetY = -4;
  s = Project(c, p);
  EXPECT_NEAR(s.sx, 53.0f, 1e-3);
  EXPECT_NEAR(s.sy, -29.0f, 1e-3);

  p.Set(1, 1, 0);
  s = Project(c, p);
  EXPECT_TRUE(std::isinf(s.sx));
  EXPECT_TRUE(std::isinf(s.sy));
  // Anchoring puts the origin where depth zero would appear.
  CompCamera anchored = MakeCompCamera(1920, 1080, 1.0, 1.0, nullptr, false);
  Matrix4 host = Matrix4::Identity();
  host.At(3, 0) = 960;
  host.At(3, 1) = 540;
  host.At(3, 2) = -anchored.zoom;
  anchored.cameraMatrix = host;
  const Matrix4 n = Matrix4::Product(ViewTranslation(anchored), ViewRotation(anchored));
  AnchorToDepthZero(anchored, n, 200, 100, 500);
  Vec3f real;
  real.Set(200, 100, 500);
  real.Transform(n);
  const CameraProjection at = Project(anchored, real);
  // At depth 0 the default camera shows layer pixels one to one.
  EXPECT_NEAR(at.sx, 200.0f, 1e-3);
  EXPECT_NEAR(at.sy, 100.0f, 1e-3);
}

}  // namespace
}  // namespace vlam
