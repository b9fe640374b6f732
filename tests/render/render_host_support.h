// A fake host for the Render effect's tests: the effect API's records and
// callbacks, the suites the Render effect acquires, a layer whose effects
// answer PF_Cmd_COMPLETELY_GENERAL like builders and instances would, image
// buffers, fills and an iterate suite that runs iterations on real threads
// in a shuffled order. Failures can be switched on per call.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "PF_Masks.h"
#include "flash/flash_design.h"
#include "flash/petal_layout.h"
#include "flash/shape_curve.h"
#include "frame/suite_registry_support.h"
#include "instance/instance_record.h"

namespace vlam_render_test {

// One effect on the fake layer.
struct LayerEffect {
  std::string matchName;
  bool active = true;
  // Called for PF_Cmd_COMPLETELY_GENERAL with the extra pointer and the time.
  std::function<void(void *extra, const A_Time &time)> answer;
  A_Err callError = A_Err_NONE;   // what the call returns
  A_Err flagsError = A_Err_NONE;  // what AEGP_GetEffectFlags returns
};

// A float, 16-bit or 8-bit image owned by the test.
struct TestImage {
  TestImage(A_long width, A_long height, PF_PixelFormat format);
  TestImage(const TestImage &) = delete;
  TestImage &operator=(const TestImage &) = delete;
  // New size and format, every byte zero.
  void Reset(A_long width, A_long height, PF_PixelFormat format);
  A_long width = 0, height = 0;
  PF_PixelFormat format = PF_PixelFormat_ARGB128;
  std::vector<unsigned char> bytes;
  PF_EffectWorld world{};
};

template <typename Pixel>
Pixel *PixelPtr(const PF_EffectWorld &w, A_long x, A_long y) {
  return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) + static_cast<std::ptrdiff_t>(y) * w.rowbytes) + x;
}
// Pixel (x, y) of a float, 16-bit or 8-bit image read as float channels
// (8-bit / 255, 16-bit / 32768), or written from them.
PF_PixelFloat GetPixel(const TestImage &image, A_long x, A_long y);
void SetPixel(TestImage &image, A_long x, A_long y, const PF_PixelFloat &p);
// The channels of a float buffer's pixels row by row: alpha, red, green and
// blue of each.
std::vector<float> FloatPixels(const PF_EffectWorld &world);
// Red, green and blue of all pixels of FloatPixels summed.
double TotalLight(const std::vector<float> &pixels);

class RenderTestHost {
 public:
  RenderTestHost();
  ~RenderTestHost();
  RenderTestHost(const RenderTestHost &) = delete;
  RenderTestHost &operator=(const RenderTestHost &) = delete;

  static RenderTestHost &Current();

  // Injected failures: a suite function's name, or its name, a space and the
  // 0-based index or call number it fails at ("add_param 6", "dispose_world
  // 2"), to the error it answers. Named here: add_param, checkout_param,
  // AEGP_GetLayerNumEffects, AEGP_GetLayerEffectByIndex, AEGP_DisposeEffect,
  // AEGP_GetNewEffectStreamByIndex, AEGP_RegisterWithAEGP, new_world,
  // dispose_world (frees the buffer all the same), checkout_layer_pixels
  // (the input) and PF_CheckoutPath.
  std::map<std::string, A_Err> errors;
  A_Err Injected(const std::string &name, int at = -1) const;

  vlam_test::FakeSuiteRegistry registry;
  PF_InData in_data{};
  PF_OutData out_data{};
  PF_UtilCallbacks utils{};

  // --- parameters ---------------------------------------------------------
  std::vector<PF_ParamDef> params;  // handed out by checkout, by index
  std::vector<PF_ParamDef> added;   // definitions added at PARAMS_SETUP
  int checkouts = 0, checkins = 0;
  std::vector<A_long> checkoutOrder;  // parameter indices
  std::vector<A_long> checkinOrder;   // disk ids of the definitions checked in
  // Fills `params` with the definitions the effect adds (its defaults).
  void UseDefaultParams(const std::vector<PF_ParamDef> &defs);

  // --- the layer and its effects ----------------------------------------
  std::vector<LayerEffect> effects;
  // Effects answering as the real ones do: the Render effect, a builder
  // writing *design into slot 0, an instance writing `record`.
  void AddRenderEffect();
  void AddBuilder(const vlam::FlashDesign *design);
  void AddInstance(const vlam::InstanceRecord &record);
  int liveEffectRefs = 0, effectRefsMade = 0, calls = 0;
  std::vector<A_Time> callTimes;

  // --- streams ----------------------------------------------------------
  std::map<PF_ParamIndex, bool> hidden;  // last hidden flag set per index
  int liveStreams = 0;

  // --- registration: the plug-in ID given is 77 ----------------------------
  std::string registeredName;

  // --- handles ----------------------------------------------------------
  bool failNewHandle = false;
  bool failLockHandle = false;
  int liveHandles = 0;
  int disposedLocked = 0;  // handles freed while still locked
  int LockCount(PF_Handle h) const;  // locks not yet undone

  // --- image buffers ------------------------------------------------------
  struct WorldInfo {
    A_long width, height;
    PF_PixelFormat format;
  };
  std::vector<WorldInfo> worldsMade;
  A_long firstWorldOriginY = 0;  // origin_y of the first buffer the effect makes
  int liveWorlds = 0;
  int disposals = 0;
  // Float pixels of every buffer the effect disposed, in disposal order.
  std::vector<std::vector<float>> disposedFloatWorlds;
  std::map<const PF_EffectWorld *, PF_PixelFormat> formats;  // buffers the test owns

