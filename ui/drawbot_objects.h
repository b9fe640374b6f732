// Drawing objects made by the DRAWBOT supplier, owned so that they are
// released on every path out of a drawing handler, and the exception that
// carries a failing drawing call's error.
#pragma once
#include <exception>
#include <utility>

#include "AE_Effect.h"
#include "adobesdk/DrawbotSuite.h"

namespace vlam {

// A drawing object could not be made or released; carries the host's code.
class DRAWBOT_Exception : public std::exception {
 public:
  explicit DRAWBOT_Exception(PF_Err err) : err_(err) {}
  PF_Err err() const noexcept { return err_; }
  const char *what() const noexcept override { return "drawing object call failed"; }

 private:
  PF_Err err_;
};

// Throws DRAWBOT_Exception for a non-zero code.
inline void CheckDrawbotCall(SPErr err) {
  if (err != kSPNoError) {
    throw DRAWBOT_Exception(static_cast<PF_Err>(err));
  }
}

// One owned object reference (a pen, brush, font or path) and the supplier
// suite that made it; the supplier releases every kind as an object. A failed
// creation holds nothing, whatever the host wrote into its out-parameter. Release()
// reports a failing release by throwing; the destructor cannot, so it
// releases quietly (the object is gone from our side either way).
template <typename Ref>
class SharedRefImpl {
 public:
  SharedRefImpl(const SharedRefImpl &) = delete;
  SharedRefImpl &operator=(const SharedRefImpl &) = delete;

  Ref get() const { return ref_; }

  // Releases the held object (if any) and empties the holder.
  void Release() {
    if (ref_ != nullptr) {
      const Ref held = std::exchange(ref_, nullptr);
      CheckDrawbotCall(suite_->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(held)));
    }
  }

  // Takes ownership of `ref`, releasing the object held before.
  void Reset(Ref ref) {
    Release();
    ref_ = ref;
  }

 protected:
  explicit SharedRefImpl(const DRAWBOT_SupplierSuite1 *suite) : suite_(suite) {}
  ~SharedRefImpl() noexcept {
    if (ref_ != nullptr) {
      // No exception may leave a destructor; a host that fails to release
      // has nothing more we could do for it.
      static_cast<void>(suite_->ReleaseObject(reinterpret_cast<DRAWBOT_ObjectRef>(ref_)));
    }
  }

  const DRAWBOT_SupplierSuite1 *suite_;
  Ref ref_ = nullptr;
};

class DRAWBOT_PenP : public SharedRefImpl<DRAWBOT_PenRef> {
 public:
  DRAWBOT_PenP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier,
               const DRAWBOT_ColorRGBA &color, float size)
      : SharedRefImpl(suite) {
    DRAWBOT_PenRef made = nullptr;
    CheckDrawbotCall(suite->NewPen(supplier, &color, size, &made));
    ref_ = made;
  }
};

class DRAWBOT_BrushP : public SharedRefImpl<DRAWBOT_BrushRef> {
 public:
  DRAWBOT_BrushP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier,
                 const DRAWBOT_ColorRGBA &color)
      : SharedRefImpl(suite) {
    DRAWBOT_BrushRef made = nullptr;
    CheckDrawbotCall(suite->NewBrush(supplier, &color, &made));
    ref_ = made;
  }
};

class DRAWBOT_FontP : public SharedRefImpl<DRAWBOT_FontRef> {
 public:
  DRAWBOT_FontP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier, float size)
      : SharedRefImpl(suite) {
    DRAWBOT_FontRef made = nullptr;
    CheckDrawbotCall(suite->NewDefaultFont(supplier, size, &made));
    ref_ = made;
  }
};

class DRAWBOT_PathP : public SharedRefImpl<DRAWBOT_PathRef> {
 public:
  DRAWBOT_PathP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier)
      : SharedRefImpl(suite) {
    DRAWBOT_PathRef made = nullptr;
    CheckDrawbotCall(suite->NewPath(supplier, &made));
    ref_ = made;
  }
};

// Runs one custom-UI event handler. A DRAWBOT_Exception becomes the event's
// result here, so it never reaches the entry function's guard (which would
// report it only as damaged internals).
template <typename Handler>
PF_Err RunDrawingEvent(Handler &&handler) {
  try {
    return handler();
  } catch (const DRAWBOT_Exception &e) {
    return e.err();
  }
}

}  // namespace vlam
