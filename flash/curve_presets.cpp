#include "flash/curve_presets.h"

#include "flash/shape_curve_text.h"

namespace vlam {

namespace {

constexpr std::array<CurvePresetKey, kPresetSlotCount> kKeys = {{
    {"MAIN_SHAPE_PRESET_1", "[x:0;y:0.75],[x:1;y:0.75]", kMainShapeCapacity},
    {"MAIN_SHAPE_PRESET_2",
     "[x:0; y:0.16], [x:0.03; y:0.65], [x:0.1; y:0.92], [x:0.19; y:0.97], [x:0.34; y:1], [x:0.53; y:0.87], "
     "[x:0.67; y:0.74], [x:0.84; y:0.46], [x:1; y:0]",
     kMainShapeCapacity},
    {"MAIN_SHAPE_PRESET_3",
     "[x:0; y:0.21], [x:0.024; y:0.5], [x:0.13; y:0.63], [x:0.24; y:0.9], [x:0.38; y:0.68], [x:0.47; y:1], "
     "[x:0.56; y:0.79], [x:0.66; y:1], [x:0.76; y:0.72], [x:0.83; y:1], [x:0.91; y:0.72], [x:0.98; y:0.82], "
     "[x:1; y:0]",
     kMainShapeCapacity},
    {"MAIN_SHAPE_PRESET_4",
     "[x:0;y:0.35],[x:0.04;y:0.74],[x:0.1;y:0.93],[x:0.17;y:1],[x:0.23;y:0.84],[x:0.29;y:0.68],[x:0.35;y:0.74],"
     "[x:0.42;y:0.68],[x:0.51;y:0.51],[x:0.63;y:0.45], [x:0.87; y:0.58], [x:0.97; y:0.29], [x:1; y:0]",
     kMainShapeCapacity},
    {"MAIN_SHAPE_PRESET_5",
     "[x:0; y:0.21], [x:0.024; y:0.5], [x:0.11; y:0.74], [x:0.24; y:0.76], [x:0.41; y:0.58], [x:0.56; y:0.79], "
     "[x:0.75; y:1], [x:0.9; y:0.88], [x:0.98; y:0.57], [x:1; y:0]",
     kMainShapeCapacity},
    {"PETAL_SHAPE_PRESET_1", "[x:0;y:0.75],[x:1;y:0.75]", kPetalShapeCapacity},
    {"PETAL_SHAPE_PRESET_2",
     "[x:0; y:0.5], [x:0.12; y:0.82], [x:0.23; y:0.95], [x:0.38; y:1], [x:0.52; y:0.93], [x:0.64; y:0.79], "
     "[x:0.78; y:0.53], [x:1; y:0]",
     kPetalShapeCapacity},
    {"PETAL_SHAPE_PRESET_3",
     "[x:0; y:0.53], [x:0.12; y:0.5], [x:0.21; y:0.63], [x:0.32; y:1], [x:0.44; y:0.95], [x:0.58; y:0.73], "
     "[x:0.9; y:0.5], [x:1; y:0]",
     kPetalShapeCapacity},
    {"PETAL_SHAPE_PRESET_4",
     "[x:0; y:0.35], [x:0.38; y:0.62], [x:0.64; y:0.91], [x:0.8; y:1], [x:0.88; y:0.95], [x:0.94; y:0.78], "
     "[x:1; y:0.29]",
     kPetalShapeCapacity},
    {"PETAL_SHAPE_PRESET_5",
     "[x:0; y:0.26], [x:0.19; y:1], [x:0.31; y:0.6], [x:0.51; y:0.75], [x:0.73; y:0.43], [x:0.84; y:0.53], "
     "[x:1; y:0]",
     kPetalShapeCapacity},
}};

ShapeCurve& SlotAt(int index, PresetSlots& mainSlots, PresetSlots& petalSlots) {
  return index < kPresetSlotsPerShape ? mainSlots[index] : petalSlots[index - kPresetSlotsPerShape];
}

}  // namespace

const std::array<CurvePresetKey, kPresetSlotCount>& CurvePresetKeys() { return kKeys; }

void LoadCurvePresets(CurvePresetStore& store, PresetSlots& mainSlots, PresetSlots& petalSlots) {
  for (int i = 0; i < kPresetSlotCount; ++i) {
    ShapeCurve& slot = SlotAt(i, mainSlots, petalSlots);
    ResetShapeCurve(slot, kKeys[i].capacity);
    ParseShapeCurveText(store.Get(kKeys[i].key, kKeys[i].defaultText), slot);
  }
}

void SaveCurvePresets(CurvePresetStore& store, const PresetSlots& mainSlots, const PresetSlots& petalSlots) {
  for (int i = 0; i < kPresetSlotCount; ++i) {
    const ShapeCurve& slot =
        i < kPresetSlotsPerShape ? mainSlots[i] : petalSlots[i - kPresetSlotsPerShape];
    store.Set(kKeys[i].key, WriteShapeCurveText(slot));
  }
}

}  // namespace vlam