  // --- threads ------------------------------------------------------------
  A_long threads = 2;
  std::uint32_t shuffleSeed = 1;
  A_Err iterateError = A_Err_NONE;  // what AEGP_IterateGeneric answers after running
  int iterateCalls = 0;

  // --- abort ----------------------------------------------------------------
  PF_Err abortAnswer = PF_Err_NONE;
  int abortAfter = -1;  // answer abortAnswer from this many calls on (-1: never)
  int abortCalls = 0;

  // --- smart render ---------------------------------------------------------
  TestImage input;
  TestImage output;
  TestImage *grain = nullptr;  // "Grain Layer" pixels; null: none chosen
  PF_SmartRenderInput smartInput{};
  PF_SmartRenderCallbacks smartCallbacks{};
  PF_SmartRenderExtra smartExtra{};
  std::vector<A_long> pixelCheckouts, pixelCheckins;
  // Makes the input and output images of this size and format.
  void SetImages(A_long width, A_long height, PF_PixelFormat format);

  // --- transforms, mask paths and layer masks --------------------------------
  struct TransformCall {
    A_long count;
    PF_FloatMatrix first, last;
    PF_XferMode xfer;
    A_u_short opacity16;
    PF_ModeFlags flags;
    PF_Rect dest;
  };
  std::vector<TransformCall> transforms;
  std::vector<PF_PathID> pathCheckouts, pathCheckins;  // successful checkouts
  int pathCheckoutAttempts = 0;
  double maskFeather[2] = {0.0, 0.0};
  int liveMasks = 0, liveStreamValues = 0;
  // Opacity and feather x of each PF_MaskWorldWithPath.
  std::vector<std::pair<double, double>> mattes;

  // --- parameter values and interface ---------------------------------------
  // Parameter UI changes in call order: "ui <index> <ui_flags>" for
  // PF_UpdateParamUI, "stream <index> <flag> <set>" for dynamic stream flags.
  std::vector<std::string> uiCalls;
  PF_ParamIndex failUiAtIndex = -1;  // PF_UpdateParamUI of this index fails

  // Suite tables.
  PF_HandleSuite1 handleSuite{};
  AEGP_PFInterfaceSuite1 pfInterfaceSuite{};
  AEGP_EffectSuite3 effectSuite{};
  AEGP_StreamSuite4 streamSuite{};
  AEGP_StreamSuite3 streamSuite3{};  // the same functions under the earlier version
  AEGP_DynamicStreamSuite3 dynamicStreamSuite{};
  AEGP_UtilitySuite5 utilitySuite{};
  AEGP_LayerSuite7 layerSuite{};
  AEGP_CompSuite9 compSuite{};
  AEGP_ItemSuite8 itemSuite{};
  AEGP_IterateSuite1 iterateSuite{};
  PF_WorldSuite2 worldSuite{};
  PF_FillMatteSuite2 fillSuite{};
  PF_WorldTransformSuite1 transformSuite{};
  PF_PathQuerySuite1 pathQuerySuite{};
  PF_PathDataSuite1 pathDataSuite{};
  PF_MaskSuite1 maskWorldSuite{};
  AEGP_MaskSuite5 layerMaskSuite{};
  PF_ColorParamSuite1 colourSuite{};
  PF_ParamUtilsSuite3 paramUtils{};
};

// A float buffer owned by a test, each row `padPixels` longer than the image
// so that code which ignores the row stride shows up; alpha starts at `alpha`.
class FloatWorld {
 public:
  FloatWorld(A_long width, A_long height, A_long padPixels = 0, float alpha = 1.0f);
  PF_EffectWorld &World() { return world_; }
  PF_PixelFloat &At(A_long x, A_long y) { return storage_[y * stride_ + x]; }
  double SumRgb() const;        // every pixel's red, green and blue summed
  bool AlphaUntouched() const;  // every alpha still as made
  std::vector<unsigned char> Bytes() const;  // visible pixels row by row

 private:
  std::vector<PF_PixelFloat> storage_;
  PF_EffectWorld world_{};
  A_long stride_;
  float alpha_;
};

// The camera matrix the host reports for a composition without a camera
// layer: no rotation, placed over the centre at the distance where the
// layer plane is seen one to one.
A_Matrix4 DefaultCameraMatrix(double width, double height, double zoom);

// The curves and petal layout a design points at, owned by the test.
struct DesignStorage {
  DesignStorage();
  vlam::ShapeCurve mainCurve;
  vlam::ShapeCurve petalCurve;
  vlam::PetalLayout noPetals{};
  vlam::PetalLayout threeStar{};  // 0, 120, 240 degrees
};

// The builder's defaults: length 250, diameter 0.5, no petals, no sparks,
// no randomisation.
vlam::FlashDesign DefaultDesign(const DesignStorage &storage);

// A firing instance at (x, y, 0) pointing along the layer's x axis, with the
// instance's defaults: seed 1024, randomness 1, brightness 1, post scale 1.
vlam::InstanceRecord FiringInstance(double x, double y);

PF_Err CallRender(PF_Cmd cmd, RenderTestHost &host, void *extra = nullptr,
                  PF_ParamDef **params = nullptr);

}  // namespace vlam_render_test
