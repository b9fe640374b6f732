#include "render/render_host_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <tuple>

#include <gtest/gtest.h>

#include "PF_Masks.h"
#include "flash/default_curves.h"
#include "frame/effect_entries.h"
#include "instance/exchange_block.h"
#include "render/pixel_convert.h"
#include "render/render_commands.h"

// Suite tables and records name only the fields the tests need; the rest are
// zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vlam_render_test {

namespace {

RenderTestHost &H() { return RenderTestHost::Current(); }

std::size_t PixelBytes(PF_PixelFormat format) {
  return format == PF_PixelFormat_ARGB128 ? 16 : format == PF_PixelFormat_ARGB64 ? 8 : 4;
}

// Rows carry a few bytes of padding, as host buffers may.
constexpr A_long kRowPadding = 16;

void MakeWorld(PF_EffectWorld &world, std::vector<unsigned char> &bytes, A_long width,
               A_long height, PF_PixelFormat format) {
  const A_long rowbytes = width * static_cast<A_long>(PixelBytes(format)) + kRowPadding;
  bytes.assign(static_cast<std::size_t>(rowbytes) * static_cast<std::size_t>(std::max(height, 1)),
               0);
  std::memset(&world, 0, sizeof world);
  world.data = reinterpret_cast<PF_PixelPtr>(bytes.data());
  world.rowbytes = rowbytes;
  world.width = width;
  world.height = height;
  world.extent_hint = {0, 0, width, height};
  world.pix_aspect_ratio = {1, 1};
}

float *FloatAt(const PF_EffectWorld *w, A_long x, A_long y) {
  return &PixelPtr<PF_PixelFloat>(*w, x, y)->alpha;
}

bool IsFloat(const PF_EffectWorld *w) {
  const auto it = H().formats.find(w);
  return it != H().formats.end() && it->second == PF_PixelFormat_ARGB128;
}

// Nearest-neighbour copy of a float source rectangle onto a destination
// rectangle of another size, as the host's resampling copy would.
void ResampleCopy(const PF_EffectWorld *src, PF_EffectWorld *dst, const PF_Rect &s,
                  const PF_Rect &d) {
  const double scaleX = static_cast<double>(s.right - s.left) / (d.right - d.left);
  const double scaleY = static_cast<double>(s.bottom - s.top) / (d.bottom - d.top);
  for (A_long y = std::max<A_long>(d.top, 0); y < std::min(d.bottom, dst->height); ++y) {
    const A_long sy = s.top + static_cast<A_long>((y - d.top + 0.5) * scaleY);
    for (A_long x = std::max<A_long>(d.left, 0); x < std::min(d.right, dst->width); ++x) {
      const A_long sx = s.left + static_cast<A_long>((x - d.left + 0.5) * scaleX);
      if (sx < 0 || sy < 0 || sx >= src->width || sy >= src->height) continue;
      std::memcpy(FloatAt(dst, x, y), FloatAt(src, sx, sy), 16);
    }
  }
}

PF_Err Copy(PF_ProgPtr, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect,
            PF_Rect *dstRect) {
  if (srcRect != nullptr && dstRect != nullptr && IsFloat(src) && IsFloat(dst)) {
    if (dstRect->right > dstRect->left && dstRect->bottom > dstRect->top)
      ResampleCopy(src, dst, *srcRect, *dstRect);
    return PF_Err_NONE;
  }
  const auto bytes = static_cast<std::size_t>(std::min(src->rowbytes, dst->rowbytes));
  for (A_long y = 0; y < std::min(src->height, dst->height); ++y)
    std::memcpy(PixelPtr<char>(*dst, 0, y), PixelPtr<char>(*src, 0, y), bytes);
  return PF_Err_NONE;
}

// --- camera, masks --------------------------------------------------------

// The default camera: looking down +z at the layer from the default lens's
// distance, centred on it.
A_Err GetCameraMatrix(PF_ProgPtr, const A_Time *, A_Matrix4 *matrix, A_FpLong *, A_short *,
                      A_short *) {
  const PF_InData &in = H().in_data;
  const double width = in.width * static_cast<double>(in.pixel_aspect_ratio.num) /
                       static_cast<double>(in.pixel_aspect_ratio.den);
  *matrix = DefaultCameraMatrix(width, in.height, (141.7325 / 102.0474) * width);
  return A_Err_NONE;
}

// --- image buffers -----------------------------------------------------------------

std::map<const PF_EffectWorld *, std::vector<unsigned char>> g_worlds;

PF_Err NewWorld(PF_ProgPtr, A_long width, A_long height, PF_Boolean, PF_PixelFormat format,
                PF_EffectWorld *world) {
  if (const A_Err err = H().Injected("new_world")) return err;
  MakeWorld(*world, g_worlds[world], width, height, format);
  H().formats[world] = format;
  H().worldsMade.push_back({width, height, format});
  if (H().worldsMade.size() == 1) world->origin_y = H().firstWorldOriginY;
  ++H().liveWorlds;
  return PF_Err_NONE;
}

PF_Err DisposeWorld(PF_ProgPtr, PF_EffectWorld *world) {
  const auto it = g_worlds.find(world);
  if (it == g_worlds.end()) return PF_Err_BAD_CALLBACK_PARAM;
  if (H().formats[world] == PF_PixelFormat_ARGB128)
    H().disposedFloatWorlds.push_back(FloatPixels(*world));
  H().formats.erase(world);
  g_worlds.erase(it);
  --H().liveWorlds;
  std::memset(world, 0, sizeof *world);
  return H().Injected("dispose_world", std::to_string(H().disposals++));
}

PF_Err GetPixelFormat(const PF_EffectWorld *world, PF_PixelFormat *format) {
  const auto it = H().formats.find(world);
  if (it == H().formats.end()) return PF_Err_BAD_CALLBACK_PARAM;
  *format = it->second;
  return PF_Err_NONE;
}

template <typename Pixel>
PF_Err Fill(PF_ProgPtr, const Pixel *colour, const PF_Rect *rect, PF_EffectWorld *world) {
  const PF_Rect r = rect ? *rect : PF_Rect{0, 0, world->width, world->height};
  for (A_long y = std::max<A_long>(r.top, 0); y < std::min(r.bottom, world->height); ++y)
    for (A_long x = std::max<A_long>(r.left, 0); x < std::min(r.right, world->width); ++x)
      *PixelPtr<Pixel>(*world, x, y) = *colour;
  return PF_Err_NONE;
}

// --- world transform: scales and translations only ---------------------------------

// One source sample for destination pixel (x, y) through a row-vector
// matrix of scale and translation; zero outside the source.
void Sample(const PF_EffectWorld *src, const PF_FloatMatrix &m, A_long x, A_long y, float *sum) {
  const double sx = (x + 0.5 - m.mat[2][0]) / m.mat[0][0];
  const double sy = (y + 0.5 - m.mat[2][1]) / m.mat[1][1];
  const A_long ix = static_cast<A_long>(std::floor(sx));
  const A_long iy = static_cast<A_long>(std::floor(sy));
  if (ix < 0 || iy < 0 || ix >= src->width || iy >= src->height) return;
  const float *p = FloatAt(src, ix, iy);
  for (int c = 1; c < 4; ++c) sum[c] += p[c];
}

PF_FloatMatrix Mix(const PF_FloatMatrix &a, const PF_FloatMatrix &b, double t) {
  PF_FloatMatrix m{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m.mat[r][c] = a.mat[r][c] + (b.mat[r][c] - a.mat[r][c]) * t;
  return m;
}

PF_Err TransformWorld(PF_ProgPtr, PF_Quality, PF_ModeFlags flags, PF_Field,
                      const PF_EffectWorld *src, const PF_CompositeMode *mode,
                      const PF_MaskWorld *, const PF_FloatMatrix *matrices, A_long count,
                      PF_Boolean, const PF_Rect *dest, PF_EffectWorld *dst) {
  RenderTestHost &h = H();
  h.transforms.push_back({count, matrices[0], matrices[count - 1], mode->xfer, mode->opacitySu,
                          flags, *dest});
  // Two or more matrices: the source spread over sub-steps between the first
  // and the last.
  const int steps = count > 1 ? 16 : 1;
  for (A_long y = std::max<A_long>(dest->top, 0); y < std::min(dest->bottom, dst->height); ++y) {
    for (A_long x = std::max<A_long>(dest->left, 0); x < std::min(dest->right, dst->width); ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (int i = 0; i < steps; ++i) {
        const double t = steps > 1 ? static_cast<double>(i) / (steps - 1) : 0.0;
        Sample(src, Mix(matrices[0], matrices[count - 1], t), x, y, sum);
      }
      float *d = FloatAt(dst, x, y);
      for (int c = 1; c < 4; ++c) {
        const float v = sum[c] / steps;
        d[c] = mode->xfer == PF_Xfer_ADD ? d[c] + v * (mode->opacitySu / 32768.0f) : v;
      }
    }
  }
  return PF_Err_NONE;
}

// --- mask paths: one closed or open path that covers the whole frame -----------------

const PF_PathOutlinePtr kPath = reinterpret_cast<PF_PathOutlinePtr>(0x2002);

PF_Err CheckoutPath(PF_ProgPtr, PF_PathID id, A_long, A_long, A_u_long, PF_PathOutlinePtr *path) {
  ++H().pathCheckoutAttempts;
  const PF_Err err = H().Injected("PF_CheckoutPath");
  if (err == PF_Err_NONE) H().pathCheckouts.push_back(id);
  *path = err == PF_Err_NONE ? kPath : nullptr;
  return err;
}
PF_Err CheckinPath(PF_ProgPtr, PF_PathID id, PF_Boolean, PF_PathOutlinePtr) {
  H().pathCheckins.push_back(id);
  return PF_Err_NONE;
}
// The suite takes the checked-out path by address.
A_Err MaskWorldWithPath(PF_ProgPtr, PF_PathOutlinePtr *path, PF_FpLong featherX, PF_FpLong,
                        PF_Boolean, PF_FpLong opacity, PF_Quality, PF_EffectWorld *world,
                        PF_Rect *) {
  if (path == nullptr || *path != kPath) return PF_Err_BAD_CALLBACK_PARAM;
  H().mattes.emplace_back(opacity, featherX);
  const float a = static_cast<float>(opacity);
  const PF_PixelFloat matte{a, a, a, a};
  return Fill<PF_PixelFloat>(nullptr, &matte, nullptr, world);
}

// Mask 0 carries another ID; mask 1 carries ID 5.
A_Err MaskByIndex(AEGP_LayerH, AEGP_MaskIndex index, AEGP_MaskRefH *mask) {
  ++H().liveMasks;
  *mask = reinterpret_cast<AEGP_MaskRefH>(new A_long(index));
  return A_Err_NONE;
}
A_Err DisposeMask(AEGP_MaskRefH mask) {
  --H().liveMasks;
  delete reinterpret_cast<A_long *>(mask);
  return A_Err_NONE;
}
A_Err MaskId(AEGP_MaskRefH mask, AEGP_MaskIDVal *id) {
  *id = *reinterpret_cast<A_long *>(mask) == 1 ? 5 : 999;
  return A_Err_NONE;
}
A_Err NewMaskStream(AEGP_PluginID, AEGP_MaskRefH, AEGP_MaskStream which,
                    AEGP_StreamRefH *stream) {
  *stream = H().NewStream(which);
  return A_Err_NONE;
}
A_Err NewStreamValue(AEGP_PluginID, AEGP_StreamRefH stream, AEGP_LTimeMode, const A_Time *,
                     A_Boolean, AEGP_StreamValue2 *value) {
  ++H().liveStreamValues;
  value->streamH = stream;
  if (RenderTestHost::StreamIndex(stream) == AEGP_MaskStream_FEATHER)
    value->val.two_d = {H().maskFeather[0], H().maskFeather[1]};
  else
    value->val.one_d = H().maskOpacity;
  return A_Err_NONE;
}
A_Err DisposeStreamValue(AEGP_StreamValue2 *) {
  --H().liveStreamValues;
  return A_Err_NONE;
}

// Suite tables of the services above.
PF_WorldSuite2 g_worldSuite{NewWorld, DisposeWorld, GetPixelFormat};
PF_FillMatteSuite2 g_fillSuite{
    .fill = Fill<PF_Pixel>, .fill16 = Fill<PF_Pixel16>, .fill_float = Fill<PF_PixelFloat>};
PF_WorldTransformSuite1 g_transformSuite{.transform_world = TransformWorld};
PF_PathQuerySuite1 g_pathQuerySuite{.PF_CheckoutPath = CheckoutPath,
                                    .PF_CheckinPath = CheckinPath};
// The one path is closed.
PF_PathDataSuite1 g_pathDataSuite{
    .PF_PathIsOpen = [](PF_ProgPtr, PF_PathOutlinePtr, PF_Boolean *open) -> PF_Err {
      *open = false;
      return PF_Err_NONE;
    }};
PF_MaskSuite1 g_maskWorldSuite{.PF_MaskWorldWithPath = MaskWorldWithPath};
// The layer has two masks.
AEGP_MaskSuite5 g_layerMaskSuite{
    .AEGP_GetLayerNumMasks = [](AEGP_LayerH, A_long *count) -> A_Err {
      *count = 2;
      return A_Err_NONE;
    },
    .AEGP_GetLayerMaskByIndex = MaskByIndex, .AEGP_DisposeMask = DisposeMask,
    .AEGP_GetMaskID = MaskId};

}  // namespace

TestImage::TestImage(A_long w, A_long h, PF_PixelFormat f) { Reset(w, h, f); }

void TestImage::Reset(A_long w, A_long h, PF_PixelFormat f) {
  std::tie(width, height, format) = std::tuple(w, h, f);
  MakeWorld(world, bytes, w, h, f);
}

void SetPixel(TestImage &image, A_long x, A_long y, const PF_PixelFloat &p) {
  if (image.format == PF_PixelFormat_ARGB32)
    *PixelPtr<PF_Pixel8>(image.world, x, y) = vlam::ToPixel8(p);
  else if (image.format == PF_PixelFormat_ARGB64)
    *PixelPtr<PF_Pixel16>(image.world, x, y) = vlam::ToPixel16(p);
  else
    *PixelPtr<PF_PixelFloat>(image.world, x, y) = p;
}

std::vector<float> FloatPixels(const PF_EffectWorld &world) {
  std::vector<float> pixels;
  for (A_long y = 0; y < world.height; ++y) {
    const float *row = &PixelPtr<PF_PixelFloat>(world, 0, y)->alpha;
    pixels.insert(pixels.end(), row, row + 4 * world.width);
  }
  return pixels;
}

double TotalLight(const std::vector<float> &pixels) {
  double sum = 0.0;
  for (std::size_t i = 0; i < pixels.size(); i += 4)
    sum += pixels[i + 1] + pixels[i + 2] + pixels[i + 3];
  return sum;
}

PF_PixelFloat GetPixel(const TestImage &image, A_long x, A_long y) {
  if (image.format == PF_PixelFormat_ARGB32) {
    const PF_Pixel8 &p = *PixelPtr<PF_Pixel8>(image.world, x, y);
    return {p.alpha / 255.0f, p.red / 255.0f, p.green / 255.0f, p.blue / 255.0f};
  }
  if (image.format == PF_PixelFormat_ARGB64) {
    const PF_Pixel16 &p = *PixelPtr<PF_Pixel16>(image.world, x, y);
    return {p.alpha / 32768.0f, p.red / 32768.0f, p.green / 32768.0f, p.blue / 32768.0f};
  }
  return *PixelPtr<PF_PixelFloat>(image.world, x, y);
}

RenderTestHost::RenderTestHost()
    : effects(reinterpret_cast<Layer *>(layer)->effects),
      input(8, 6, PF_PixelFormat_ARGB128),
      output(8, 6, PF_PixelFormat_ARGB128) {
  values.clear();
  host_threads = 2;
  utils.copy = Copy;
  in_data.version = PF_SpecVersion{13, 14};
  in_data.quality = PF_Quality_HI;
  in_data.current_time = 48;
  in_data.time_step = 2;
  in_data.time_scale = 48;
  in_data.downsample_x = in_data.downsample_y = {1, 1};
  SetImages(8, 6, PF_PixelFormat_ARGB128);

  Override<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1)
      .AEGP_GetEffectCameraMatrix = GetCameraMatrix;
  const auto addMaskStreams = [](auto &streams) {
    streams.AEGP_GetNewMaskStream = NewMaskStream;
    streams.AEGP_GetNewStreamValue = NewStreamValue;
    streams.AEGP_DisposeStreamValue = DisposeStreamValue;
  };
  addMaskStreams(Override<AEGP_StreamSuite3>(kAEGPStreamSuite, kAEGPStreamSuiteVersion3));
  addMaskStreams(Override<AEGP_StreamSuite4>(kAEGPStreamSuite, kAEGPStreamSuiteVersion4));
  registry.Publish(kPFWorldSuite, kPFWorldSuiteVersion2, &g_worldSuite);
  registry.Publish(kPFFillMatteSuite, kPFFillMatteSuiteVersion2, &g_fillSuite);
  registry.Publish(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1, &g_transformSuite);
  registry.Publish(kPFPathQuerySuite, kPFPathQuerySuiteVersion1, &g_pathQuerySuite);
  registry.Publish(kPFPathDataSuite, kPFPathDataSuiteVersion1, &g_pathDataSuite);
  registry.Publish(kPF_MaskSuite, kPF_MaskSuiteVersion1, &g_maskWorldSuite);
  registry.Publish(kAEGPMaskSuite, kAEGPMaskSuiteVersion5, &g_layerMaskSuite);
}

