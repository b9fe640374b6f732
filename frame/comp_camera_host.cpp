#include "frame/comp_camera_host.h"

#include "AE_GeneralPlug.h"
#include "frame/scoped_suite.h"

namespace vlam {

namespace {

// A ratio the host could hand back broken (zero denominator, non-positive or
// non-finite value) would spread infinities through every projection.
double RatioOrOne(A_long num, A_u_long den) {
  if (den == 0) {
    return 1.0;
  }
  const double ratio = static_cast<double>(num) / static_cast<double>(den);
  return ratio > 0.0 ? ratio : 1.0;
}

struct CameraLens {
  double zoom = 0.0;
  double filmSize = 0.0;
  AEGP_FilmSizeUnits units = AEGP_FilmSizeUnits_NONE;
};

// Zoom and film size of a camera layer; false when either cannot be read.
bool ReadCameraLens(const SPBasicSuite *basic, AEGP_LayerH cameraLayer, const A_Time &compTime,
                    CameraLens *lens) {
  ScopedSuite<AEGP_StreamSuite4> streams(basic, kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
  ScopedSuite<AEGP_CameraSuite2> cameras(basic, kAEGPCameraSuite, kAEGPCameraSuiteVersion2);
  AEGP_StreamVal2 zoom{};
  AEGP_StreamType type = AEGP_StreamType_NO_DATA;
  A_Err err = streams->AEGP_GetLayerStreamValue(
      cameraLayer, AEGP_LayerStream_ZOOM, AEGP_LTimeMode_CompTime, &compTime, false, &zoom, &type);
  if (err == A_Err_NONE) {
    lens->zoom = zoom.one_d;
    err = cameras->AEGP_GetCameraFilmSize(cameraLayer, &lens->units, &lens->filmSize);
  }
  return err == A_Err_NONE;
}

}  // namespace

double GetCompPixelAspect(const PF_InData *in_data, A_Err *errOut) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  ScopedSuite<AEGP_PFInterfaceSuite1> pfInterface(basic, kAEGPPFInterfaceSuite,
                                                  kAEGPPFInterfaceSuiteVersion1);
  ScopedSuite<AEGP_LayerSuite7> layers(basic, kAEGPLayerSuite, kAEGPLayerSuiteVersion7);
  ScopedSuite<AEGP_CompSuite9> comps(basic, kAEGPCompSuite, kAEGPCompSuiteVersion9);
  ScopedSuite<AEGP_ItemSuite8> items(basic, kAEGPItemSuite, kAEGPItemSuiteVersion8);

  AEGP_LayerH layer = nullptr;
  AEGP_CompH comp = nullptr;
  AEGP_ItemH item = nullptr;
  A_Ratio ratio{1, 1};
  A_Err err = pfInterface->AEGP_GetEffectLayer(in_data->effect_ref, &layer);
  // A handle the host did not give stops the chain like an error would.
  if (err == A_Err_NONE && layer != nullptr) {
    err = layers->AEGP_GetLayerParentComp(layer, &comp);
  }
  if (err == A_Err_NONE && comp != nullptr) {
    err = comps->AEGP_GetItemFromComp(comp, &item);
  }
  if (err == A_Err_NONE && item != nullptr) {
    err = items->AEGP_GetItemPixelAspectRatio(item, &ratio);
    if (err != A_Err_NONE) {
      ratio = A_Ratio{1, 1};
    }
  }
  if (errOut != nullptr) {
    *errOut = err;
  }
  return RatioOrOne(ratio.num, ratio.den);
}

CompCamera BuildCompCamera(const PF_InData *in_data, A_Err *errOut) {
  A_Err err = A_Err_NONE;
  const double compAspect = GetCompPixelAspect(in_data, &err);
  const double layerAspect =
      RatioOrOne(in_data->pixel_aspect_ratio.num, in_data->pixel_aspect_ratio.den);
  const double width = in_data->width;
  const double height = in_data->height;

  const SPBasicSuite *basic = in_data->pica_basicP;
  ScopedSuite<AEGP_PFInterfaceSuite1> pfInterface(basic, kAEGPPFInterfaceSuite,
                                                  kAEGPPFInterfaceSuiteVersion1);
  A_Time compTime{0, 1};
  AEGP_LayerH cameraLayer = nullptr;
  A_Matrix4 hostMatrix{};
  if (err == A_Err_NONE) {
    err = pfInterface->AEGP_ConvertEffectToCompTime(in_data->effect_ref, in_data->current_time,
                                                    in_data->time_scale, &compTime);
  }
  if (err == A_Err_NONE) {
    err = pfInterface->AEGP_GetEffectCamera(in_data->effect_ref, &compTime, &cameraLayer);
  }
  if (err == A_Err_NONE) {
    A_FpLong distanceToPlane = 0.0;
    A_short planeWidth = 0;
    A_short planeHeight = 0;
    err = pfInterface->AEGP_GetEffectCameraMatrix(in_data->effect_ref, &compTime, &hostMatrix,
                                                  &distanceToPlane, &planeWidth, &planeHeight);
  }
  if (errOut != nullptr) {
    *errOut = err;
  }
  if (err != A_Err_NONE) {
    // Nothing read is trusted: the default camera with the identity matrix.
    return MakeCompCamera(width, height, layerAspect, compAspect, nullptr, false);
  }

  const Matrix4 matrix = Matrix4::FromHost(hostMatrix);
  CompCamera camera =
      MakeCompCamera(width, height, layerAspect, compAspect, &matrix, cameraLayer != nullptr);
  CameraLens lens;
  if (cameraLayer != nullptr && ReadCameraLens(basic, cameraLayer, compTime, &lens)) {
    ApplyCameraLayerLens(camera, lens.zoom, lens.filmSize, lens.units, height);
  }
  return camera;
}

}  // namespace vlam
