#include "host/suites/CallMonitor.h"
#include "host/suites/SuiteRegistry.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vlam::host;

namespace {

TEST(SuiteRegistry, SuitesAreFoundByNameAndVersion) {
  CallMonitor monitor;
  SuiteRegistry registry(monitor);
  int v1 = 1, v2 = 2;
  EXPECT_TRUE(registry.add("PF Handle Suite", 1, &v1, "host"));
  EXPECT_TRUE(registry.add("PF Handle Suite", 2, &v2, "host"));
  EXPECT_FALSE(registry.add("PF Handle Suite", 2, &v1, "plug-in")) << "a version cannot be replaced";
  EXPECT_EQ(registry.acquire("PF Handle Suite", 2), &v2);
  EXPECT_EQ(registry.acquire("PF Handle Suite", 1), &v1);
  EXPECT_EQ(registry.acquire("PF Handle Suite", 3), nullptr);
  EXPECT_EQ(registry.acquire("pf handle suite", 1), nullptr) << "names compare exactly";
  EXPECT_EQ(registry.acquire(nullptr, 1), nullptr);
  EXPECT_EQ(registry.outstanding("PF Handle Suite", 2), 1);
  EXPECT_TRUE(registry.release("PF Handle Suite", 2));
  EXPECT_FALSE(registry.release("PF Handle Suite", 2)) << "released more often than acquired";
  EXPECT_EQ(registry.outstandingTotal(), 1);
  auto missing = registry.missing();
  ASSERT_EQ(missing.size(), 2u);
  EXPECT_EQ(missing[0], (std::pair<std::string, std::int32_t>{"PF Handle Suite", 3}));
}

TEST(SuiteRegistry, RefusedSuitesAreMissingUntilCleared) {
  CallMonitor monitor;
  std::ostringstream trace;
  monitor.setTrace(&trace);
  SuiteRegistry registry(monitor);
  int table = 0;
  registry.add("ZK Vlam Utils Suite", 1, &table, "plug-in");
  registry.refuse("ZK Vlam Utils Suite");
  EXPECT_EQ(registry.acquire("ZK Vlam Utils Suite", 1), nullptr);
  EXPECT_NE(trace.str().find("AcquireSuite \"ZK Vlam Utils Suite\" v1 -> refused"), std::string::npos) << trace.str();
  registry.clearRefusals();
  registry.refuse("ZK Vlam Utils Suite", 2);
  EXPECT_EQ(registry.acquire("ZK Vlam Utils Suite", 1), &table);
}

TEST(CallMonitor, FailsTheNthCallOnlyOrFromThereOn) {
  CallMonitor monitor;
  monitor.failCall("AEGP_ApplyEffect", 2, 7);
  monitor.failCall("PF_NewWorld", 3, 4, true);
  EXPECT_EQ(monitor.enter("AEGP_ApplyEffect"), 0);
  EXPECT_EQ(monitor.enter("AEGP_ApplyEffect"), 7);
  EXPECT_EQ(monitor.enter("AEGP_ApplyEffect"), 0);
  EXPECT_EQ(monitor.enter("PF_NewWorld"), 0);
  EXPECT_EQ(monitor.enter("PF_NewWorld"), 0);
  EXPECT_EQ(monitor.enter("PF_NewWorld"), 4);
  EXPECT_EQ(monitor.enter("PF_NewWorld"), 4);
  EXPECT_EQ(monitor.callCount("AEGP_ApplyEffect"), 3);
  EXPECT_EQ(monitor.callCount("never"), 0);
}

} // namespace
