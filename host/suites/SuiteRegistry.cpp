#include "host/suites/SuiteRegistry.h"

#include "host/suites/CallMonitor.h"

#include <algorithm>

namespace vlam::host {

bool SuiteRegistry::add(const std::string &name, std::int32_t version, const void *table, const std::string &owner) {
  std::lock_guard lock(mutex_);
  if (!table) return false;
  return suites_.emplace(Key{name, version}, Entry{table, owner}).second;
}

bool SuiteRegistry::refused(const Key &key) const {
  return refusedAll_.count(key.first) > 0 || refusedVersions_.count(key) > 0;
}

const void *SuiteRegistry::acquire(const char *name, std::int32_t version) {
  if (!name) return nullptr;
  const Key key{name, version};
  const void *table = nullptr;
  {
    std::lock_guard lock(mutex_);
    auto it = suites_.find(key);
    if (it != suites_.end() && !refused(key)) {
      table = it->second.table;
      ++held_[key];
    } else if (std::find(missing_.begin(), missing_.end(), key) == missing_.end()) {
      missing_.push_back(key);
    }
  }
  monitor_.note("AcquireSuite \"" + key.first + "\" v" + std::to_string(version) + (table ? "" : " -> refused"));
  return table;
}

bool SuiteRegistry::release(const char *name, std::int32_t version) {
  if (!name) return false;
  std::lock_guard lock(mutex_);
  auto it = held_.find(Key{name, version});
  if (it == held_.end() || it->second == 0) return false;
  --it->second;
  return true;
}

void SuiteRegistry::refuse(const std::string &name, std::optional<std::int32_t> version) {
  std::lock_guard lock(mutex_);
  if (version)
    refusedVersions_.insert(Key{name, *version});
  else
    refusedAll_.insert(name);
}

void SuiteRegistry::clearRefusals() {
  std::lock_guard lock(mutex_);
  refusedAll_.clear();
  refusedVersions_.clear();
}

bool SuiteRegistry::has(const std::string &name, std::int32_t version) const {
  std::lock_guard lock(mutex_);
  return suites_.count(Key{name, version}) > 0;
}

std::vector<std::pair<std::string, std::int32_t>> SuiteRegistry::missing() const {
  std::lock_guard lock(mutex_);
  return missing_;
}

int SuiteRegistry::outstanding(const std::string &name, std::int32_t version) const {
  std::lock_guard lock(mutex_);
  auto it = held_.find(Key{name, version});
  return it == held_.end() ? 0 : it->second;
}

int SuiteRegistry::outstandingTotal() const {
  std::lock_guard lock(mutex_);
  int total = 0;
  for (const auto &entry : held_) total += entry.second;
  return total;
}

} // namespace vlam::host
