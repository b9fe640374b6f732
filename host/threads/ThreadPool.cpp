#include "host/threads/ThreadPool.h"

#include <algorithm>
#include <thread>

#if defined(__SANITIZE_THREAD__)
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

#if defined(__SANITIZE_THREAD__)

// Under the thread sanitizer the iterations run on plain threads: the TBB
// library is not built with the sanitizer, which cannot see the hand-overs
// inside it and reports them as races, hiding any real ones. Same contract:
// the calling thread takes part, each thread has its own index, and a run
// started while another is under way (from inside an iteration) runs its
// iterations on the calling thread.
namespace {
thread_local int workerIndex = 0; // 0 for threads that are not the pool's
} // namespace

struct ThreadPool::Arena {
  explicit Arena(int threads) {
    for (int i = 1; i < threads; ++i) workers.emplace_back([this, i] { work(i); });
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
    bool idle = false;
    if (!busy.compare_exchange_strong(idle, true)) {
      for (int i = 0; i < iterations; ++i) body(workerIndex, i);
      return;
    }
    {
      std::lock_guard lock(mutex);
      job = &body;
      count = iterations;
      next = 0;
      left = static_cast<int>(workers.size());
      ++generation;
    }
    wake.notify_all();
    claim(workerIndex);
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return left == 0; });
    job = nullptr;
    busy = false;
  }

  void claim(int index) {
    for (int i = next++; i < count; i = next++) (*job)(index, i);
  }

  void work(int index) {
    workerIndex = index;
    unsigned seen = 0;
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return stopping || generation != seen; });
      if (stopping) return;
      seen = generation;
      lock.unlock();
      claim(index);
      lock.lock();
      if (--left == 0) done.notify_all();
    }
  }

  std::vector<std::thread> workers;
  std::mutex mutex;
  std::condition_variable wake, done;
  std::atomic<bool> busy{false};
  const std::function<void(int, int)> *job = nullptr;
  int count = 0;
  std::atomic<int> next{0};
  int left = 0;
  unsigned generation = 0;
  bool stopping = false;
};

#else

struct ThreadPool::Arena {
  explicit Arena(int n) : threads(n), arena(n) {}
  void run(int iterations, const std::function<void(int, int)> &body) {
    arena.execute([&] {
      tbb::parallel_for(
          tbb::blocked_range<int>(0, iterations, 1),
          [&](const tbb::blocked_range<int> &range) {
            int index = std::clamp(tbb::this_task_arena::current_thread_index(), 0, threads - 1);
            for (int i = range.begin(); i != range.end(); ++i) body(index, i);
          },
          tbb::simple_partitioner());
    });
  }
  int threads;
  tbb::task_arena arena;
};

#endif

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
  arena_->run(iterations, body);
}

} // namespace vlam::host
