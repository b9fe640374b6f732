#include "flash/design_export.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numbers>
#include <thread>

#include "builder_host_support.h"
#include "flash/builder_globals.h"
#include "flash/default_curves.h"

namespace vlam {
namespace {

// Packed record fields are compared as values (+field): gtest takes its
// arguments by reference, which a packed field's alignment does not allow.

constexpr unsigned char kFill = 0xAB;

class DesignExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host.GlobalSetup(), PF_Err_NONE);
    std::memset(&table, kFill, sizeof table);
  }

  FlashDesign& Slot(int i) { return table.designs[i]; }
  bool Untouched(int slot, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      if (reinterpret_cast<const unsigned char*>(&table.designs[slot])[i] != kFill) return false;
    return true;
  }
  BuilderGlobals& Globals() { return *host.Globals(); }
  // Fields read as values against what they should hold, in order.
  static void ExpectFields(std::initializer_list<double> got, std::initializer_list<double> want) {
    ASSERT_EQ(got.size(), want.size());
    for (auto g = got.begin(), w = want.begin(); g != got.end(); ++g, ++w) EXPECT_DOUBLE_EQ(*g, *w) << g - got.begin();
  }

  FakeBuilderHost host;
  FlashDesignTable table;
};

TEST_F(DesignExportTest, DefaultParametersFieldByField) {
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  const FlashDesign& d = Slot(0);
  EXPECT_EQ(d.valid, 1);
  // Spark dispersion 15 degrees; the randomisations (the shape's in three
  // forms) all zero; the colour (255, 186, 118) as floats.
  ExpectFields({d.mainLength, d.mainDiameter, d.mainFalloffA, d.mainFalloffB, d.sparkDispersion, d.sparkBrightness,
                d.colourTemperatureAmount, d.baseFrequency, d.displacementAmount, d.displacementComplexity,
                d.shapeRandomisationScaled, d.shapeRandomisation, d.petalRandomisation, d.brightnessRandomisation,
                d.shapeRandomisationRaw, d.brightnessFalloff, double(d.maxSparks), d.flashColour.alpha,
                d.flashColour.red, d.flashColour.green, d.flashColour.blue},
               {250, 100, 0.925, 0.2625, 15 * std::numbers::pi / 180, 0.5, 0.5, 0.01, 3.2, 0.25, 0, 0, 0, 0, 0, 0.75, 0,
                1, 1, 186 / 255.0f, 118 / 255.0f});
  ShapeCurve main;
  MakeDefaultMainCurve(main);
  ASSERT_NE(+d.mainProfile, nullptr);
  EXPECT_EQ(std::memcmp(+d.mainProfile, &main, sizeof main), 0);
  EXPECT_EQ(+d.petalLayout, &Globals().petalLayouts[0]);

  // Petals None: offsets 48-91 and 100-131 keep what the slot held, and so
  // do the padding, the head field, the instance count and the other slots.
  EXPECT_TRUE(Untouched(0, 1, 4) && Untouched(0, 48, 92) && Untouched(0, 100, 132));
  const auto fill = static_cast<std::int32_t>(0xABABABAB);
  EXPECT_EQ(std::pair(table.head, table.instanceCount), std::pair(fill, fill));
  for (int s = 1; s < 4; ++s) EXPECT_TRUE(Untouched(s, 0, sizeof(FlashDesign))) << s;
}

// With petals on every parameter the record is made from is checked out (23)
// and checked in again.
TEST_F(DesignExportTest, PetalFieldsWhenPetalsAreOn) {
  host.SetPopup(kBuilderPetalConfiguration, 6);  // Four Star
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  ASSERT_EQ(host.CheckedOut(), 0);
  ASSERT_EQ(host.checkouts.size(), 23u);
  const FlashDesign& d = Slot(0);
  ExpectFields({d.petalLength, d.petalDiameter, d.petalAngle, d.horizontalOffset, d.barrelRadius, d.petalBrightness},
               {100, 40, 75 * std::numbers::pi / 180, -15, 8, 1});
  ShapeCurve petal;
  MakeDefaultPetalCurve(petal);
  ASSERT_NE(+d.petalProfile, nullptr);
  EXPECT_EQ(std::memcmp(+d.petalProfile, &petal, sizeof petal), 0);
  EXPECT_TRUE(Untouched(0, 72, 88));  // petal falloff blends are never written
  EXPECT_EQ(d.petalBrightnessFalloff, d.brightnessFalloff);
  EXPECT_EQ(+d.petalLayout, &Globals().petalLayouts[8]);
  EXPECT_EQ(d.petalLayout->count, 4);
}

TEST_F(DesignExportTest, RoundingAndScalingEdgeCases) {
  host.SetPopup(kBuilderPetalConfiguration, 2);
  host.SetFloat(kBuilderRelativeBrightness, 50);
  host.SetFloat(kBuilderRandomiseShape, 75);
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  const FlashDesign& d = Slot(0);
  ExpectFields({d.petalBrightness, d.shapeRandomisationScaled, d.shapeRandomisation, d.shapeRandomisationRaw},
               {0.25, 0.1, 0.75, 75});
  for (const auto& [sparks, rounded] : {std::pair{2.5, 3}, {2.4, 2}, {99.5, 100}}) {
    host.SetFloat(kBuilderMaxSparks, sparks);
    ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
    EXPECT_EQ(d.maxSparks, rounded) << sparks;
  }
  // Negative halves, NaN and the ends of the range, directly.
  const std::pair<double, std::int32_t> direct[] = {
      {-2.5, -3}, {std::numeric_limits<double>::quiet_NaN(), 0}, {1e300, INT32_MAX}, {-1e300, INT32_MIN}};
  for (const auto& [value, rounded] : direct) EXPECT_EQ(RoundHalfAwayFromZero(value), rounded) << value;
}

