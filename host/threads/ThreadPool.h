#pragma once
#include <functional>
#include <memory>

namespace vlam::host {

// The host's worker threads: a fixed number of threads on which iterations of
// a job are spread (TBB underneath). The calling thread takes part.
class ThreadPool {
public:
  // threadCount 0 means one thread per processor.
  explicit ThreadPool(int threadCount = 0);
  ~ThreadPool();
  ThreadPool(const ThreadPool &) = delete;
  ThreadPool &operator=(const ThreadPool &) = delete;

  int threadCount() const { return threads_; }

  // Runs body(threadIndex, i) for every i in [0, iterations), each iteration
  // on some worker; returns when all have finished. threadIndex is in
  // [0, threadCount()). Exceptions from the body are not allowed to escape:
  // the caller wraps its body.
  void run(int iterations, const std::function<void(int threadIndex, int i)> &body);

private:
  struct Arena;
  int threads_;
  std::unique_ptr<Arena> arena_;
};

int processorCount();

} // namespace vlam::host
