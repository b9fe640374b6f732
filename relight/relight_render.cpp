#include "relight/relight_render.h"

#include <initializer_list>

#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "flash/brushes.h"
#include "frame/comp_camera_host.h"
#include "frame/host_error.h"
#include "frame/param_checkout.h"
#include "frame/param_value_suites.h"
#include "frame/scoped_suite.h"
#include "instance/exchange_block.h"
#include "relight/light_list.h"
#include "relight/relight_geometry.h"
#include "relight/relight_pixels.h"
#include "relight/relighter_params.h"
#include "render/flash_collector.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr A_long kInputCheckout = 0;
constexpr A_long kMatteCheckout = 1;

// The input, the matte and the output; the layers are checked in again when
// the object ends, on every path.
class RelightLayers {
 public:
  RelightLayers(const PF_InData *in_data, PF_SmartRenderExtra *extra)
      : in_data_(in_data), extra_(extra) {}
  ~RelightLayers() { CheckIn(); }
  RelightLayers(const RelightLayers &) = delete;
  RelightLayers &operator=(const RelightLayers &) = delete;

  PF_Err Checkout() {
    PF_Err err = extra_->cb->checkout_layer_pixels(in_data_->effect_ref, kInputCheckout, &input_);
    inputOut_ = err == PF_Err_NONE;
    if (err == PF_Err_NONE) {
      err = extra_->cb->checkout_layer_pixels(in_data_->effect_ref, kMatteCheckout, &matte_);
      matteOut_ = err == PF_Err_NONE;
      if (!matteOut_) matte_ = nullptr;
    }
    if (err == PF_Err_NONE) err = extra_->cb->checkout_output(in_data_->effect_ref, &output_);
    if (err == PF_Err_NONE && (input_ == nullptr || output_ == nullptr)) {
      err = PF_Err_BAD_CALLBACK_PARAM;
    }
    return err;
  }

  // The matte, then the input; the first error is returned.
  PF_Err CheckIn() {
    PF_Err err = PF_Err_NONE;
    if (matteOut_) {
      matteOut_ = false;
      matte_ = nullptr;
      err = extra_->cb->checkin_layer_pixels(in_data_->effect_ref, kMatteCheckout);
    }
    if (inputOut_) {
      inputOut_ = false;
      KeepFirstError(err, extra_->cb->checkin_layer_pixels(in_data_->effect_ref, kInputCheckout));
    }
    return err;
  }

  // The output becomes the input, byte for byte.
  PF_Err PassThrough() const {
    return in_data_->utils->copy(in_data_->effect_ref, input_, output_, nullptr, nullptr);
  }

  PF_EffectWorld *input() const { return input_; }
  PF_EffectWorld *matte() const { return matte_; }
  PF_EffectWorld *output() const { return output_; }

 private:
  const PF_InData *in_data_;
  PF_SmartRenderExtra *extra_;
  PF_EffectWorld *input_ = nullptr;
  PF_EffectWorld *matte_ = nullptr;
  PF_EffectWorld *output_ = nullptr;
  bool inputOut_ = false;
  bool matteOut_ = false;
};

bool LayerCarriesRender(const ExchangeBlock &block) {
  return reinterpret_cast<const unsigned char *>(&block.table.head)[0] != 0;
}

// The first error of reading a parameter goes to *err.
LightSettings ReadLightSettings(const PF_InData *in_data, const RelightGeometry &geometry,
                                PF_Err *err) {
  const ParamValueSuites suites(in_data);
  const ParamCheckout useFlash(in_data, kRelightUseFlashColour);
  const ParamCheckout colour(in_data, kRelightColour);
  const ParamCheckout spread(in_data, kRelightSpread);
  const ParamCheckout gain(in_data, kRelightGain);
  const ParamCheckout ambient(in_data, kRelightAmbient);
  LightSettings s;
  s.useFlashColour = useFlash.CheckboxValue();
  s.relightColour = colour.ColorValue(suites);
  s.spread = spread.FloatValue();
  s.gain = gain.FloatValue();
  s.ambient = ambient.FloatValue();
  s.bufferScale = geometry.bufferScale;
  s.pixelAspect = geometry.pixelAspect;
  s.halfWidth = geometry.halfWidth;
  s.halfHeight = geometry.halfHeight;
  *err = PF_Err_NONE;
  for (const ParamCheckout *checkout : {&useFlash, &colour, &spread, &gain, &ambient}) {
    KeepFirstError(*err, checkout->error());
  }
  return s;
}

// Each light's position seen through the camera, as a soft blob in the
// reduced buffer; the host's error when the camera cannot be read.
PF_Err SplatLights(const PF_InData *in_data, const RelightLights &lights,
                   const RelightGeometry &geometry, WorldBuffer &buffer) {
  A_Err err = A_Err_NONE;
  const CompCamera camera = BuildCompCamera(in_data, &err);
  if (err != A_Err_NONE) return err;
  const Matrix4 viewAndTranslation =
      Matrix4::Product(ViewTranslation(camera), ViewRotation(camera));
  const PF_EffectWorld &world = buffer.World();
  const double bx = world.width * 0.5 * geometry.downsample - world.origin_x;
  const double by = world.height * 0.5 * geometry.downsample - world.origin_y;
  const RasterTarget target = RasterTarget::Whole(world);
  for (int n = 0; n < lights.count; ++n) {
    const RelightLight &light = lights.lights[n];
    Matrix4 place = Matrix4::Identity();
    place.SetTranslation(light.position[0], light.position[1], light.position[2]);
    Vec3f origin;
    origin.Zero();
    origin.Transform(Matrix4::Product(place, viewAndTranslation));
    const CameraProjection p = Project(camera, origin);
    const float x = static_cast<float>((p.sx * geometry.bufferScale + bx) * geometry.scale);
    const float y = static_cast<float>((p.sy * geometry.bufferScale + by) * geometry.scale);
    SoftBrush(target, TruncToPixel(x), TruncToPixel(y),
              TruncToPixel(light.diameter * geometry.scale), light.colour, 1.0f);
  }
  return PF_Err_NONE;
}

