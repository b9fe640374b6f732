// The host's worker threads on std::thread alone, for builds without TBB (the
// Windows build). Workers live as long as the pool; one job runs at a time,
// its iterations handed out in order from a shared counter, the calling
// thread taking part as thread 0.
#include "host/threads/ThreadPool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vlam::host {

int processorCount() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

struct ThreadPool::Arena {
  using Body = std::function<void(int threadIndex, int i)>;

  explicit Arena(int threads) {
    for (int index = 1; index < threads; ++index) workers.emplace_back([this, index] { serve(index); });
  }
  ~Arena() {
    {
      std::lock_guard lock(mutex);
      stopping = true;
    }
    wake.notify_all();
    for (std::thread &worker : workers) worker.join();
  }

  void serve(int index) {
    std::uint64_t seen = 0;
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return stopping || generation != seen; });
      if (stopping) return;
      seen = generation;
      lock.unlock();
      work(index);
      lock.lock();
      if (--busy == 0) done.notify_all();
    }
  }

  // Takes iterations until none is left.
  void work(int index) {
    const Arena *outerArena = insideArena;
    const int outerIndex = insideIndex;
    insideArena = this;
    insideIndex = index;
    for (int i = next.fetch_add(1); i < iterations; i = next.fetch_add(1)) (*body)(index, i);
    insideArena = outerArena;
    insideIndex = outerIndex;
  }

  void run(int count, const Body &job) {
    std::lock_guard oneJob(runMutex);
    {
      std::lock_guard lock(mutex);
      body = &job;
      iterations = count;
      next = 0;
      busy = static_cast<int>(workers.size());
      ++generation;
    }
    wake.notify_all();
    work(0);
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return busy == 0; });
    body = nullptr;
  }

  // The pool a thread is working for, and its index there: a job started
  // from inside one of the pool's iterations runs on that thread alone.
  static thread_local const Arena *insideArena;
  static thread_local int insideIndex;

  std::vector<std::thread> workers;
  std::mutex runMutex; // one job at a time
  std::mutex mutex;    // guards what follows but `next`
  std::condition_variable wake;
  std::condition_variable done;
  const Body *body = nullptr;
  int iterations = 0;
  std::atomic<int> next{0};
  int busy = 0;
  std::uint64_t generation = 0;
  bool stopping = false;
};

thread_local const ThreadPool::Arena *ThreadPool::Arena::insideArena = nullptr;
thread_local int ThreadPool::Arena::insideIndex = 0;

ThreadPool::ThreadPool(int threadCount)
    : threads_(threadCount > 0 ? threadCount : processorCount()), arena_(std::make_unique<Arena>(threads_)) {}

ThreadPool::~ThreadPool() = default;

void ThreadPool::run(int iterations, const std::function<void(int threadIndex, int i)> &body) {
  if (iterations <= 0) return;
  const bool nested = Arena::insideArena == arena_.get();
  if (iterations == 1 || threads_ == 1 || nested) {
    const int index = nested ? Arena::insideIndex : 0;
    for (int i = 0; i < iterations; ++i) body(index, i);
    return;
  }
  arena_->run(iterations, body);
}

} // namespace vlam::host
