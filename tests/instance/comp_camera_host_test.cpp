#include "frame/comp_camera_host.h"

#include <gtest/gtest.h>

#include "frame/fake_host_support.h"
#include "frame/host_error.h"

namespace vlam {
namespace {

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

TEST_F(CompCameraFromHost, NoCameraLayerUsesTheDefaultLensAndTheHostsDefaultCamera) {
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
  EXPECT_EQ(host.registry.outstanding(), 0);
}

TEST_F(CompCameraFromHost, CameraLayerLensAndFilmUnitsAreReadAtTheCompTime) {
  host.cameraLayer = kCameraLayer;
  host.compTimeOffset = 48;  // the layer starts two seconds into the comp
  host.zoom = 2000.0;
  host.filmSize = 36.0;
  const CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_EQ(host.calls.back(), "GetCameraFilmSize");
  EXPECT_EQ(host.calls[host.calls.size() - 2], "GetLayerStreamValue zoom 58/24");
  EXPECT_EQ(c.zoom, 2000.0);
  EXPECT_EQ(c.filmWidth, 36.0);
  EXPECT_DOUBLE_EQ(c.focalLength, 2000.0 * 36.0 / 1920.0);
  EXPECT_DOUBLE_EQ(ViewTranslation(c).At(2, 3), 2666.67);  // the camera layer's position
  EXPECT_EQ(host.registry.outstanding(), 0);
  // The units and size reach the lens (their arithmetic is pinned with the
  // camera's own tests).
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
  EXPECT_DOUBLE_EQ(c.halfWidth, 324.0);
  // Divided for the default camera.
  EXPECT_DOUBLE_EQ(c.cameraMatrix.At(0, 0), host.cameraMatrix.mat[0][0] / 2.0);
  // The comp's pixel aspect alone: host errors and broken ratios give one.
  host.compPixelAspect = {3, 2};
  A_Err err = -1;
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.5);
  EXPECT_EQ(err, A_Err_NONE);
  host.compPixelAspect = {1, 2};  // narrow pixels are kept
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 0.5);
  host.compPixelAspect = {4, 0};
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
  host.compPixelAspect = {-3, 2};
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
  host.compPixelAspect = {3, 2};
  host.Fail("GetItemFromComp", A_Err_GENERIC);
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
  EXPECT_EQ(err, A_Err_GENERIC);
  host.comp = nullptr;  // a layer outside any composition
  EXPECT_EQ(GetCompPixelAspect(&host.in_data, &err), 1.0);
}

TEST_F(CompCameraFromHost, ErrorsKeepTheDefaultsAMissingSuiteThrowsThirteen) {
  host.cameraLayer = kCameraLayer;
  host.zoom = 2000.0;
  host.Fail("GetEffectCameraMatrix", A_Err_GENERIC);
  CompCamera c = BuildCompCamera(&host.in_data);
  EXPECT_NEAR(c.zoom / 1920, 1.38889, 1e-5);
  EXPECT_EQ(c.cameraMatrix.At(3, 2), 0.0);  // identity: nothing taken from the host

  host.Fail("GetLayerStreamValue", A_Err_GENERIC);  // the lens fails, the matrix stays
  c = BuildCompCamera(&host.in_data);
  EXPECT_NEAR(c.zoom / 1920, 1.38889, 1e-5);
  EXPECT_EQ(c.cameraMatrix.At(3, 2), -2666.67);

  host.calls.clear();
  host.Fail("GetItemPixelAspectRatio", A_Err_GENERIC);  // no camera calls at all
  c = BuildCompCamera(&host.in_data);
  EXPECT_EQ(host.calls.back(), "GetItemPixelAspectRatio");
  EXPECT_EQ(c.cameraMatrix.At(3, 2), 0.0);
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
