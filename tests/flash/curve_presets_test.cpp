#include "flash/curve_presets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "flash/default_curves.h"
#include "flash/shape_curve_text.h"

namespace vlam {
namespace {

// Settings kept in a map; records the order keys are read and written in.
class MapStore : public CurvePresetStore {
 public:
  std::map<std::string, std::string> values;
  std::vector<std::string> reads;
  std::vector<std::string> writes;

  std::string Get(const char* key, const char* defaultText) override {
    reads.push_back(key);
    const auto it = values.find(key);
    return it == values.end() ? defaultText : it->second;
  }
  void Set(const char* key, const std::string& text) override {
    writes.push_back(key);
    values[key] = text;
  }
};

struct Slots {
  PresetSlots main;
  PresetSlots petal;
};

const std::vector<std::string> kKeyOrder = {
    "MAIN_SHAPE_PRESET_1",  "MAIN_SHAPE_PRESET_2",  "MAIN_SHAPE_PRESET_3",  "MAIN_SHAPE_PRESET_4",
    "MAIN_SHAPE_PRESET_5",  "PETAL_SHAPE_PRESET_1", "PETAL_SHAPE_PRESET_2", "PETAL_SHAPE_PRESET_3",
    "PETAL_SHAPE_PRESET_4", "PETAL_SHAPE_PRESET_5"};

TEST(CurvePresets, MissingKeysGiveBuiltInDefaults) {
  MapStore store;
  Slots s;
  LoadCurvePresets(store, s.main, s.petal);
  EXPECT_EQ(store.reads, kKeyOrder);

  const int expectedCounts[] = {2, 9, 13, 13, 10, 2, 8, 8, 7, 7};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(s.main[i].capacity, 16);
    EXPECT_EQ(s.main[i].count, expectedCounts[i]) << "main " << i + 1;
    EXPECT_EQ(s.petal[i].capacity, 8);
    EXPECT_EQ(s.petal[i].count, expectedCounts[5 + i]) << "petal " << i + 1;
  }
  // The second main preset is the main default curve, signatures included.
  ShapeCurve main;
  MakeDefaultMainCurve(main);
  EXPECT_EQ(std::memcmp(&s.main[1], &main, sizeof main), 0);
}

TEST(CurvePresets, SavedPresetsLoadBackExactly) {
  MapStore store;
  Slots first;
  LoadCurvePresets(store, first.main, first.petal);
  ParseShapeCurveText("[x:0;y:0.3],[x:0.5;y:0.9],[x:1;y:0.1]", first.main[4]);
  ParseShapeCurveText("[x:0;y:1],[x:1;y:0]", first.petal[0]);
  SaveCurvePresets(store, first.main, first.petal);
  EXPECT_EQ(store.writes, kKeyOrder);
  EXPECT_EQ(store.values["MAIN_SHAPE_PRESET_5"], "[x:0;y:0.3],[x:0.5;y:0.9],[x:1;y:0.1]");
  EXPECT_EQ(store.values["MAIN_SHAPE_PRESET_1"], "[x:0;y:0.75],[x:1;y:0.75]");

  Slots second;
  std::memset(&second, 0xAB, sizeof second);
  LoadCurvePresets(store, second.main, second.petal);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(WriteShapeCurveText(second.main[i]), WriteShapeCurveText(first.main[i]));
    EXPECT_EQ(second.main[i].xSignature, first.main[i].xSignature);
    EXPECT_EQ(second.petal[i].ySignature, first.petal[i].ySignature);
  }
  EXPECT_EQ(second.petal[0].count, 2);
}

TEST(CurvePresets, GarbageTextGivesEmptyOrClampedSlot) {
  MapStore store;
  store.values["MAIN_SHAPE_PRESET_1"] = "\x01\xff garbage without a bracket";
  store.values["PETAL_SHAPE_PRESET_3"] = "[x:5;y:-9],[x:nan;y:inf]]]]]]]]]]]]]]]]]]]]]]]";
  Slots s;
  LoadCurvePresets(store, s.main, s.petal);
  EXPECT_EQ(s.main[0].count, 0);
  EXPECT_EQ(s.main[0].capacity, 16);
  EXPECT_EQ(s.petal[2].count, 8);  // every "]" makes a point, capacity 8 stops them
  EXPECT_EQ(s.petal[2].points[0].x, 1.0);
  EXPECT_EQ(s.petal[2].points[0].y, 1.0);
  for (int i = 1; i < 8; ++i) EXPECT_EQ(s.petal[2].points[i].x, 0.0);
}

}  // namespace
}  // namespace vlam
