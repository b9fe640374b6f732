#include "flash/builder_globals.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "builder_host_support.h"
#include "flash/default_curves.h"
#include "flash/shape_curve_text.h"

namespace vlam {
namespace {

class BuilderGlobalsTest : public ::testing::Test {
 protected:
  PF_Err Run(PF_Cmd cmd) { return host.Run(cmd); }
  BuilderGlobals* Globals() { return host.Globals(); }
  std::string& Setting(const std::string& key) { return host.settings["Settings_zkVlam/" + key]; }

  FakeBuilderHost host;
};

TEST_F(BuilderGlobalsTest, SetupFillsTablesAndKeepsRecordLocked) {
  ASSERT_EQ(Run(PF_Cmd_GLOBAL_SETUP), PF_Err_NONE);
  BuilderGlobals* g = Globals();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(host.handles.LockCount(host.InData()->global_data), 1);
  // Rounded distances: 3.606, 3.162 and 84.85 among them.
  const int distances[][3] = {{0, 0, 0}, {3, 4, 5}, {1, 1, 1}, {2, 3, 4}, {1, 3, 3}, {60, 60, 85}, {60, 0, 60}};
  for (const auto& [i, j, d] : distances) EXPECT_EQ(g->distances[i][j], d) << i << "," << j;

  ASSERT_TRUE(g->mainHandler && g->petalHandler);
  for (PF_Handle h : {g->mainHandlerH, g->petalHandlerH}) EXPECT_EQ(host.handles.LockCount(h), 1);
  EXPECT_EQ(static_cast<void*>(g->mainHandler), *g->mainHandlerH);

  EXPECT_EQ((std::array{+g->mainPresets[2].count, +g->mainPresets[2].capacity,
                        +g->petalPresets[4].count, +g->petalPresets[4].capacity}),
            (std::array<int, 4>{13, 16, 7, 8}));
  ShapeCurve mainDefault;  // the second main preset is the default curve, signatures included
  MakeDefaultMainCurve(mainDefault);
  EXPECT_EQ(std::memcmp(&g->mainPresets[1], &mainDefault, sizeof mainDefault), 0);
  EXPECT_EQ(g->petalLayouts[PetalLayoutIndex(PetalTableOf(*g), 5)].count, 3);  // the table is built
}

// Setdown without global data does nothing; presets changed in one run are
// read in the next; setdown frees the record even when the settings are refused.
TEST_F(BuilderGlobalsTest, PresetsChangedInOneRunAreReadInTheNextAndSetdownFreesTheRecord) {
  EXPECT_EQ(Run(PF_Cmd_GLOBAL_SETDOWN), PF_Err_NONE);
  EXPECT_EQ(host.Count("SetString"), 0);
  const int baseline = host.handles.LiveHandles();
  ASSERT_EQ(Run(PF_Cmd_GLOBAL_SETUP), PF_Err_NONE);
  ParseShapeCurveText("[x:0;y:0.2],[x:0.5;y:1],[x:1;y:0.2]", Globals()->mainPresets[3]);
  ParseShapeCurveText("[x:0;y:1],[x:1;y:0]", Globals()->petalPresets[1]);
  ASSERT_EQ(Run(PF_Cmd_GLOBAL_SETDOWN), PF_Err_NONE);
  EXPECT_TRUE(!host.InData()->global_data && !host.OutData()->global_data);
  EXPECT_EQ(host.handles.LiveHandles(), baseline);
  EXPECT_EQ(host.Count("SetString"), 10);
  EXPECT_EQ(Setting("MAIN_SHAPE_PRESET_4"), "[x:0;y:0.2],[x:0.5;y:1],[x:1;y:0.2]");
  EXPECT_EQ(Setting("PETAL_SHAPE_PRESET_2"), "[x:0;y:1],[x:1;y:0]");
  EXPECT_EQ(Setting("MAIN_SHAPE_PRESET_1"), "[x:0;y:0.75],[x:1;y:0.75]");

  ASSERT_EQ(Run(PF_Cmd_GLOBAL_SETUP), PF_Err_NONE);
  EXPECT_EQ(WriteShapeCurveText(Globals()->mainPresets[3]), "[x:0;y:0.2],[x:0.5;y:1],[x:1;y:0.2]");
  const ShapeCurve& petal = Globals()->petalPresets[1];
  EXPECT_EQ(std::pair(+petal.count, +petal.capacity), std::pair(2, 8));
  host.registry.Withdraw(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4);
  EXPECT_EQ(Run(PF_Cmd_GLOBAL_SETDOWN), A_Err_MISSING_SUITE);
  EXPECT_EQ(host.InData()->global_data, nullptr);
  EXPECT_EQ(host.handles.LiveHandles(), baseline);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

// A record that cannot be made shows a message; a lock failure or a refused
// settings suite releases everything, silently.
TEST(BuilderGlobalsSetup, FailuresReleaseEverything) {
  enum Fault { kNoHandle, kNoLock, kNoSettings };
  for (const Fault fault : {kNoHandle, kNoLock, kNoSettings}) {
    SCOPED_TRACE(fault);
    FakeBuilderHost host;
    host.handles.failNewHandle = fault == kNoHandle;
    host.handles.failLock = fault == kNoLock;
    if (fault == kNoSettings) host.registry.Withdraw(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4);
    EXPECT_EQ(host.Run(PF_Cmd_GLOBAL_SETUP),
              fault == kNoSettings ? PF_Err{A_Err_MISSING_SUITE} : PF_Err{PF_Err_OUT_OF_MEMORY});
    EXPECT_EQ(host.OutData()->global_data, nullptr);
    EXPECT_EQ(host.handles.LiveHandles(), 0);
    EXPECT_EQ((host.OutData()->out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE) != 0, fault == kNoHandle);
    if (fault == kNoHandle) {
      EXPECT_STREQ(host.OutData()->return_msg, "Could not initialise global data");
    }
  }
}

}  // namespace
}  // namespace vlam
