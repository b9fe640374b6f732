// The effect's sequence record, locked for one event.
#pragma once
#include "AE_EffectCBSuites.h"

namespace vlam {

// Locks in_data->sequence_data for the scope. get() is null when there is
// no sequence handle, when it is too small to hold a Record (a damaged or
// foreign handle) or when the lock fails, so a handler never reads past the
// host's bytes.
template <typename Record>
class LockedSequence {
 public:
  LockedSequence(const PF_InData *in_data, const PF_HandleSuite1 &handles)
      : handles_(handles), handle_(in_data->sequence_data) {
    if (handle_ != nullptr && handles_.host_get_handle_size(handle_) >= sizeof(Record)) {
      record_ = static_cast<Record *>(handles_.host_lock_handle(handle_));
    }
  }
  ~LockedSequence() {
    if (record_ != nullptr) {
      handles_.host_unlock_handle(handle_);
    }
  }
  LockedSequence(const LockedSequence &) = delete;
  LockedSequence &operator=(const LockedSequence &) = delete;

  Record *get() const { return record_; }

 private:
  const PF_HandleSuite1 &handles_;
  PF_Handle handle_;
  Record *record_ = nullptr;
};

}  // namespace vlam
