// Scoped ownership of the host references and undo groups an effect opens
// through the AEGP suites. Each is released by its owner's Release() on the
// normal path, which reports the host's error, and otherwise by the
// destructor, so a thrown error cannot leave one behind. The suite that
// releases a reference must be acquired before the reference is made.
#pragma once
#include "AE_GeneralPlug.h"

namespace vlam {

class ScopedEffectRef {
 public:
  explicit ScopedEffectRef(const AEGP_EffectSuite3 *effects) : effects_(effects) {}
  ~ScopedEffectRef() { Release(); }
  ScopedEffectRef(const ScopedEffectRef &) = delete;
  ScopedEffectRef &operator=(const ScopedEffectRef &) = delete;

  AEGP_EffectRefH *Receive() { return &ref_; }  // for the host call that makes it
  AEGP_EffectRefH get() const { return ref_; }

  // AEGP_DisposeEffect if a reference is held; its error, else none.
  A_Err Release() {
    A_Err err = A_Err_NONE;
    if (ref_ != nullptr) {
      err = effects_->AEGP_DisposeEffect(ref_);
      ref_ = nullptr;
    }
    return err;
  }

 private:
  const AEGP_EffectSuite3 *effects_;
  AEGP_EffectRefH ref_ = nullptr;
};

class ScopedStreamRef {
 public:
  explicit ScopedStreamRef(const AEGP_StreamSuite9 *streams) : streams_(streams) {}
  ~ScopedStreamRef() { Release(); }
  ScopedStreamRef(const ScopedStreamRef &) = delete;
  ScopedStreamRef &operator=(const ScopedStreamRef &) = delete;

  AEGP_StreamRefH *Receive() { return &ref_; }
  AEGP_StreamRefH get() const { return ref_; }

  // AEGP_DisposeStream if a reference is held; its error, else none.
  A_Err Release() {
    A_Err err = A_Err_NONE;
    if (ref_ != nullptr) {
      err = streams_->AEGP_DisposeStream(ref_);
      ref_ = nullptr;
    }
    return err;
  }

 private:
  const AEGP_StreamSuite9 *streams_;
  AEGP_StreamRefH ref_ = nullptr;
};

// One named undo step around a series of project changes.
class ScopedUndoGroup {
 public:
  explicit ScopedUndoGroup(const AEGP_UtilitySuite11 *utility) : utility_(utility) {}
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
  const AEGP_UtilitySuite11 *utility_;
  bool open_ = false;
};

}  // namespace vlam
