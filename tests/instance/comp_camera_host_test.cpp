#include "frame/comp_camera_host.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fake_instance_host_support.h"
#include "frame/host_error.h"

namespace vlam {
namespace {

using vlam_test::FakeInstanceHost;

// A host camera matrix: some orientation and a position in row 3.
A_Matrix4 HostCamera() {
  Matrix4 m = Matrix4::Identity();
  m.SetRotation(0.2, -0.3, 0.1);
  A_Matrix4 out{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out.mat[r][c] = m.At(r, c);
  out.mat[3][0] = 960.0;
  out.mat[3][1] = 540.0;
  out.mat[3][2] = -2666.67;
  return out;
}

TEST(CompCameraFromHost, NoCameraLayerUsesTheDefaultLens) {
  FakeInstanceHost host;
  host.cameraMatrix = HostCamera();
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_NEAR(c.zoom, 1.38889 * 1920, 0.01);
  EXPECT_EQ(c.focalLength, 141.7325);
  EXPECT_EQ(c.filmWidth, 102.0474);
  EXPECT_EQ(c.compPixelAspect, 1.0);
  // The view rotation is the upper-left block of the host's default camera.
  const Matrix4 v = ViewRotation(c);
  for (int r = 0; r < 3; ++r)
    for (int col = 0; col < 3; ++col) EXPECT_DOUBLE_EQ(v.At(r, col), host.cameraMatrix.mat[r][col]);
  // The position in row 3 reaches the view translation.
  const Matrix4 t = ViewTranslation(c);
  EXPECT_DOUBLE_EQ(t.At(0, 3), 960.0 - 960.0);
  EXPECT_DOUBLE_EQ(t.At(1, 3), 540.0 - 540.0);
  EXPECT_DOUBLE_EQ(t.At(2, 3), 2666.67);
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"GetEffectLayer", "GetLayerParentComp", "GetItemFromComp",
                                      "GetItemPixelAspectRatio", "ConvertEffectToCompTime 10/24",
                                      "GetEffectCamera 10/24", "GetEffectCameraMatrix 10/24"}));
  EXPECT_EQ(host.Outstanding(), 0);
}

TEST(CompCameraFromHost, CameraLayerLensAtTheCompTime) {
  FakeInstanceHost host;
  host.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  host.cameraMatrix = HostCamera();
  host.compTimeOffset = {48, 1};  // the layer starts two seconds into the comp
  host.zoom = 2000.0;
  host.filmSize = 36.0;
  host.filmUnits = AEGP_FilmSizeUnits_HORIZONTAL;
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_EQ(host.lastCameraTime.value, 58);
  EXPECT_EQ(host.lastZoomTime.value, 58);
  EXPECT_EQ(c.zoom, 2000.0);
  EXPECT_EQ(c.filmWidth, 36.0);
  EXPECT_DOUBLE_EQ(c.focalLength, 2000.0 * 36.0 / 1920.0);
  EXPECT_EQ(c.cameraMatrix.At(3, 2), -2666.67);
  EXPECT_EQ(host.Outstanding(), 0);
}

TEST(CompCameraFromHost, FilmSizeZeroFallsBackToTheDefaultWidth) {
  FakeInstanceHost host;
  host.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  host.zoom = 1500.0;
  host.filmSize = 0.0;
  host.filmUnits = AEGP_FilmSizeUnits_VERTICAL;  // ignored with no size
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_EQ(c.filmWidth, 102.0474);
  EXPECT_DOUBLE_EQ(c.focalLength, 1500.0 * 102.0474 / 1920.0);
}

