// Host services: the suite registry and call monitor, the thread pool and
// the iterate suite, handles, the trace.
#include "host/suites/CallMonitor.h"
#include "host/suites/SuiteRegistry.h"
#include "host/threads/ThreadPool.h"
#include "host_support.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>
#include <AE_GeneralPlug.h>

using namespace vlam::host;
using namespace vlam;

namespace {

TEST(SuiteRegistry, SuitesAreFoundByNameAndVersionAndTheMonitorFailsTheCallsAskedFor) {
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
  // Refused suites are missing until the refusals are cleared (what the
  // module says then, the tool's --refuse-suite test sees).
  int table = 0;
  registry.add("ZK Vlam Utils Suite", 1, &table, "plug-in");
  registry.refuse("ZK Vlam Utils Suite");
  EXPECT_EQ(registry.acquire("ZK Vlam Utils Suite", 1), nullptr);
  registry.clearRefusals();
  registry.refuse("ZK Vlam Utils Suite", 2);
  EXPECT_EQ(registry.acquire("ZK Vlam Utils Suite", 1), &table);
  // The call monitor fails the nth call only, or from there on.
  CallMonitor failing;
  failing.failCall("AEGP_ApplyEffect", 2, 7);
  failing.failCall("PF_NewWorld", 2, 4, true);
  std::vector<std::int32_t> answers;
  for (const char *name : {"AEGP_ApplyEffect", "PF_NewWorld"})
    for (int i = 0; i < 3; ++i) answers.push_back(failing.enter(name));
  EXPECT_EQ(answers, (std::vector<std::int32_t>{0, 7, 0, 0, 4, 4}));
  EXPECT_EQ(failing.callCount("PF_NewWorld"), 3);
}

// Host suites called the way the module calls them: persistent settings,
// worker threads, handles.
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

using Iterate = test::HostTest;

TEST_F(Iterate, OncePerProcessorOnSeveralThreadsAndHandlesRefuseStrangers) {
  auto *iterate = suite<AEGP_IterateSuite1>(kAEGPIterateSuite, 1);
  ASSERT_NE(iterate, nullptr);
  A_long threads = 0;
  ASSERT_EQ(iterate->AEGP_GetNumThreads(&threads), A_Err_NONE);
  EXPECT_EQ(threads, 2);
  EXPECT_EQ(ThreadPool(0).threadCount(), vlam::host::processorCount()) << "0: one per processor";
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
  // Host handles refuse strangers and a second dispose.
  auto *handles = suite<PF_HandleSuite1>(kPFHandleSuite, 2);
  PF_Handle h = handles->host_new_handle(4);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(handles->host_get_handle_size(h), 4u);
  void *stranger[1] = {nullptr};
  handles->host_dispose_handle(reinterpret_cast<PF_Handle>(stranger));
  EXPECT_EQ(handles->host_get_handle_size(reinterpret_cast<PF_Handle>(stranger)), 0u);
  EXPECT_EQ(host.handles().badHandleCalls(), 2u);
  const std::size_t live = host.handles().liveCount();
  handles->host_dispose_handle(h);
  EXPECT_EQ(host.handles().liveCount(), live - 1);
  handles->host_dispose_handle(h);
  EXPECT_EQ(host.handles().badHandleCalls(), 3u) << "a second dispose is refused, not a double free";
}
} // namespace
