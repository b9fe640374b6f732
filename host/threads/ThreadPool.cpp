#include "host/threads/ThreadPool.h"

#include <algorithm>
#include <thread>

#if VLAM_PLAIN_THREAD_POOL
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>
#else
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>
#endif

namespace vlam::host {

int processorCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

#if VLAM_PLAIN_THREAD_POOL

// Worker threads of our own, for the thread sanitizer build: TBB's library is
// not built with the sanitizer, so its hand-over of work between threads is
// invisible to it. Iterations are handed out through a relaxed counter, which
// orders nothing: two iterations on different threads stay unordered for the
// sanitizer, as under TBB. Only the start and the end of a job order memory.
// A job started from inside a job (an iteration that iterates) runs on the
// thread that asked, under that thread's index; jobs from two outside
// threads take turns.
thread_local int insideJobAs = -1;

struct ThreadPool::Arena {
  explicit Arena(int threads) {
    for (int index = 1; index < threads; ++index) workers.emplace_back([this, index] { work(index); });
  }
  ~Arena() {
    {
      std::lock_guard lock(mutex);
      stopping = true;
    }
    wake.notify_all();
    for (std::thread &t : workers) t.join();
  }

  void run(int iterations, const std::function<void(int, int)> &body) {
    if (insideJobAs >= 0) {
      for (int i = 0; i < iterations; ++i) body(insideJobAs, i);
      return;
    }
    std::lock_guard turn(oneJob);
    {
      std::lock_guard lock(mutex);
      job = &body;
      count = iterations;
      next.store(0, std::memory_order_relaxed);
      busy = static_cast<int>(workers.size());
      ++generation;
    }
    wake.notify_all();
    take(0);
    std::unique_lock lock(mutex);
    done.wait(lock, [this] { return busy == 0; });
    job = nullptr;
  }

  void work(int index) {
    unsigned seen = 0;
    for (;;) {
      {
        std::unique_lock lock(mutex);
        wake.wait(lock, [&] { return stopping || generation != seen; });
        if (stopping) return;
        seen = generation;
      }
      take(index);
      {
        std::lock_guard lock(mutex);
        --busy;
      }
      done.notify_one();
    }
  }

  void take(int index) {
    insideJobAs = index;
    for (int i = next.fetch_add(1, std::memory_order_relaxed); i < count; i = next.fetch_add(1, std::memory_order_relaxed))
      (*job)(index, i);
    insideJobAs = -1;
  }

  std::mutex oneJob;
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable done;
  std::vector<std::thread> workers;
  const std::function<void(int, int)> *job = nullptr;
  int count = 0;
  std::atomic<int> next{0};
  int busy = 0;
  unsigned generation = 0;
  bool stopping = false;
};

void ThreadPool::run(int iterations, const std::function<void(int threadIndex, int i)> &body) {
  if (iterations <= 0) return;
  if (iterations == 1 || threads_ == 1) {
    for (int i = 0; i < iterations; ++i) body(0, i);
    return;
  }
  arena_->run(iterations, body);
}

#else

struct ThreadPool::Arena {
  explicit Arena(int n) : arena(n) {}
  tbb::task_arena arena;
};

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

#endif

ThreadPool::ThreadPool(int threadCount)
    : threads_(threadCount > 0 ? threadCount : processorCount()), arena_(std::make_unique<Arena>(threads_)) {}

ThreadPool::~ThreadPool() = default;

} // namespace vlam::host
