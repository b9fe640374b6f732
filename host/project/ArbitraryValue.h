#pragma once
#include <AE_Effect.h>

#include <functional>
#include <utility>

namespace vlam::host {

// One value of an arbitrary-data parameter: a handle that the effect's
// arbitrary callback made and the host keeps. Keyframes and copies of a
// parameter value share the object; when the last holder lets go, the handle
// goes back to the effect to be disposed (PF_Arbitrary_DISPOSE_FUNC).
class ArbitraryValue {
public:
  using Disposer = std::function<void(PF_Handle)>;
  ArbitraryValue(PF_Handle handle, Disposer dispose) : handle_(handle), dispose_(std::move(dispose)) {}
  ~ArbitraryValue() {
    try {
      if (handle_ && dispose_) dispose_(handle_);
    } catch (...) {
      // A value dying must never throw; the handle stays with the host's table.
    }
  }
  ArbitraryValue(const ArbitraryValue &) = delete;
  ArbitraryValue &operator=(const ArbitraryValue &) = delete;

  PF_Handle handle() const { return handle_; }

private:
  PF_Handle handle_;
  Disposer dispose_;
};

} // namespace vlam::host
