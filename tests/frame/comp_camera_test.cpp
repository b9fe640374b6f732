// Matrices and vectors, the comp camera's view, lens and projection, and
// the comp camera built from the host's answers.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>

#include "frame/comp_camera.h"
#include "frame/comp_camera_host.h"
#include "frame/fake_host_support.h"
#include "frame/host_error.h"
#include "frame/matrix4.h"
#include "frame/vec3f.h"

namespace vlam {
namespace {

TEST(CompCamera, NonSquarePixelsLensAndProjection) {
  Matrix4 host = Matrix4::Identity();
  host.At(1, 0) = 0.5;
  host.At(3, 0) = 100;
  const CompCamera c = MakeCompCamera(200, 100, 1.0, 2.0, &host, true);
  const Matrix4 v = ViewRotation(c);
  EXPECT_DOUBLE_EQ(v.At(0, 0), 2.0);
  EXPECT_DOUBLE_EQ(v.At(1, 0), 1.0);
  EXPECT_DOUBLE_EQ(ViewTranslation(c).At(0, 3), 100.0 - 2.0 * 100.0);
  // Without a camera layer (0,0) is divided by the comp pixel aspect first.
  const CompCamera d = MakeCompCamera(200, 100, 1.0, 2.0, &host, false);
  EXPECT_DOUBLE_EQ(ViewRotation(d).At(0, 0), 1.0);
  // A camera layer's lens: film size fallbacks and units.
  CompCamera lens = MakeCompCamera(1920, 1080, 1.0, 1.0, nullptr, true);
  ApplyCameraLayerLens(lens, 2000.0, 0.0, kFilmUnitsVertical, 1080);
  EXPECT_DOUBLE_EQ(lens.filmWidth, kDefaultFilmWidth);  // read as horizontal
  EXPECT_DOUBLE_EQ(lens.focalLength, 2000.0 * kDefaultFilmWidth / 1920.0);
  // A diagonal of 5 on a 4:3 frame is a vertical 3, then a horizontal 4.
  CompCamera wide = MakeCompCamera(400, 300, 1.0, 1.0, nullptr, true);
  ApplyCameraLayerLens(wide, 500.0, 5.0, kFilmUnitsDiagonal, 300);
  EXPECT_NEAR(wide.filmWidth, 4.0, 1e-12);
  ApplyCameraLayerLens(wide, 500.0, 36.0, kFilmUnitsHorizontal, 300);
  EXPECT_DOUBLE_EQ(wide.filmWidth, 36.0);
  // Projection scales by zoom over depth and adds the offsets.
  CompCamera proj = MakeCompCamera(1800, 1000, 1.0, 1.0, nullptr, false);
  proj.offsetX = 3;
  proj.offsetY = -4;
  Vec3f p;
  p.Set(100, -50, proj.zoom * 2);
  CameraProjection s = Project(proj, p);
  EXPECT_FLOAT_EQ(s.depth, p.z);
  EXPECT_NEAR(s.sx, 53.0f, 1e-3);
  EXPECT_NEAR(s.sy, -29.0f, 1e-3);
  p.Set(1, 1, 0);
  s = Project(proj, p);
  EXPECT_TRUE(std::isinf(s.sx));
  EXPECT_TRUE(std::isinf(s.sy));
}

// Standard right-handed rotation of column vectors about axis 0 (x), 1 (y)
// or 2 (z), written out here independently of the builders under test.
Matrix4 R(int axis, double p) {
  Matrix4 m = Matrix4::Identity();
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;
  m.At(i, i) = m.At(j, j) = std::cos(p);
  m.At(i, j) = -std::sin(p);
  m.At(j, i) = std::sin(p);
  return m;
}

void ExpectNear(const Matrix4& a, const Matrix4& b, double tol = 1e-12) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], b.m[i], tol) << "entry " << i;
}

