#include "host/threads/ThreadPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

using vlam::host::ThreadPool;

namespace {

TEST(ThreadPool, RunsEveryIterationExactlyOnce) {
  ThreadPool pool(2);
  std::vector<std::atomic<int>> hits(1000);
  std::atomic<bool> badIndex{false};
  pool.run(1000, [&](int thread, int i) {
    if (thread < 0 || thread >= 2) badIndex = true;
    hits[static_cast<std::size_t>(i)]++;
  });
  for (auto &h : hits) EXPECT_EQ(h.load(), 1);
  EXPECT_FALSE(badIndex);
  pool.run(0, [&](int, int) { badIndex = true; });
  EXPECT_FALSE(badIndex);
}

TEST(ThreadPool, IterationsRunOnSeveralThreadsAtOnce) {
  // Two iterations wait for each other: this only finishes when they run
  // concurrently. The wait is bounded so a broken pool fails instead of hanging.
  ThreadPool pool(2);
  std::mutex m;
  std::condition_variable cv;
  int arrived = 0;
  std::set<std::thread::id> threads;
  bool allMet = true;
  pool.run(2, [&](int, int) {
    std::unique_lock lock(m);
    threads.insert(std::this_thread::get_id());
    ++arrived;
    cv.notify_all();
    if (!cv.wait_for(lock, std::chrono::seconds(20), [&] { return arrived == 2; })) allMet = false;
  });
  EXPECT_TRUE(allMet);
  EXPECT_EQ(threads.size(), 2u);
}

TEST(ThreadPool, ZeroMeansOneThreadPerProcessor) {
  EXPECT_EQ(ThreadPool(0).threadCount(), vlam::host::processorCount());
  EXPECT_EQ(ThreadPool(3).threadCount(), 3);
}

} // namespace
