// The user's five main-shape and five petal-shape curve presets: their keys in
// the host's persistent settings, their built-in texts, loading and saving.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "flash/shape_curve.h"

namespace vlam {

inline constexpr int kPresetSlotsPerShape = 5;
inline constexpr int kPresetSlotCount = 2 * kPresetSlotsPerShape;
inline constexpr char kPresetSection[] = "Settings_zkVlam";
// Buffer size, terminating zero included, for reading one preset's text.
inline constexpr std::size_t kPresetTextLimit = 512;

struct CurvePresetKey {
  const char* key;          // "MAIN_SHAPE_PRESET_1" ... "PETAL_SHAPE_PRESET_5"
  const char* defaultText;  // used when the settings hold no such key
  std::uint16_t capacity;   // 16 for main shapes, 8 for petals
};

// Main slots 1-5, then petal slots 1-5: the order presets are read and written in.
const std::array<CurvePresetKey, kPresetSlotCount>& CurvePresetKeys();

// Where presets are kept between runs (the host's persistent settings in the
// module, a map in tests).
class CurvePresetStore {
 public:
  virtual ~CurvePresetStore() = default;
  virtual std::string Get(const char* key, const char* defaultText) = 0;
  virtual void Set(const char* key, const std::string& text) = 0;
};

using PresetSlots = ShapeCurve[kPresetSlotsPerShape];

// Each slot: emptied with its capacity, then parsed from the stored text (the
// built-in text when the key is missing).
void LoadCurvePresets(CurvePresetStore& store, PresetSlots& mainSlots, PresetSlots& petalSlots);

// Each slot written as text under its key, in the same order as loading.
void SaveCurvePresets(CurvePresetStore& store, const PresetSlots& mainSlots, const PresetSlots& petalSlots);

}  // namespace vlam
