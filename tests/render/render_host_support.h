// The Render effect's tests' host: the module's fake host with image
// buffers, pixels and the builders and instances of the effect's layer.
#pragma once
#include <map>
#include <utility>
#include <vector>

#include "flash/flash_design.h"
#include "flash/petal_layout.h"
#include "flash/shape_curve.h"
#include "frame/fake_host_support.h"
#include "instance/instance_record.h"

namespace vlam_render_test {

using vlam_test::LayerEffect;

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

// The module's fake host with what the Render, Relighter and builder tests
// need beyond it: image buffers with real pixels, fills, world transforms,
// mask paths and layer masks, a copy that copies, the layer's effects as
// builders and instances answering, and the default camera.
class RenderTestHost : public vlam_test::FakeEffectHost {
 public:
  RenderTestHost();
  ~RenderTestHost() override;

  static RenderTestHost &Current();

  // --- parameters: fills `values` with the definitions the effect adds ----
  void UseDefaultParams(const std::vector<PF_ParamDef> &defs);

  // --- the effect's own layer and its effects -------------------------------
  std::vector<vlam_test::LayerEffect> &effects;
  // Effects answering as the real ones do: the Render effect, a builder
  // writing *design into slot 0, an instance writing `record`.
  void AddRenderEffect();
  void AddBuilder(const vlam::FlashDesign *design);
  void AddInstance(const vlam::InstanceRecord &record);

  // --- image buffers: "new_world" fails by name, "dispose_world N" by the
  // number of the disposal (it frees the buffer all the same) ---------------
  struct WorldInfo { A_long width, height; PF_PixelFormat format; };
  std::vector<WorldInfo> worldsMade;
  A_long firstWorldOriginY = 0;  // origin_y of the first buffer the effect makes
  int liveWorlds = 0;
  int disposals = 0;
  // Float pixels of every buffer the effect disposed, in disposal order.
  std::vector<std::vector<float>> disposedFloatWorlds;
  std::map<const PF_EffectWorld *, PF_PixelFormat> formats;  // buffers the test owns

  // --- smart render: the input is checkout 0 ("checkout_layer_pixels 0") ---
  TestImage input;
  TestImage output;
  TestImage *grain = nullptr;  // "Grain Layer" pixels; null: none chosen
  // Makes the input and output images of this size and format.
  void SetImages(A_long width, A_long height, PF_PixelFormat format);
  PF_EffectWorld *LayerPixels(A_long id) override;
  PF_EffectWorld *OutputWorld() override { return &output.world; }

  // --- transforms, mask paths ("PF_CheckoutPath" fails) and layer masks -----
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
  double maskOpacity = 100.0;  // percent
  int liveMasks = 0, liveStreamValues = 0;
  // Opacity and feather x of each PF_MaskWorldWithPath.
  std::vector<std::pair<double, double>> mattes;
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