Matrix4 Rotation(double a, double b, double c) {
  Matrix4 m = Matrix4::Identity();
  m.SetRotation(a, b, c);
  return m;
}

TEST(Matrix4, RotationBuildersProductOrderAndPivots) {
  const double a = 0.3, b = -0.8, c = 1.4;
  Matrix4 x = Matrix4::Identity();
  x.SetRotationX(0.6);
  Matrix4 z = Matrix4::Identity();
  z.SetRotationZ(0.6);
  const std::pair<Matrix4, Matrix4> cases[] = {
      {Rotation(0.7, 0, 0), R(0, 0.7)},
      {Rotation(0, -1.1, 0), R(1, -1.1)},
      {Rotation(0, 0, 2.3), R(2, 2.3)},
      // Three angles turn about x, then z, then y: Ry(b)·Rz(c)·Rx(a).
      {Rotation(a, b, c), Matrix4::Product(Matrix4::Product(R(0, a), R(2, c)), R(1, b))},
      // The single-axis builders turn the other way.
      {x, R(0, -0.6)},
      {z, R(2, -0.6)},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    ExpectNear(cases[i].first, cases[i].second);
  }
  // Product(R, P): rotate first, then move.
  Matrix4 p = Matrix4::Identity();
  p.SetTranslation(10, 20, 30);
  Matrix4 rz = Matrix4::Identity();
  rz.SetRotationZ(-M_PI / 2);  // Rz(+90°): x axis onto y axis
  Vec3f v;
  v.Set(1, 0, 0);
  v.Transform(Matrix4::Product(rz, p));
  EXPECT_NEAR(v.x, 10.0f, 1e-5);
  EXPECT_NEAR(v.y, 21.0f, 1e-5);
  EXPECT_NEAR(v.z, 30.0f, 1e-5);
  // Rotating about a pivot keeps x and the distance to the pivot.
  Vec3f pivot;
  pivot.Set(0, 1, 1);
  v.Set(7, 2, 1);  // one unit along +y from the pivot
  v.RotateAboutPivot(pivot, M_PI / 2);
  EXPECT_FLOAT_EQ(v.x, 7.0f);
  EXPECT_NEAR(v.y, 1.0f, 1e-6);
  EXPECT_NEAR(v.z, 2.0f, 1e-6);  // turned onto +z
}

using vlam_test::FakeEffectHost;

const AEGP_LayerH kCameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);

// The host's camera: some orientation in the upper-left block and a
// position in row 3.
class CompCameraFromHost : public ::testing::Test {
 protected:
  CompCameraFromHost() {
    Matrix4 m = Matrix4::Identity();
    m.SetRotation(0.2, -0.3, 0.1);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) host.cameraMatrix.mat[r][c] = m.At(r, c);
    host.cameraMatrix.mat[3][0] = 900.0;
    host.cameraMatrix.mat[3][1] = 500.0;
    host.cameraMatrix.mat[3][2] = -2666.67;
  }
  FakeEffectHost host;
};

