// Host suites called the way the module calls them: persistent settings,
// worker threads, handles.
#include "host_support.h"

#include <AE_GeneralPlug.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

using namespace vlam;
using vlam::test::TempDir;

namespace {

TEST(PersistentData, PresetsWrittenInOneRunAreReadInTheNext) {
  TempDir dir;
  {
    host::Host host(test::testHostOptions(dir));
    auto *data = test::acquire<AEGP_PersistentDataSuite4>(host, kAEGPPersistentDataSuite, 4);
    ASSERT_NE(data, nullptr);
    AEGP_PersistentBlobH blob = nullptr;
    ASSERT_EQ(data->AEGP_GetApplicationBlob(AEGP_PersistentType_MACHINE_SPECIFIC, &blob), A_Err_NONE);
    char buffer[64];
    A_u_long size = 0;
    // A missing key reads as the default, which is stored.
    ASSERT_EQ(data->AEGP_GetString(blob, "Settings_zkVlam", "MAIN_SHAPE_PRESET_1", "[x:0;y:0.5]", sizeof buffer,
                                   buffer, &size),
              A_Err_NONE);
    EXPECT_STREQ(buffer, "[x:0;y:0.5]");
    EXPECT_EQ(size, 12u);
    ASSERT_EQ(data->AEGP_SetString(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", "[x:1;y:1]"), A_Err_NONE);
    // A buffer too small gets the text cut and zero-terminated.
    char small[4];
    ASSERT_EQ(data->AEGP_GetString(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", "", sizeof small, small, &size),
              A_Err_NONE);
    EXPECT_STREQ(small, "[x:");
    EXPECT_EQ(size, 10u);
    A_long number = 0;
    EXPECT_NE(data->AEGP_GetLong(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", 3, &number), A_Err_NONE)
        << "a string is not a long";
    host.basicSuite()->ReleaseSuite(kAEGPPersistentDataSuite, 4);
  }
  host::Host host(test::testHostOptions(dir));
  auto *v3 = test::acquire<AEGP_PersistentDataSuite3>(host, kAEGPPersistentDataSuite, 3);
  AEGP_PersistentBlobH blob = nullptr;
  ASSERT_EQ(v3->AEGP_GetApplicationBlob(&blob), A_Err_NONE);
  char buffer[64] = {};
  ASSERT_EQ(v3->AEGP_GetString(blob, "Settings_zkVlam", "PETAL_SHAPE_PRESET_2", "default", sizeof buffer, buffer,
                               nullptr),
            A_Err_NONE);
  EXPECT_STREQ(buffer, "[x:1;y:1]");
  A_long sections = 0;
  EXPECT_EQ(v3->AEGP_GetNumSections(blob, &sections), A_Err_NONE);
  EXPECT_EQ(sections, 1);
  EXPECT_NE(v3->AEGP_GetString(reinterpret_cast<AEGP_PersistentBlobH>(buffer), "S", "K", "d", sizeof buffer, buffer,
                               nullptr),
            A_Err_NONE)
      << "a pointer that is no blob";
}

struct IterationLog {
  std::mutex m;
  std::condition_variable cv;
  std::set<A_long> threadIndices;
  std::set<std::thread::id> threads;
  std::vector<A_long> seen;
  A_long iterationsArgument = 0;
  int waiting = 0;
  bool met = true;
};

A_Err logIteration(void *refcon, A_long thread, A_long i, A_long iterations) {
  auto *log = static_cast<IterationLog *>(refcon);
  std::unique_lock lock(log->m);
  log->threadIndices.insert(thread);
  log->threads.insert(std::this_thread::get_id());
  log->seen.push_back(i);
  log->iterationsArgument = iterations;
  // The first two iterations wait for each other: only concurrent threads get past.
  if (i < 2) {
    ++log->waiting;
    log->cv.notify_all();
    if (!log->cv.wait_for(lock, std::chrono::seconds(20), [&] { return log->waiting >= 2; })) log->met = false;
  }
  return i == 5 ? A_Err_PARAMETER : A_Err_NONE;
}

TEST(Iterate, OncePerProcessorOnSeveralThreads) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  auto *iterate = test::acquire<AEGP_IterateSuite1>(host, kAEGPIterateSuite, 1);
  ASSERT_NE(iterate, nullptr);
  A_long threads = 0;
  ASSERT_EQ(iterate->AEGP_GetNumThreads(&threads), A_Err_NONE);
  EXPECT_EQ(threads, 2);
  IterationLog log;
  ASSERT_EQ(iterate->AEGP_IterateGeneric(-1, &log, logIteration), A_Err_NONE);
  EXPECT_TRUE(log.met) << "iterations did not run at the same time";
  EXPECT_EQ(log.threads.size(), 2u);
  EXPECT_EQ(log.threadIndices, (std::set<A_long>{0, 1}));
  EXPECT_EQ(log.iterationsArgument, 2);
  IterationLog many;
  many.waiting = 2; // no waiting this time
  EXPECT_EQ(iterate->AEGP_IterateGeneric(40, &many, logIteration), A_Err_PARAMETER) << "the failing iteration's error";
  std::sort(many.seen.begin(), many.seen.end());
  ASSERT_EQ(many.seen.size(), 40u) << "every iteration ran despite the error";
  EXPECT_EQ(many.seen.back(), 39);
  host.basicSuite()->ReleaseSuite(kAEGPIterateSuite, 1);
}

TEST(Handles, HostHandlesResizeKeepContentAndRefuseStrangers) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  auto *handles = test::acquire<PF_HandleSuite1>(host, kPFHandleSuite, 2);
  PF_Handle h = handles->host_new_handle(4);
  ASSERT_NE(h, nullptr);
  std::memcpy(handles->host_lock_handle(h), "abcd", 4);
  handles->host_unlock_handle(h);
  ASSERT_EQ(handles->host_resize_handle(8, &h), PF_Err_NONE);
  EXPECT_EQ(handles->host_get_handle_size(h), 8u);
  EXPECT_EQ(std::memcmp(*h, "abcd\0\0\0\0", 8), 0);
  void *stranger[1] = {nullptr};
  handles->host_dispose_handle(reinterpret_cast<PF_Handle>(stranger));
  EXPECT_EQ(handles->host_get_handle_size(reinterpret_cast<PF_Handle>(stranger)), 0u);
  EXPECT_EQ(host.handles().badHandleCalls(), 2u);
  const std::size_t live = host.handles().liveCount();
  handles->host_dispose_handle(h);
  EXPECT_EQ(host.handles().liveCount(), live - 1);
  handles->host_dispose_handle(h);
  EXPECT_EQ(host.handles().badHandleCalls(), 3u) << "a second dispose is refused, not a double free";
  host.basicSuite()->ReleaseSuite(kPFHandleSuite, 2);
}

TEST(Suites, TraceShowsHostCallsAndMissingSuites) {
  TempDir dir;
  std::ostringstream trace;
  host::HostOptions options = test::testHostOptions(dir);
  options.trace = &trace;
  host::Host host(options);
  EXPECT_EQ(test::acquire<AEGP_IterateSuite1>(host, "No Such Suite", 1), nullptr);
  EXPECT_NE(trace.str().find("AcquireSuite \"SP Suites Suite\" v2"), std::string::npos);
  EXPECT_NE(trace.str().find("trace: AEGP_RegisterIdleHook"), std::string::npos);
  EXPECT_NE(trace.str().find("AcquireSuite \"No Such Suite\" v1 -> refused"), std::string::npos);
  ASSERT_EQ(host.suites().missing().size(), 1u);
}

} // namespace
