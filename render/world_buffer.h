// One host image buffer used as a work buffer by the Render and Relighter
// effects: created through the host's world suite and given back when the
// object goes out of scope.
#pragma once

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

namespace vlam {

enum class BlurKind { kBox, kGaussian };

// Fills `rect` (null: everything) of a host buffer of the given depth with a
// float colour converted to that depth ("PF Fill Matte Suite" 2); a format
// other than 8-bit, 16-bit or float gives PF_Err_BAD_CALLBACK_PARAM.
PF_Err FillWorld(PF_InData* in_data, PF_EffectWorld* world, PF_PixelFormat format,
                 const PF_PixelFloat& colour, const PF_Rect* rect);

class WorldBuffer {
 public:
  WorldBuffer() = default;
  ~WorldBuffer();
  WorldBuffer(const WorldBuffer&) = delete;
  WorldBuffer& operator=(const WorldBuffer&) = delete;

  // Asks the host for a cleared buffer ("PF World Suite" 2). The result is
  // also kept as the status. A null or empty name reads "UNNAMED"; names are
  // cut to 34 characters.
  PF_Err Create(PF_InData* in_data, A_long width, A_long height, PF_PixelFormat format,
                const char* name);
  // Gives the buffer back; returns the status if it holds an error, else the
  // host's answer. Does nothing for a buffer never created or already given back.
  PF_Err Release();

  // Fills `rect` (null: everything) with a float colour, converted to the
  // buffer's depth ("PF Fill Matte Suite" 2). Also stored as the status.
  PF_Err Fill(const PF_PixelFloat& colour, const PF_Rect* rect);
  // Opaque black over the whole buffer.
  PF_Err Clear() { return Fill(PF_PixelFloat{1.0f, 0.0f, 0.0f, 0.0f}, nullptr); }
  // The host's copy, resampling when the rectangles differ in size.
  PF_Err CopyFrom(PF_EffectWorld* source, PF_Rect* sourceRect, PF_Rect* destRect);
  // Copies the pixel bytes of a buffer of the same layout; otherwise changes
  // nothing and returns PF_Err_INTERNAL_STRUCT_DAMAGED.
  PF_Err RawCopyFrom(const WorldBuffer& source);
  // The same for the pixels of `rect` only, which must lie inside both
  // buffers; the rest of this buffer is left as it was.
  PF_Err RawCopyFrom(const WorldBuffer& source, const PF_Rect& rect);
  // Separable blur of red, green and blue of a float buffer inside `region`
  // (null: everything); alpha is left as it was.
  PF_Err Blur(const PF_Rect* region, double radiusX, double radiusY, BlurKind kind);

  PF_EffectWorld& World() { return world_; }
  const PF_EffectWorld& World() const { return world_; }
  PF_InData* InData() const { return in_data_; }
  PF_PixelFormat Format() const { return format_; }
  bool Created() const { return created_; }
  bool Released() const { return released_; }
  const char* Name() const { return name_; }
  PF_Err Status() const { return status_; }

 private:
  PF_EffectWorld world_{};
  PF_InData* in_data_ = nullptr;
  PF_PixelFormat format_ = PF_PixelFormat_ARGB128;
  bool created_ = false;
  bool released_ = false;
  char name_[35] = "UNNAMED";
  PF_Err status_ = PF_Err_NONE;
};

}  // namespace vlam