RenderTestHost::~RenderTestHost() {
  EXPECT_EQ(handles.disposedLocked, 0) << "handles disposed while still locked";
  // Whatever a test did, the effect gave back every buffer, reference, suite
  // and parameter it took. Handles an effect still holds go with the host, as
  // a plug-in's do when the real host quits; tests that check for leaks read
  // LiveHandles before this.
  EXPECT_EQ(liveWorlds, 0) << "buffers left undisposed";
  EXPECT_EQ(liveEffectRefs + liveStreams, 0) << "effect or stream references left undisposed";
  EXPECT_EQ(liveMasks + liveStreamValues, 0) << "masks or stream values left undisposed";
  EXPECT_EQ(pathCheckouts.size(), pathCheckins.size()) << "mask paths left checked out";
  EXPECT_EQ(registry.outstanding(), 0) << "suites left unreleased";
  EXPECT_EQ(CheckedOut(), 0) << "parameters left checked out";
  g_worlds.clear();
}

RenderTestHost &RenderTestHost::Current() {
  return static_cast<RenderTestHost &>(FakeEffectHost::Current());
}

PF_EffectWorld *RenderTestHost::LayerPixels(A_long id) {
  return id == 0 ? &input.world : grain != nullptr ? &grain->world : nullptr;
}

