#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/render_commands.h"
#include "render/render_host_support.h"
#include "render/tone_table.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

class RenderGlobalsTest : public ::testing::Test {
 protected:
  RenderTestHost host;

  void TearDown() override {
    if (host.out_data.global_data != nullptr) {
      host.in_data.global_data = host.out_data.global_data;
      CallRender(PF_Cmd_GLOBAL_SETDOWN, host);
    }
    EXPECT_EQ(host.liveHandles, 0);
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
  const RenderGlobals &Globals() {
    return *static_cast<const RenderGlobals *>(*host.out_data.global_data);
  }
  // The record is packed: its pointer is copied out, never bound by reference.
  const std::uint16_t *DistanceTable() { return Globals().distanceTable; }
};

// The setup registers and builds the default curves, the distance table and
// the tone table.
TEST_F(RenderGlobalsTest, SetupRegistersAndBuildsTheCurvesAndTables) {
  ASSERT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), PF_Err_NONE);
  ASSERT_NE(host.out_data.global_data, nullptr);
  EXPECT_EQ(host.registeredName, "zk_Vlam");
  EXPECT_EQ(Globals().pluginId, 77u);

  // Fields of the packed record are read by value: they need not be aligned.
  const int counts[] = {7, 8, 6, 5};
  for (int slot = 0; slot < 4; ++slot) {
    const ShapeCurve &c = Globals().defaultCurves[slot];
    const int count = c.count, capacity = c.capacity;
    const double first = c.points[0].x, last = c.points[c.count - 1].x;
    EXPECT_EQ(count, counts[slot]) << slot;
    EXPECT_EQ(capacity, counts[slot]) << slot;
    EXPECT_EQ(first, 0.0);
    EXPECT_EQ(last, 1.0);
  }
  const double y03 = Globals().defaultCurves[0].points[3].y;  // [x:0.35;y:1.0]
  const double y17 = Globals().defaultCurves[1].points[7].y;  // [x:1.0;y:0.35]
  const double x31 = Globals().defaultCurves[3].points[1].x;  // [x:0.4;y:0.6]
  EXPECT_EQ(y03, 1.0);
  EXPECT_EQ(y17, 0.35);
  EXPECT_EQ(x31, 0.4);
  // 2^7 + the sum of the first curve's x values.
  const double signature = Globals().defaultCurves[0].xSignature;
  EXPECT_NEAR(signature, 128 + 2.85, 1e-12);

  // Distance entries are rounded half up.
  const std::uint16_t *table = Globals().distanceTable;
  ASSERT_NE(table, nullptr);
  for (long a = 0; a <= 120; ++a) {
    for (long b = 0; b <= 120; ++b) {
      // v is sqrt(q) rounded half up exactly when v - 1/2 <= sqrt(q) < v + 1/2,
      // that is (2v - 1)^2 <= 4q < (2v + 1)^2 (the lower bound only for v > 0).
      const long v = table[121 * a + b];
      const long q4 = 4 * (a * a + b * b);
      ASSERT_TRUE((v == 0 || (2 * v - 1) * (2 * v - 1) <= q4) && q4 < (2 * v + 1) * (2 * v + 1))
          << a << "," << b << " -> " << v;
    }
  }
  EXPECT_EQ(table[121 * 120 + 120], 170);

  // The tone table is linear to its knee, continuous, and ends at one.
  const float *tone = Globals().toneTable;
  EXPECT_EQ(tone[0], 0.0f);
  EXPECT_FLOAT_EQ(tone[100], 100.0f / 512.0f);
  EXPECT_FLOAT_EQ(tone[127], 127.0f / 512.0f);
  EXPECT_FLOAT_EQ(tone[128], 0.25f);
  // The logarithmic branch starts where the linear one stops: no jump at the
  // knee, and its first steps are close to a linear step (its slope there is
  // 0.625 / (0.25 ln 10), about 1.09).
  const float linearStep = 1.0f / 512.0f;
  EXPECT_NEAR(tone[128] - tone[127], linearStep, 1e-6);
  EXPECT_NEAR(tone[129] - tone[128], 1.0857f * linearStep, 0.01f * linearStep);
  for (int i = 1; i < kToneTableSize; ++i) ASSERT_GE(tone[i], tone[i - 1]) << i;
  EXPECT_EQ(tone[kToneTableSize - 1], 1.0f);
  // 0.25 + 0.625 log10(x / 0.25) reaches 1 at x = 0.25 x 10^1.2, about 3.96.
  int firstOne = 0;
  while (tone[firstOne] < 1.0f) ++firstOne;
  EXPECT_NEAR(firstOne / 512.0, 0.25 * std::pow(10.0, 1.2), 2.0 / 512.0);
  for (int i = firstOne; i < kToneTableSize; ++i) ASSERT_EQ(tone[i], 1.0f);
}

// A record that cannot be made or locked is reported and not kept; a
// registration error or a missing utility suite keeps no table.
TEST_F(RenderGlobalsTest, SetupFailuresAreReportedAndKeepNoTable) {
  for (const bool lockFails : {false, true}) {
    host.failNewHandle = !lockFails;
    host.failLockHandle = lockFails;
    host.out_data = PF_OutData{};
    EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), PF_Err_OUT_OF_MEMORY);
    EXPECT_STREQ(host.out_data.return_msg, lockFails ? "Could not initialise global data (2)"
                                                     : "Could not initialise global data (1)");
    EXPECT_NE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
    EXPECT_EQ(host.out_data.global_data, nullptr);
  }

  // A registration error is the result, and a missing utility suite fails
  // the setup; neither keeps a table.
  host.failNewHandle = host.failLockHandle = false;
  host.out_data = PF_OutData{};
  host.registerError = A_Err_GENERIC;
  EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), A_Err_GENERIC);
  ASSERT_NE(host.out_data.global_data, nullptr);
  // A failed global setup is not set down, so nothing may stay allocated.
  EXPECT_EQ(DistanceTable(), nullptr);

  host.in_data.global_data = host.out_data.global_data;
  CallRender(PF_Cmd_GLOBAL_SETDOWN, host);
  host.registerError = A_Err_NONE;
  host.out_data = PF_OutData{};
  host.registry.Withdraw(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5);
  EXPECT_EQ(CallRender(PF_Cmd_GLOBAL_SETUP, host), A_Err_MISSING_SUITE);
  // The record stays for the setdown, which frees it; no table was made yet.
  ASSERT_NE(host.out_data.global_data, nullptr);
  EXPECT_EQ(DistanceTable(), nullptr);
}

}  // namespace
}  // namespace vlam_render_test
