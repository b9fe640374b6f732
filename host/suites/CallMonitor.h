#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace vlam::host {

// Watches every host function the module calls: counts calls per function,
// writes a trace line per call when tracing, and injects failures for tests
// (fail the n-th call of a named function with a given error code).
class CallMonitor {
public:
  // Every call of `function` from the n-th on (1-based) fails with `error`
  // when `persistent`; otherwise only the n-th call fails.
  void failCall(const std::string &function, int n, std::int32_t error, bool persistent = false);
  void clearFailures();

  // Called at the start of every host function: counts, traces and returns
  // the injected error for this call, or 0.
  std::int32_t enter(const char *function);

  // Free-form trace line (suite acquisition and other host events).
  void note(const std::string &line);

  void setTrace(std::ostream *out);
  bool tracing() const;
  int callCount(const std::string &function) const;

private:
  struct Failure {
    int n;
    std::int32_t error;
    bool persistent;
  };
  mutable std::mutex mutex_;
  std::ostream *trace_ = nullptr;
  std::map<std::string, int> counts_;
  std::multimap<std::string, Failure> failures_;
};

} // namespace vlam::host