void RenderTestHost::AddRenderEffect() {
  effects.push_back({"zk_Vlam", true, [](void *extra, const A_Time &) { vlam::AnswerRenderQuery(extra); }});
}

void RenderTestHost::AddBuilder(const vlam::FlashDesign *design) {
  effects.push_back({"zk_VlamFlash", true, [design](void *extra, const A_Time &) {
                       static_cast<vlam::FlashDesignTable *>(extra)->designs[0] = *design;
                     }});
}

void RenderTestHost::AddInstance(const vlam::InstanceRecord &record) {
  effects.push_back({"zk_VlamInstance", true, [record](void *extra, const A_Time &) {
                       auto *block = static_cast<vlam::ExchangeBlock *>(extra);
                       block->instances[block->table.instanceCount - 1] = record;
                     }});
}

void RenderTestHost::UseDefaultParams(const std::vector<PF_ParamDef> &defs) {
  values.assign(1, PF_ParamDef{});
  values.insert(values.end(), defs.begin(), defs.end());
}

void RenderTestHost::SetImages(A_long width, A_long height, PF_PixelFormat format) {
  for (TestImage *image : {&input, &output}) {
    image->Reset(width, height, format);
    formats[&image->world] = format;
  }
  std::tie(in_data.width, in_data.height) = std::tuple(width, height);
}

