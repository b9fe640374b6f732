// The layer-mask occlusion of one firing: the instance's mask path is
// rasterised by the host into a matte at layer size, with the feather and
// opacity of the layer mask that carries the same ID, and the light is
// multiplied by (1 - matte) wherever the mask covers the frame.
#include <cstddef>

#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "PF_Masks.h"
#include "frame/host_error.h"
#include "frame/row_bands.h"
#include "frame/scoped_suite.h"
#include "render/post_passes.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

// A checked-out mask path, checked in again (unchanged) when the scope ends.
class ScopedPath {
 public:
  ScopedPath(PF_InData *in_data, PF_PathID id)
      : in_data_(in_data),
        id_(id),
        query_(in_data->pica_basicP, kPFPathQuerySuite, kPFPathQuerySuiteVersion1) {
    const PF_Err err =
        query_->PF_CheckoutPath(in_data->effect_ref, id, in_data->current_time,
                                in_data->time_step, in_data->time_scale, &path_);
    // A path that cannot be had leaves the flash unmasked; only a path the
    // host gave out is given back.
    checkedOut_ = err == PF_Err_NONE;
    if (!checkedOut_) path_ = nullptr;
  }
  ~ScopedPath() {
    if (checkedOut_) query_->PF_CheckinPath(in_data_->effect_ref, id_, false, path_);
  }
  ScopedPath(const ScopedPath &) = delete;
  ScopedPath &operator=(const ScopedPath &) = delete;

  PF_PathOutlinePtr get() const { return path_; }

 private:
  PF_InData *in_data_;
  PF_PathID id_;
  ScopedSuite<PF_PathQuerySuite1> query_;
  PF_PathOutlinePtr path_ = nullptr;
  bool checkedOut_ = false;
};

struct MaskLook {
  double featherX = 0.0;
  double featherY = 0.0;
  double opacity = 100.0;  // percent
};

// Feather and opacity of the layer mask whose ID is `id`, at the render's
// current time in composition time, before expressions. A layer without such
// a mask keeps the defaults (no feather, fully opaque): the path itself
// still came from the host.
A_Err ReadMaskLook(PF_InData *in_data, AEGP_PluginID plugin, AEGP_MaskIDVal id, MaskLook &look) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  ScopedSuite<AEGP_PFInterfaceSuite1> pf(basic, kAEGPPFInterfaceSuite,
                                         kAEGPPFInterfaceSuiteVersion1);
  ScopedSuite<AEGP_MaskSuite5> masks(basic, kAEGPMaskSuite, kAEGPMaskSuiteVersion5);
  ScopedSuite<AEGP_StreamSuite4> streams(basic, kAEGPStreamSuite, kAEGPStreamSuiteVersion4);

  AEGP_LayerH layer = nullptr;
  A_Err err = pf->AEGP_GetEffectLayer(in_data->effect_ref, &layer);
  A_long count = 0;
  if (err == A_Err_NONE) err = masks->AEGP_GetLayerNumMasks(layer, &count);
  AEGP_MaskRefH mask = nullptr;
  for (A_long i = 0; err == A_Err_NONE && i < count && mask == nullptr; ++i) {
    AEGP_MaskRefH candidate = nullptr;
    err = masks->AEGP_GetLayerMaskByIndex(layer, i, &candidate);
    AEGP_MaskIDVal candidateId = 0;
    if (err == A_Err_NONE) err = masks->AEGP_GetMaskID(candidate, &candidateId);
    if (err == A_Err_NONE && candidateId == id) {
      mask = candidate;
    } else if (candidate != nullptr) {
      KeepFirstError(err, masks->AEGP_DisposeMask(candidate));
    }
  }
  if (mask == nullptr) return err;

  A_Time time{};
  if (err == A_Err_NONE) {
    err = pf->AEGP_ConvertEffectToCompTime(in_data->effect_ref, in_data->current_time,
                                           in_data->time_scale, &time);
  }
  const auto readStream = [&](AEGP_MaskStream which, auto &&use) {
    if (err != A_Err_NONE) return;
    AEGP_StreamRefH stream = nullptr;
    err = streams->AEGP_GetNewMaskStream(plugin, mask, which, &stream);
    if (err != A_Err_NONE) return;
    AEGP_StreamValue2 value{};
    err = streams->AEGP_GetNewStreamValue(plugin, stream, AEGP_LTimeMode_CompTime, &time, true,
                                          &value);
    if (err == A_Err_NONE) {
      use(value.val);
      KeepFirstError(err, streams->AEGP_DisposeStreamValue(&value));
    }
    KeepFirstError(err, streams->AEGP_DisposeStream(stream));
  };
  readStream(AEGP_MaskStream_FEATHER, [&](const AEGP_StreamVal2 &v) {
    look.featherX = v.two_d.x;
    look.featherY = v.two_d.y;
  });
  readStream(AEGP_MaskStream_OPACITY, [&](const AEGP_StreamVal2 &v) { look.opacity = v.one_d; });
  KeepFirstError(err, masks->AEGP_DisposeMask(mask));
  return err;
}

