#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vlam::host {

class CallMonitor;

// The host's suite broker: suite tables by (name, version). The host
// publishes its own suites here; plug-ins add theirs through
// "SP Suites Suite". Acquiring an unknown or refused suite fails and is
// remembered, so that a trace or a test can list what was missing.
class SuiteRegistry {
public:
  explicit SuiteRegistry(CallMonitor &monitor) : monitor_(monitor) {}

  // Publishes a table; false when (name, version) is already taken.
  bool add(const std::string &name, std::int32_t version, const void *table, const std::string &owner);

  // Looks a suite up for a plug-in. nullptr when unknown or refused.
  const void *acquire(const char *name, std::int32_t version);
  // Returns false when nothing of that name and version is held.
  bool release(const char *name, std::int32_t version);

  // Test and user fault injection: make a suite unavailable (every version
  // when `version` is empty).
  void refuse(const std::string &name, std::optional<std::int32_t> version = std::nullopt);
  void clearRefusals();

  bool has(const std::string &name, std::int32_t version) const;
  // (name, version) pairs asked for but not granted, in first-asked order.
  std::vector<std::pair<std::string, std::int32_t>> missing() const;
  // Acquisitions not yet released, per (name, version).
  int outstanding(const std::string &name, std::int32_t version) const;
  int outstandingTotal() const;

private:
  using Key = std::pair<std::string, std::int32_t>;
  struct Entry {
    const void *table;
    std::string owner;
  };
  bool refused(const Key &key) const;

  CallMonitor &monitor_;
  mutable std::mutex mutex_;
  std::map<Key, Entry> suites_;
  std::map<Key, int> held_;
  std::set<std::string> refusedAll_;
  std::set<Key> refusedVersions_;
  std::vector<Key> missing_;
};

} // namespace vlam::host