A_Matrix4 DefaultCameraMatrix(double width, double height, double zoom) {
  A_Matrix4 m{};
  for (int i = 0; i < 4; ++i) m.mat[i][i] = 1.0;
  m.mat[3][0] = width * 0.5;
  m.mat[3][1] = height * 0.5;
  m.mat[3][2] = -zoom;
  return m;
}

FloatWorld::FloatWorld(A_long width, A_long height, A_long padPixels, float alpha)
    : storage_(static_cast<std::size_t>((width + padPixels) * height), PF_PixelFloat{alpha, 0, 0, 0}),
      stride_(width + padPixels),
      alpha_(alpha) {
  world_.data = reinterpret_cast<PF_PixelPtr>(storage_.data());
  world_.rowbytes = stride_ * static_cast<A_long>(sizeof(PF_PixelFloat));
  world_.width = width;
  world_.height = height;
  world_.world_flags = PF_WorldFlag_DEEP | PF_WorldFlag_WRITEABLE;
}

double FloatWorld::SumRgb() const { return TotalLight(FloatPixels(world_)); }

bool FloatWorld::AlphaUntouched() const {
  return std::all_of(storage_.begin(), storage_.end(), [this](const PF_PixelFloat &p) { return p.alpha == alpha_; });
}

std::vector<unsigned char> FloatWorld::Bytes() const {
  const std::vector<float> pixels = FloatPixels(world_);
  const auto *first = reinterpret_cast<const unsigned char *>(pixels.data());
  return {first, first + pixels.size() * sizeof(float)};
}