// The identifier chooses the slot and one out of range writes nothing; a
// petal configuration outside the items counts as None.
TEST_F(DesignExportTest, PopupsOutsideTheirItems) {
  host.SetPopup(kBuilderFlashIdentifier, 4);
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  EXPECT_EQ(Slot(3).valid, 1);
  EXPECT_TRUE(Untouched(0, 0, sizeof(FlashDesign)));

  std::memset(&table, kFill, sizeof table);
  for (A_long bad : {0, 5, -1, 1 << 20}) {
    host.SetPopup(kBuilderFlashIdentifier, bad);
    EXPECT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE) << bad;
  }
  for (int s = 0; s < 4; ++s) EXPECT_TRUE(Untouched(s, 0, sizeof(FlashDesign))) << s;
  EXPECT_EQ(host.CheckedOut(), 0);

  host.SetPopup(kBuilderFlashIdentifier, 1);
  for (A_long bad : {0, 11, -7, 40000}) {
    std::memset(&table, kFill, sizeof table);
    host.SetPopup(kBuilderPetalConfiguration, bad);
    ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE) << bad;
    EXPECT_EQ(+Slot(0).petalLayout, &Globals().petalLayouts[0]) << bad;
    EXPECT_TRUE(Untouched(0, 48, 92)) << bad;
    EXPECT_EQ(Slot(0).valid, 1);
  }
}

// Exported curves are copies that outlive the checkin, kept per thread and
// per table: a collection nested on the same thread keeps the outer copies.
// A damaged value is mended in the copy; no value at all gives an empty curve.
TEST_F(DesignExportTest, ExportedCurvesAreMendedCopiesPerThreadAndTable) {
  host.SetPopup(kBuilderPetalConfiguration, 3);
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  const ShapeCurve* exported = Slot(0).mainProfile;
  const ShapeCurve before = *exported;
  // The parameter's value changes and is disposed after the export: the
  // design's copy is untouched.
  PF_Handle value = host.values[kBuilderMainProfile].u.arb_d.value;
  std::memset(*value, 0, sizeof(ShapeCurve));
  EXPECT_EQ(std::memcmp(exported, &before, sizeof before), 0);
  EXPECT_NE(static_cast<const void*>(exported), *value);
  EXPECT_EQ(host.CheckedOut(), 0);
  std::memcpy(*value, &before, sizeof before);
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  const ShapeCurve outer = *Slot(0).mainProfile;

  // A render nested in this one collects into its own table while the
  // builder's curve has another value.
  ShapeCurve* curve = static_cast<ShapeCurve*>(*host.values[kBuilderMainProfile].u.arb_d.value);
  curve->count = 2;
  FlashDesignTable nested{}, other{};
  ASSERT_EQ(ExportFlashDesign(host.InData(), &nested), PF_Err_NONE);
  EXPECT_EQ(nested.designs[0].mainProfile->count, 2);
  EXPECT_EQ(std::memcmp(+Slot(0).mainProfile, &outer, sizeof outer), 0);

  // The next collection into the first table refreshes its copies in place.
  const ShapeCurve* copy = Slot(0).mainProfile;
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  EXPECT_EQ(+Slot(0).mainProfile, copy);
  EXPECT_EQ(Slot(0).mainProfile->count, 2);

  // Another thread has its own copies.
  const ShapeCurve* here = Slot(0).mainProfile;
  const ShapeCurve* there = nullptr;
  std::thread worker([&] {
    ExportFlashDesign(host.InData(), &other);
    there = other.designs[0].mainProfile;
  });
  worker.join();
  EXPECT_NE(here, there);

  // A damaged value is mended in the copy.
  curve->count = 5000;
  curve->capacity = 5000;
  curve->points[0].x = std::numeric_limits<double>::quiet_NaN();
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  EXPECT_EQ(Slot(0).mainProfile->count, 32);
  EXPECT_EQ(+Slot(0).mainProfile->points[0].x, 0.0);

  // No value at all: an empty curve, never a null pointer.
  host.values[kBuilderMainProfile].u.arb_d.value = nullptr;
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  ASSERT_NE(+Slot(0).mainProfile, nullptr);
  EXPECT_EQ(Slot(0).mainProfile->count, 0);
}

// Missing value suites fall back; a refused handle suite throws and leaves
// the slot invalid.
TEST_F(DesignExportTest, MissingSuites) {
  host.SetPopup(kBuilderPetalConfiguration, 2);
  host.registry.Withdraw(kPFColorParamSuite, kPFColorParamSuiteVersion1);
  host.registry.Withdraw(kPFAngleParamSuite, kPFAngleParamSuiteVersion1);
  ASSERT_EQ(ExportFlashDesign(host.InData(), &table), PF_Err_NONE);
  EXPECT_EQ(std::pair(Slot(0).flashColour.alpha, Slot(0).flashColour.red), std::pair(0.0f, 0.0f));
  EXPECT_DOUBLE_EQ(Slot(0).petalAngle, 75 * std::numbers::pi / 180);  // fixed-point fallback
  EXPECT_EQ(Slot(0).valid, 1);

  std::memset(&table, kFill, sizeof table);
  host.registry.Withdraw(kPFHandleSuite, kPFHandleSuiteVersion1);
  try {
    ExportFlashDesign(host.InData(), &table);
    FAIL() << "expected a thrown host error";
  } catch (A_long code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
  EXPECT_TRUE(Untouched(0, 0, 1));
  EXPECT_EQ(host.CheckedOut(), 0);
  host.registry.Publish(kPFHandleSuite, kPFHandleSuiteVersion1, host.handles.Handles());
}

}  // namespace
}  // namespace vlam