PF_Err IteratePixels(PF_InData *in_data, const RelightLayers &layers, RelightPixelContext &ctx) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  PF_EffectWorld *input = layers.input();
  PF_EffectWorld *output = layers.output();
  const A_long rows = output->height;
  switch (ctx.format) {
    case PF_PixelFormat_ARGB32: {
      ScopedSuite<PF_Iterate8Suite1> it(basic, kPFIterate8Suite, kPFIterate8SuiteVersion1);
      return it->iterate(in_data, 0, rows, input, nullptr, &ctx, RelightPixel8, output);
    }
    case PF_PixelFormat_ARGB64: {
      ScopedSuite<PF_iterate16Suite1> it(basic, kPFIterate16Suite, kPFIterate16SuiteVersion1);
      return it->iterate(in_data, 0, rows, input, nullptr, &ctx, RelightPixel16, output);
    }
    case PF_PixelFormat_ARGB128: {
      ScopedSuite<PF_iterateFloatSuite1> it(basic, kPFIterateFloatSuite,
                                            kPFIterateFloatSuiteVersion1);
      return it->iterate(in_data, 0, rows, input, nullptr, &ctx, RelightPixelFloat, output);
    }
    default:
      return PF_Err_BAD_CALLBACK_PARAM;
  }
}

// From the light buffer to the output, once there is something to show.
PF_Err LightTheLayer(PF_InData *in_data, const RelightLayers &layers, RelightLights &lights,
                     const RelightGeometry &geometry, WorldBuffer &lightBuffer,
                     bool mattePreview) {
  PF_Err err = SplatLights(in_data, lights, geometry, lightBuffer);
  if (err != PF_Err_NONE) return err;

  PF_EffectWorld *output = layers.output();
  WorldBuffer illumination;
  err = illumination.Create(in_data, output->width, output->height,
                                   PF_PixelFormat_ARGB128, "ILLUM_WORLD");
  if (err == PF_Err_NONE) err = illumination.CopyFrom(&lightBuffer.World(), nullptr, nullptr);

  const ParamCheckout crush(in_data, kRelightCrush);
  const ParamCheckout invert(in_data, kRelightInvert);
  RelightPixelContext ctx{};
  if (err == PF_Err_NONE) {
    ScopedSuite<PF_WorldSuite2> worlds(in_data->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
    err = worlds->PF_GetPixelFormat(output, &ctx.format);
  }
  if (lights.count > 0) ScaleInPlace(lights.ambient, 1.0 / lights.count);

  if (err == PF_Err_NONE) {
    const PF_EffectWorld *matte = layers.matte();
    ctx.matte = matte;
    ctx.illumination = &illumination.World();
    ctx.ambient = &lights.ambient;
    ctx.matteRect = PF_Rect{matte->origin_x, matte->origin_y, matte->origin_x + matte->width,
                            matte->origin_y + matte->height};
    ctx.crush = static_cast<float>(crush.FloatValue() * 0.0033333333333333335);
    ctx.invert = invert.CheckboxValue();
    ctx.mattePreview = mattePreview;
    err = IteratePixels(in_data, layers, ctx);
  }
  KeepFirstError(err, illumination.Release());
  return err;
}

// Everything after the layers were checked out.
PF_Err Relight(PF_InData *in_data, PF_OutData *out_data, const RelightLayers &layers) {
  if (layers.matte() == nullptr) return layers.PassThrough();

  ExchangeBlock block;
  ClearExchangeBlock(block);
  PF_Err err = CollectFlashes(in_data, out_data, block, kRelightCollecting);
  if (err != PF_Err_NONE) return err;
  if (!LayerCarriesRender(block)) return layers.PassThrough();

  const RelightGeometry geometry = ComputeRelightGeometry(*in_data);
  WorldBuffer lightBuffer;
  err = lightBuffer.Create(in_data, geometry.bufferWidth, geometry.bufferHeight,
                           PF_PixelFormat_ARGB128, "RELIGHT_FLASH");
  if (err == PF_Err_NONE) {
    const LightSettings settings = ReadLightSettings(in_data, geometry, &err);
    if (err != PF_Err_NONE) {
      KeepFirstError(err, lightBuffer.Release());
      return err;
    }
    RelightLights lights = BuildLights(block, settings);
    const ParamCheckout view(in_data, kRelightView);
    const bool mattePreview = view.PopupValue() == kRelightViewMattePreview;
    if (mattePreview || lights.count > 0) {
      err = LightTheLayer(in_data, layers, lights, geometry, lightBuffer, mattePreview);
    } else {
      err = layers.PassThrough();
    }
  }
  KeepFirstError(err, lightBuffer.Release());
  return err;
}

}  // namespace

PF_Err RelightSmartRender(PF_InData *in_data, PF_OutData *out_data, PF_SmartRenderExtra *extra) {
  RelightLayers layers(in_data, extra);
  PF_Err err = layers.Checkout();
  if (err == PF_Err_NONE) err = Relight(in_data, out_data, layers);
  KeepFirstError(err, layers.CheckIn());
  return err;
}

}  // namespace vlam