TEST_F(CompCameraFromHost, DefaultAndCameraLayerLensesReadAtTheCompTime) {
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_NEAR(c.zoom / 1920, 1.38889, 1e-5);
  const Matrix4 v = ViewRotation(c);
  for (int r = 0; r < 3; ++r)
    for (int col = 0; col < 3; ++col) EXPECT_DOUBLE_EQ(v.At(r, col), host.cameraMatrix.mat[r][col]);
  const Matrix4 t = ViewTranslation(c);
  EXPECT_DOUBLE_EQ(t.At(0, 3), 960.0 - 900.0);
  EXPECT_DOUBLE_EQ(t.At(1, 3), 540.0 - 500.0);
  EXPECT_DOUBLE_EQ(t.At(2, 3), 2666.67);
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"GetEffectLayer", "GetLayerParentComp", "GetItemFromComp",
                                      "GetItemPixelAspectRatio", "ConvertEffectToCompTime 10/24",
                                      "GetEffectCamera 10/24", "GetEffectCameraMatrix 10/24"}));
  host.cameraLayer = kCameraLayer;
  host.compTimeOffset = 48;  // the layer starts two seconds into the comp
  host.zoom = 2000.0;
  host.filmSize = 36.0;
  const CompCamera lens = BuildCompCamera(&host.in_data);
  EXPECT_EQ(host.calls.back(), "GetCameraFilmSize");
  EXPECT_EQ(host.calls[host.calls.size() - 2], "GetLayerStreamValue zoom 58/24");
  EXPECT_DOUBLE_EQ(lens.focalLength, 2000.0 * 36.0 / 1920.0);
  EXPECT_DOUBLE_EQ(ViewTranslation(lens).At(2, 3), 2666.67);  // the camera layer's position
  EXPECT_EQ(host.registry.outstanding(), 0);
  // The units and size reach the lens: 24 high at 16:9 is 42.667 wide.
  host.filmSize = 24.0;
  host.filmUnits = AEGP_FilmSizeUnits_VERTICAL;
  EXPECT_NEAR(BuildCompCamera(&host.in_data).filmWidth, 42.667, 0.001);
}

TEST_F(CompCameraFromHost, NonSquarePixelsAndCompPixelAspect) {
  host.compPixelAspect = {2, 1};
  host.in_data.pixel_aspect_ratio = {9, 10};
  host.in_data.width = 720;
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_EQ(c.compPixelAspect, 2.0);
  EXPECT_DOUBLE_EQ(c.layerWidth, 648.0);
  // Divided for the default camera.
  EXPECT_DOUBLE_EQ(c.cameraMatrix.At(0, 0), host.cameraMatrix.mat[0][0] / 2.0);
  // The comp's pixel aspect alone: narrow pixels are kept, broken ratios
  // and host errors give one.
  const std::pair<A_Ratio, double> ratios[] = {
      {{1, 2}, 0.5}, {{4, 0}, 1}, {{-3, 2}, 1}, {{3, 2}, 1.5}};
  A_Err err = -1;
  for (const auto &[ratio, aspect] : ratios) {
    host.compPixelAspect = ratio;
    EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), aspect);
    EXPECT_EQ(err, A_Err_NONE);
  }
  host.Fail("GetItemFromComp", A_Err_GENERIC);
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
  EXPECT_EQ(err, A_Err_GENERIC);
  host.comp = nullptr;  // a layer outside any composition
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
}

TEST_F(CompCameraFromHost, ErrorsKeepTheDefaultsAMissingSuiteThrowsThirteen) {
  host.cameraLayer = kCameraLayer;
  host.zoom = 2000.0;
  // The default zoom stays, and the identity matrix unless only the lens
  // fails; a failed pixel aspect asks for no camera at all.
  const std::pair<const char *, double> failures[] = {
      {"GetEffectCameraMatrix", 0.0}, {"GetLayerStreamValue", -2666.67},
      {"GetItemPixelAspectRatio", 0.0}};
  for (const auto &[function, depth] : failures) {
    SCOPED_TRACE(function);
    host.Fail(function, A_Err_GENERIC);
    const CompCamera c = BuildCompCamera(&host.in_data);
    EXPECT_NEAR(c.zoom / 1920, 1.38889, 1e-5);
    EXPECT_EQ(c.cameraMatrix.At(3, 2), depth);
  }
  EXPECT_EQ(host.calls.back(), "GetItemPixelAspectRatio");
  // Without the camera suite 13 is thrown.
  host.registry.Withdraw(kAEGPCameraSuite, kAEGPCameraSuiteVersion2);
  try {
    BuildCompCamera(&host.in_data);
    ADD_FAILURE() << "no error thrown";
  } catch (HostError code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
  EXPECT_EQ(host.registry.outstanding(), 0);
}

}  // namespace
}  // namespace vlam
