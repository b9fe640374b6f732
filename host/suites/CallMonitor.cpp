#include "host/suites/CallMonitor.h"

namespace vlam::host {

void CallMonitor::failCall(const std::string &function, int n, std::int32_t error, bool persistent) {
  std::lock_guard lock(mutex_);
  failures_.emplace(function, Failure{n, error, persistent});
}

void CallMonitor::clearFailures() {
  std::lock_guard lock(mutex_);
  failures_.clear();
}

std::int32_t CallMonitor::enter(const char *function) {
  std::lock_guard lock(mutex_);
  const int n = ++counts_[function];
  std::int32_t injected = 0;
  auto [first, last] = failures_.equal_range(function);
  for (auto it = first; it != last; ++it)
    if (n == it->second.n || (it->second.persistent && n > it->second.n)) injected = it->second.error;
  if (trace_) {
    *trace_ << "trace: " << function;
    if (injected) *trace_ << " -> injected error " << injected;
    *trace_ << '\n';
  }
  return injected;
}

void CallMonitor::note(const std::string &line) {
  std::lock_guard lock(mutex_);
  if (trace_) *trace_ << "trace: " << line << '\n';
}

void CallMonitor::setTrace(std::ostream *out) {
  std::lock_guard lock(mutex_);
  trace_ = out;
}

bool CallMonitor::tracing() const {
  std::lock_guard lock(mutex_);
  return trace_ != nullptr;
}

int CallMonitor::callCount(const std::string &function) const {
  std::lock_guard lock(mutex_);
  auto it = counts_.find(function);
  return it == counts_.end() ? 0 : it->second;
}

} // namespace vlam::host
