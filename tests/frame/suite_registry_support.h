// A fake suite broker for unit tests: suites are published by name and
// version, and every acquisition and release is counted.
#pragma once
#include <map>
#include <string>
#include <utility>

#include "A.h"
#include "SPBasic.h"

namespace vlam_test {

class FakeSuiteRegistry {
 public:
  FakeSuiteRegistry() : previous_(Current()) {
    Current() = this;
    basic_.AcquireSuite = &FakeSuiteRegistry::Acquire;
    basic_.ReleaseSuite = &FakeSuiteRegistry::Release;
  }
  ~FakeSuiteRegistry() { Current() = previous_; }
  FakeSuiteRegistry(const FakeSuiteRegistry &) = delete;
  FakeSuiteRegistry &operator=(const FakeSuiteRegistry &) = delete;

  void Publish(const std::string &name, A_long version, const void *suite) {
    suites_[{name, version}] = suite;
  }
  // The table published under this name and version (null: none).
  const void *Find(const std::string &name, A_long version) const {
    const auto it = suites_.find({name, version});
    return it == suites_.end() ? nullptr : it->second;
  }
  void Withdraw(const std::string &name, A_long version) { suites_.erase({name, version}); }

  SPBasicSuite *basic() { return &basic_; }
  int acquired(const std::string &name, A_long version) const {
    return Count(acquired_, name, version);
  }
  int released(const std::string &name, A_long version) const {
    return Count(released_, name, version);
  }
  // Acquisitions not yet released, over all suites.
  int outstanding() const {
    int total = 0;
    for (const auto &[key, count] : acquired_)
      total += count - Count(released_, key.first, key.second);
    return total;
  }

 private:
  using Key = std::pair<std::string, A_long>;

  static FakeSuiteRegistry *&Current() {
    static FakeSuiteRegistry *current = nullptr;
    return current;
  }
  static int Count(const std::map<Key, int> &counts, const std::string &name, A_long version) {
    const auto it = counts.find({name, version});
    return it == counts.end() ? 0 : it->second;
  }
  static SPErr Acquire(const char *name, A_long version, const void **suite) {
    FakeSuiteRegistry &self = *Current();
    const auto it = self.suites_.find({name, version});
    if (it == self.suites_.end()) {
      *suite = nullptr;
      return kSPSuiteNotFoundError;
    }
    ++self.acquired_[{name, version}];
    *suite = it->second;
    return kSPNoError;
  }
  static SPErr Release(const char *name, A_long version) {
    ++Current()->released_[{name, version}];
    return kSPNoError;
  }

  FakeSuiteRegistry *previous_;  // current again when this one goes
  SPBasicSuite basic_{};
  std::map<Key, const void *> suites_;
  std::map<Key, int> acquired_;
  std::map<Key, int> released_;
};

}  // namespace vlam_test
