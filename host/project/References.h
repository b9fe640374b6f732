#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace vlam::host {

// What an AEGP_EffectRefH stands for: an effect instance, by id, so that a
// reference outliving its effect is detected rather than followed.
struct EffectRef {
  std::uint32_t effectId = 0;
};

// What an AEGP_StreamRefH stands for: one parameter stream of an effect.
struct StreamRef {
  std::uint32_t effectId = 0;
  int paramIndex = 0;
};

// References handed to plug-ins: created on request, disposed by the
// plug-in, and looked up only if they are live.
template <class T> class RefTable {
public:
  T *make(T value) {
    auto owned = std::make_unique<T>(value);
    T *raw = owned.get();
    std::lock_guard lock(mutex_);
    refs_.emplace(raw, std::move(owned));
    return raw;
  }
  bool dispose(const void *ref) {
    std::lock_guard lock(mutex_);
    return refs_.erase(static_cast<const T *>(ref)) > 0;
  }
  T *find(const void *ref) const {
    std::lock_guard lock(mutex_);
    auto it = refs_.find(static_cast<const T *>(ref));
    return it == refs_.end() ? nullptr : it->second.get();
  }
  std::size_t live() const {
    std::lock_guard lock(mutex_);
    return refs_.size();
  }

private:
  mutable std::mutex mutex_;
  std::unordered_map<const T *, std::unique_ptr<T>> refs_;
};

} // namespace vlam::host