TEST(CompCameraFromHost, VerticalAndDiagonalFilmSizes) {
  FakeInstanceHost host;
  host.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  host.zoom = 1500.0;
  host.filmSize = 24.0;
  host.filmUnits = AEGP_FilmSizeUnits_VERTICAL;
  EXPECT_NEAR(BuildCompCamera(&host.in_data).filmWidth, 42.667, 0.001);

  host.filmSize = 30.0;
  host.filmUnits = AEGP_FilmSizeUnits_DIAGONAL;
  const double diagonal = std::sqrt(1920.0 * 1920.0 + 1080.0 * 1080.0);
  EXPECT_NEAR(BuildCompCamera(&host.in_data).filmWidth, 30.0 * 1920.0 / diagonal, 1e-9);
}

TEST(CompCameraFromHost, NonSquareCompAndLayerPixels) {
  FakeInstanceHost host;
  host.compPixelAspect = {2, 1};
  host.in_data.pixel_aspect_ratio = {9, 10};
  host.in_data.width = 720;
  host.in_data.height = 480;
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_EQ(c.compPixelAspect, 2.0);
  EXPECT_DOUBLE_EQ(c.layerWidth, 648.0);
  EXPECT_DOUBLE_EQ(c.halfWidth, 324.0);
  EXPECT_DOUBLE_EQ(c.halfHeight, 240.0);
  // Without a camera layer (0,0) is divided by the comp aspect, and the view
  // rotation multiplies it back.
  EXPECT_DOUBLE_EQ(c.cameraMatrix.At(0, 0), 0.5);
  EXPECT_DOUBLE_EQ(ViewRotation(c).At(0, 0), 1.0);
}

TEST(CompPixelAspect, HostErrorsAndBrokenRatiosGiveOne) {
  FakeInstanceHost host;
  host.compPixelAspect = {3, 2};
  A_Err err = -1;
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.5);
  EXPECT_EQ(err, A_Err_NONE);

  host.compPixelAspect = {4, 0};
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);

  host.compPixelAspect = {3, 2};
  host.Fail("GetItemFromComp", A_Err_GENERIC);
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
  EXPECT_EQ(err, A_Err_GENERIC);

  host.comp = nullptr;  // a layer outside any composition
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
  EXPECT_EQ(err, A_Err_NONE);
}

TEST(CompCameraFromHost, ErrorsLeaveTheDefaultCamera) {
  FakeInstanceHost host;
  host.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  host.cameraMatrix = HostCamera();
  host.zoom = 2000.0;
  host.Fail("GetEffectCameraMatrix", A_Err_GENERIC);
  CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_NEAR(c.zoom, 1.38889 * 1920, 0.01);
  EXPECT_EQ(c.cameraMatrix.At(3, 2), 0.0);  // identity, nothing from the host
  EXPECT_EQ(c.cameraMatrix.At(0, 1), 0.0);

  // A failed comp pixel aspect skips the camera calls altogether.
  FakeInstanceHost second;
  second.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  second.Fail("GetItemPixelAspectRatio", A_Err_GENERIC);
  c = BuildCompCamera(&second.in_data);
  EXPECT_NEAR(c.zoom, 1.38889 * 1920, 0.01);
  for (const std::string &call : second.calls) EXPECT_EQ(call.find("Camera"), std::string::npos);

  // A failed zoom read keeps the default lens but the camera's matrix.
  FakeInstanceHost third;
  third.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  third.cameraMatrix = HostCamera();
  third.zoom = 2000.0;
  third.Fail("GetLayerStreamValue", A_Err_GENERIC);
  c = BuildCompCamera(&third.in_data);
  EXPECT_NEAR(c.zoom, 1.38889 * 1920, 0.01);
  EXPECT_EQ(c.cameraMatrix.At(3, 2), -2666.67);
}

TEST(CompCameraFromHost, MissingSuiteThrowsThirteen) {
  FakeInstanceHost host;
  host.cameraLayer = reinterpret_cast<AEGP_LayerH>(0xCA);
  host.refused.insert(kAEGPCameraSuite);
  try {
    BuildCompCamera(&host.in_data);
    ADD_FAILURE() << "no error thrown";
  } catch (HostError code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
  EXPECT_EQ(host.Outstanding(), 0);
}

}  // namespace
}  // namespace vlam