struct MatteJob {
  PF_EffectWorld *flash;
  const PF_EffectWorld *matte;
};

A_Err ApplyMatteRows(void *data, A_long first, A_long last, A_long) {
  const MatteJob &job = *static_cast<const MatteJob *>(data);
  for (A_long y = first; y <= last; ++y) {
    auto *light = reinterpret_cast<PF_PixelFloat *>(reinterpret_cast<char *>(job.flash->data) +
                                                    static_cast<std::ptrdiff_t>(job.flash->rowbytes) * y);
    const auto *matte = reinterpret_cast<const PF_PixelFloat *>(
        reinterpret_cast<const char *>(job.matte->data) +
        static_cast<std::ptrdiff_t>(job.matte->rowbytes) * y);
    for (A_long x = 0; x < job.flash->width; ++x) {
      const float keep = 1.0f - matte[x].alpha;
      light[x].red *= keep;
      light[x].green *= keep;
      light[x].blue *= keep;
    }
  }
  return A_Err_NONE;
}

}  // namespace

PF_Err MaskPass(FiringContext &firing) {
  const std::uint32_t id = firing.instance->maskId;
  if (id == 0) return PF_Err_NONE;
  PF_InData *in_data = firing.frame->in_data;
  const ScopedPath path(in_data, static_cast<PF_PathID>(id));
  if (path.get() == nullptr) return PF_Err_NONE;
  PF_Boolean open = false;
  {
    ScopedSuite<PF_PathDataSuite1> data(in_data->pica_basicP, kPFPathDataSuite,
                                        kPFPathDataSuiteVersion1);
    if (data->PF_PathIsOpen(in_data->effect_ref, path.get(), &open) != PF_Err_NONE || open) {
      return PF_Err_NONE;
    }
  }

  WorldBuffer &flash = *firing.flashWorld;
  const A_long dx = in_data->downsample_x.den > 0 ? in_data->downsample_x.den : 1;
  const A_long dy = in_data->downsample_y.den > 0 ? in_data->downsample_y.den : 1;
  WorldBuffer matte;
  PF_Err err = matte.Create(in_data, in_data->width / dx, in_data->height / dy,
                            PF_PixelFormat_ARGB128, "MASK_MATTE_WORLD");
  if (err == PF_Err_NONE) err = matte.Clear();
  MaskLook look;
  if (err == PF_Err_NONE) {
    const AEGP_PluginID plugin = firing.frame->globals->pluginId;
    err = ReadMaskLook(in_data, plugin, static_cast<AEGP_MaskIDVal>(id), look);
  }
  if (err == PF_Err_NONE) {
    ScopedSuite<PF_MaskSuite1> masks(in_data->pica_basicP, kPF_MaskSuite, kPF_MaskSuiteVersion1);
    // The suite takes the path by address.
    PF_PathOutlinePtr outline = path.get();
    err = masks->PF_MaskWorldWithPath(in_data->effect_ref, &outline, look.featherX,
                                      look.featherY, false, look.opacity * 0.01,
                                      in_data->quality, &matte.World(), nullptr);
  }

  WorldBuffer square;
  const PF_EffectWorld *useMatte = &matte.World();
  if (err == PF_Err_NONE && (matte.World().width != flash.World().width ||
                             matte.World().height != flash.World().height)) {
    err = square.Create(in_data, flash.World().width, flash.World().height,
                        PF_PixelFormat_ARGB128, "MASK_MATTE_SQUARE");
    // Whole rectangles of different sizes: the host resamples the matte.
    PF_Rect from{0, 0, matte.World().width, matte.World().height};
    PF_Rect to{0, 0, flash.World().width, flash.World().height};
    if (err == PF_Err_NONE) err = square.CopyFrom(&matte.World(), &from, &to);
    useMatte = &square.World();
  }
  if (err == PF_Err_NONE) {
    MatteJob job{&flash.World(), useMatte};
    err = RunRowBands(in_data, flash.World().height, firing.frame->threads, &job, ApplyMatteRows);
  }
  KeepFirstError(err, square.Release());
  KeepFirstError(err, matte.Release());
  return err;
}

}  // namespace vlam
