#include "render/world_buffer.h"

#include <cstddef>
#include <cstring>

#include "AE_EffectCBSuites.h"
#include "frame/scoped_suite.h"
#include "render/pixel_convert.h"

namespace vlam {

namespace {

A_long BytesPerPixel(PF_PixelFormat format) {
  switch (format) {
    case PF_PixelFormat_ARGB128:
      return static_cast<A_long>(sizeof(PF_PixelFloat));
    case PF_PixelFormat_ARGB64:
      return static_cast<A_long>(sizeof(PF_Pixel16));
    case PF_PixelFormat_ARGB32:
      return static_cast<A_long>(sizeof(PF_Pixel8));
    default:
      return 0;
  }
}

}  // namespace

WorldBuffer::~WorldBuffer() {
  // A destructor must not throw, even when the host refuses the suite now.
  try {
    Release();
  } catch (...) {
  }
}

PF_Err WorldBuffer::Create(PF_InData* in_data, A_long width, A_long height,
                           PF_PixelFormat format, const char* name) {
  Release();
  std::strncpy(name_, name && *name ? name : "UNNAMED", sizeof(name_) - 1);
  name_[sizeof(name_) - 1] = '\0';
  in_data_ = in_data;
  format_ = format;
  world_ = PF_EffectWorld{};
  ScopedSuite<PF_WorldSuite2> worlds(in_data->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
  status_ = worlds->PF_NewWorld(in_data->effect_ref, width, height, true, format, &world_);
  created_ = status_ == PF_Err_NONE;
  released_ = false;
  return status_;
}

PF_Err WorldBuffer::Release() {
  PF_Err err = PF_Err_NONE;
  if (created_ && !released_) {
    released_ = true;
    ScopedSuite<PF_WorldSuite2> worlds(in_data_->pica_basicP, kPFWorldSuite,
                                       kPFWorldSuiteVersion2);
    err = worlds->PF_DisposeWorld(in_data_->effect_ref, &world_);
  }
  return status_ != PF_Err_NONE ? status_ : err;
}

PF_Err FillWorld(PF_InData* in_data, PF_EffectWorld* world, PF_PixelFormat format,
                 const PF_PixelFloat& colour, const PF_Rect* rect) {
  ScopedSuite<PF_FillMatteSuite2> fills(in_data->pica_basicP, kPFFillMatteSuite,
                                        kPFFillMatteSuiteVersion2);
  if (format == PF_PixelFormat_ARGB128) {
    return fills->fill_float(in_data->effect_ref, &colour, rect, world);
  }
  if (format == PF_PixelFormat_ARGB64) {
    const PF_Pixel16 c = ToPixel16(colour);
    return fills->fill16(in_data->effect_ref, &c, rect, world);
  }
  if (format == PF_PixelFormat_ARGB32) {
    const PF_Pixel8 c = ToPixel8(colour);
    return fills->fill(in_data->effect_ref, &c, rect, world);
  }
  return PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err WorldBuffer::Fill(const PF_PixelFloat& colour, const PF_Rect* rect) {
  if (!created_ || released_) return PF_Err_BAD_CALLBACK_PARAM;
  status_ = FillWorld(in_data_, &world_, format_, colour, rect);
  return status_;
}

PF_Err WorldBuffer::CopyFrom(PF_EffectWorld* source, PF_Rect* sourceRect, PF_Rect* destRect) {
  if (!created_ || released_) return PF_Err_BAD_CALLBACK_PARAM;
  return in_data_->utils->copy(in_data_->effect_ref, source, &world_, sourceRect, destRect);
}

PF_Err WorldBuffer::RawCopyFrom(const WorldBuffer& source) {
  const PF_EffectWorld& s = source.world_;
  if (s.rowbytes != world_.rowbytes || s.height != world_.height || world_.rowbytes <= 0 ||
      world_.height <= 0 || !s.data || !world_.data)
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  std::memmove(world_.data, s.data,
               static_cast<size_t>(world_.rowbytes) * static_cast<size_t>(world_.height));
  return PF_Err_NONE;
}

PF_Err WorldBuffer::RawCopyFrom(const WorldBuffer& source, const PF_Rect& rect) {
  const PF_EffectWorld& s = source.world_;
  const A_long bytes = BytesPerPixel(format_);
  const auto holds = [&rect](const PF_EffectWorld& w) {
    return rect.left >= 0 && rect.top >= 0 && rect.right <= w.width && rect.bottom <= w.height;
  };
  if (source.format_ != format_ || bytes == 0 || !s.data || !world_.data || !holds(s) ||
      !holds(world_) || rect.right < rect.left || rect.bottom < rect.top)
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  const size_t rowLength = static_cast<size_t>(rect.right - rect.left) * static_cast<size_t>(bytes);
  for (A_long y = rect.top; y < rect.bottom; ++y) {
    const char* from = reinterpret_cast<const char*>(s.data) +
                       static_cast<ptrdiff_t>(s.rowbytes) * y + static_cast<ptrdiff_t>(rect.left) * bytes;
    char* to = reinterpret_cast<char*>(world_.data) + static_cast<ptrdiff_t>(world_.rowbytes) * y +
               static_cast<ptrdiff_t>(rect.left) * bytes;
    std::memmove(to, from, rowLength);
  }
  return PF_Err_NONE;
}

}  // namespace vlam
