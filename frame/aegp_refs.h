// Scoped ownership of the host references and undo groups an effect opens
// through the AEGP suites. Each is released by its owner's Release() on the
// normal path, which reports the host's error, and otherwise by the
// destructor, so a thrown error cannot leave one behind. The suite that
// releases a reference must be acquired before the reference is made.
#pragma once
#include "AE_GeneralPlug.h"

namespace vlam {

// A reference made by one host call and disposed by a function of `Suite`.
template <typename Suite, typename Handle, A_Err (*Suite::*Dispose)(Handle)>
class ScopedAegpRef {
 public:
  explicit ScopedAegpRef(const Suite *suite) : suite_(suite) {}
  ~ScopedAegpRef() { Release(); }
  ScopedAegpRef(const ScopedAegpRef &) = delete;
  ScopedAegpRef &operator=(const ScopedAegpRef &) = delete;

  Handle *Receive() { return &ref_; }  // for the host call that makes it
  Handle get() const { return ref_; }

  // Disposes the reference if one is held; the host's error, else none.
  A_Err Release() {
    A_Err err = A_Err_NONE;
    if (ref_ != nullptr) {
      err = (suite_->*Dispose)(ref_);
      ref_ = nullptr;
    }
    return err;
  }

 private:
  const Suite *suite_;
  Handle ref_ = nullptr;
};

using ScopedEffectRef =
    ScopedAegpRef<AEGP_EffectSuite3, AEGP_EffectRefH, &AEGP_EffectSuite3::AEGP_DisposeEffect>;
using ScopedStreamRef =
    ScopedAegpRef<AEGP_StreamSuite4, AEGP_StreamRefH, &AEGP_StreamSuite4::AEGP_DisposeStream>;

// One named undo step around a series of project changes.
class ScopedUndoGroup {
 public:
  explicit ScopedUndoGroup(const AEGP_UtilitySuite5 *utility) : utility_(utility) {}
  ~ScopedUndoGroup() { Close(); }
  ScopedUndoGroup(const ScopedUndoGroup &) = delete;
  ScopedUndoGroup &operator=(const ScopedUndoGroup &) = delete;

  // The group counts as open only when the host accepted it.
  A_Err Open(const char *name) {
    const A_Err err = utility_->AEGP_StartUndoGroup(name);
    open_ = (err == A_Err_NONE);
    return err;
  }
  bool open() const { return open_; }

  // AEGP_EndUndoGroup if the group is open; its error, else none.
  A_Err Close() {
    if (!open_) {
      return A_Err_NONE;
    }
    open_ = false;
    return utility_->AEGP_EndUndoGroup();
  }

 private:
  const AEGP_UtilitySuite5 *utility_;
  bool open_ = false;
};

}  // namespace vlam
