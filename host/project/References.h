#pragma once
#include "host/project/LayerMask.h"

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

// What an AEGP_StreamRefH stands for: one parameter stream of an effect,
// or (maskStream not 0) one property of a layer mask.
struct StreamRef {
  std::uint32_t effectId = 0;
  int paramIndex = 0;
  std::uint32_t maskLayerId = 0;
  std::uint32_t maskId = 0;
  std::int32_t maskStream = 0; // AEGP_MaskStream
};

// What an AEGP_MaskRefH stands for: a mask of a layer, by ids.
struct MaskRef {
  std::uint32_t layerId = 0;
  std::uint32_t maskId = 0;
};

// A mask outline checked out by an effect (PF_PathOutlinePtr): its shape at
// the asked time, in layer pixels, and the call that checked it out.
struct PathOutline {
  std::uint32_t maskId = 0;
  const void *effectRef = nullptr;
  MaskShape shape;
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
