// The composition camera as effects ask for it: the default camera, camera
// layers with animated positions, points of interest and orientations.
#include "host_support.h"

#include <AE_GeneralPlug.h>

#include <algorithm>

using namespace vlam;
using namespace vlam::test;

namespace {

struct CameraAnswer {
  A_Err err = -1;
  AEGP_LayerH camera = nullptr;
  A_Matrix4 matrix{};
  A_FpLong distance = 0;
  A_short planeWidth = 0, planeHeight = 0;
};

class Cameras : public test::HostTest {
protected:
  CameraAnswer answer;
  host::Layer *plate = &test::openSolidProject(host, 200, 100);
  InsideEffectCall inside{host, *plate, "camera-reader"};

  void readCamera(PF_InData *in) {
    const auto *pf = suite<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);
    A_Time compTime{};
    answer = CameraAnswer{};
    answer.err = pf->AEGP_ConvertEffectToCompTime(in->effect_ref, in->current_time, in->time_scale, &compTime);
    if (!answer.err) answer.err = pf->AEGP_GetEffectCamera(in->effect_ref, &compTime, &answer.camera);
    if (!answer.err)
      answer.err = pf->AEGP_GetEffectCameraMatrix(in->effect_ref, &compTime, &answer.matrix, &answer.distance,
                                                  &answer.planeWidth, &answer.planeHeight);
  }
  void askAt(std::int64_t ticks) {
    ASSERT_EQ(inside.run([this](PF_InData *in) { readCamera(in); return PF_Err_NONE; }, ticks), PF_Err_NONE);
    ASSERT_EQ(answer.err, A_Err_NONE);
  }
  host::Layer &addCamera() {
    host::Composition &comp = *host.project().comps[0];
    host::Layer &camera = host.project().addLayer(comp, "Camera");
    // Cameras usually sit on top of the layers they look at.
    std::rotate(comp.layers.begin(), comp.layers.end() - 1, comp.layers.end());
    camera.camera = host::CameraSettings::defaultFor(comp);
    return camera;
  }
  void expectRows(const std::array<std::array<double, 3>, 3> &rows) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(answer.matrix.mat[r][c], rows[r][c], 1e-12) << r << "," << c;
    EXPECT_EQ(answer.matrix.mat[0][3], 0.0);
    EXPECT_EQ(answer.matrix.mat[3][3], 1.0);
  }
};

host::ParamValue vec(double x, double y, double z) {
  host::ParamValue v;
  v.number = {x, y, z, 0};
  return v;
}

TEST_F(Cameras, WithoutACameraLayerTheDefaultCameraLooksAtTheCompositionFromItsZoom) {
  askAt(0);
  EXPECT_EQ(answer.camera, nullptr);
  expectRows({{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}});
  const double zoom = 200 * 141.7325 / 102.0474;
  EXPECT_NEAR(answer.matrix.mat[3][2], -zoom, 1e-9);
  EXPECT_NEAR(answer.distance, zoom, 1e-9);
  expectValues({{"x", answer.matrix.mat[3][0], 100}, {"y", answer.matrix.mat[3][1], 50},
                {"plane width", answer.planeWidth, 200}, {"plane height", answer.planeHeight, 100}});
  // Positions are in the effect layer's pixels.
  plate->width = 100; // centred: its left edge at x = 50 of the composition
  plate->height = 60; // its top at y = 20
  askAt(0);
  EXPECT_DOUBLE_EQ(answer.matrix.mat[3][0], 50);
  EXPECT_DOUBLE_EQ(answer.matrix.mat[3][1], 30);
}

TEST_F(Cameras, ACameraLayerIsFoundItsLensAndKeysAreReadAndItTurns) {
  host::Layer &camera = addCamera();
  camera.camera->zoom.setKey({0, host::ParamValue::scalar(300), host::Interpolation::Linear});
  camera.camera->zoom.setKey({10, host::ParamValue::scalar(500), host::Interpolation::Linear});
  camera.camera->position.setKey({0, vec(100, 50, -300), host::Interpolation::Linear});
  camera.camera->position.setKey({10, vec(140, 50, -300), host::Interpolation::Linear});
  camera.camera->filmSize = 24;
  camera.camera->filmUnits = host::FilmSizeUnits::Vertical;
  askAt(5);
  EXPECT_EQ(answer.camera, reinterpret_cast<AEGP_LayerH>(&camera));
  EXPECT_DOUBLE_EQ(answer.matrix.mat[3][0], 120);
  EXPECT_DOUBLE_EQ(answer.distance, 400);

  const auto *streams = suite<AEGP_StreamSuite4>(kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
  const auto *cameras = suite<AEGP_CameraSuite2>(kAEGPCameraSuite, kAEGPCameraSuiteVersion2);
  ASSERT_NE(cameras, nullptr);
  AEGP_StreamVal2 zoom{};
  AEGP_StreamType type = AEGP_StreamType_NO_DATA;
  const A_Time at{5, 24};
  EXPECT_EQ(streams->AEGP_GetLayerStreamValue(answer.camera, AEGP_LayerStream_ZOOM, AEGP_LTimeMode_CompTime, &at,
                                              false, &zoom, &type),
            A_Err_NONE);
  EXPECT_DOUBLE_EQ(zoom.one_d, 400);
  EXPECT_EQ(type, AEGP_StreamType_OneD);
  AEGP_FilmSizeUnits units = AEGP_FilmSizeUnits_NONE;
  A_FpLong film = 0;
  EXPECT_EQ(cameras->AEGP_GetCameraFilmSize(answer.camera, &units, &film), A_Err_NONE);
  EXPECT_EQ(units, AEGP_FilmSizeUnits_VERTICAL);
  EXPECT_EQ(film, 24);
  // The plate is no camera: its zoom and film are refused.
  const auto plateH = reinterpret_cast<AEGP_LayerH>(plate);
  EXPECT_NE(streams->AEGP_GetLayerStreamValue(plateH, AEGP_LayerStream_ZOOM, AEGP_LTimeMode_CompTime, &at, false,
                                              &zoom, &type),
            A_Err_NONE);
  EXPECT_NE(cameras->AEGP_GetCameraFilmSize(plateH, &units, &film), A_Err_NONE);

  camera.enabled = false; // a switched-off camera leaves the default one
  askAt(5);
  EXPECT_EQ(answer.camera, nullptr);
  // A point of interest or the orientation turns the camera.
  host::Layer &turning = addCamera();
  // From the left of the composition's centre, looking right along +x.
  turning.camera->position = host::ParamStream(vec(-100, 50, 0));
  turning.camera->pointOfInterest = host::ParamStream(vec(100, 50, 0));
  askAt(0);
  // Camera x (right on screen) is the composition's -z, y stays down, z is +x.
  expectRows({{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}});
  EXPECT_DOUBLE_EQ(answer.matrix.mat[3][0], -100);
  // Looking straight down keeps x along the composition's x.
  turning.camera->pointOfInterest = host::ParamStream(vec(-100, 500, 0));
  askAt(0);
  expectRows({{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}});
  // Without a point of interest, the orientation turns about x, then y, then z.
  turning.camera->aimed = false;
  turning.camera->orientation = host::ParamStream(vec(0, 90, 0));
  askAt(0);
  expectRows({{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}});
  turning.camera->orientation = host::ParamStream(vec(90, 0, 90));
  askAt(0);
  // x turns to +y; y turns to +z under X and stays there under Z; z turns to
  // -y under X, then to +x under Z.
  expectRows({{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}});
}

} // namespace
