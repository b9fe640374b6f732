#include "host/threads/ThreadPool.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <thread>

namespace vlam::host {

struct ThreadPool::Arena {
  explicit Arena(int n) : arena(n) {}
  tbb::task_arena arena;
};

int processorCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

ThreadPool::ThreadPool(int threadCount)
    : threads_(threadCount > 0 ? threadCount : processorCount()), arena_(std::make_unique<Arena>(threads_)) {}

ThreadPool::~ThreadPool() = default;

void ThreadPool::run(int iterations, const std::function<void(int threadIndex, int i)> &body) {
  if (iterations <= 0) return;
  if (iterations == 1 || threads_ == 1) {
    for (int i = 0; i < iterations; ++i) body(0, i);
    return;
  }
  arena_->arena.execute([&] {
    tbb::parallel_for(
        tbb::blocked_range<int>(0, iterations, 1),
        [&](const tbb::blocked_range<int> &range) {
          int index = std::clamp(tbb::this_task_arena::current_thread_index(), 0, threads_ - 1);
          for (int i = range.begin(); i != range.end(); ++i) body(index, i);
        },
        tbb::simple_partitioner());
  });
}

} // namespace vlam::host