DesignStorage::DesignStorage() {
  vlam::MakeDefaultMainCurve(mainCurve);
  vlam::MakeDefaultPetalCurve(petalCurve);
  threeStar.count = 3;
  for (int i = 0; i < 3; ++i) threeStar.angles[i] = std::numbers::pi * 2.0 / 3.0 * i;
}

vlam::FlashDesign DefaultDesign(const DesignStorage &storage) {
  constexpr double f = 0.75, degree = std::numbers::pi / 180.0;
  return {.valid = 1, .mainLength = 250.0, .mainDiameter = 0.5 * 200.0,
          .mainProfile = &storage.mainCurve, .mainFalloffA = f * 0.9 + (1.0 - f),
          .mainFalloffB = (1.0 - f) * 0.3 + f * 0.25, .brightnessFalloff = static_cast<float>(f),
          .petalLength = 100.0, .petalDiameter = 0.4 * 100.0, .petalProfile = &storage.petalCurve,
          .petalBrightnessFalloff = static_cast<float>(f), .petalLayout = &storage.noPetals,
          .petalAngle = 75.0 * degree, .horizontalOffset = -15.0, .barrelRadius = 8.0,
          .petalBrightness = 1.0, .sparkDispersion = 15.0 * degree, .sparkBrightness = 0.5,
          .colourTemperatureAmount = 0.5,
          .flashColour = PF_PixelFloat{1.0f, 1.0f, 186.0f / 255.0f, 118.0f / 255.0f},
          .baseFrequency = 0.01, .displacementAmount = 80.0 * 0.04,
          .displacementComplexity = 0.25};
}

vlam::InstanceRecord FiringInstance(double x, double y) {
  return {.randomSeed = 1024, .randomness = 1.0, .triggerLevel = vlam::kInstanceFiringLevel,
          .position = {x, y, 0.0}, .roll = vlam::InstanceRecordRoll(0.0), .postScale = 1.0,
          .brightness = 1.0};
}

PF_Err CallRender(PF_Cmd cmd, RenderTestHost &host, void *extra, PF_ParamDef **params) {
  return EntryPoint_VlamRender(cmd, &host.in_data, &host.out_data, params, nullptr, extra);
}

}  // namespace vlam_render_test
