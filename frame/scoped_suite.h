// One host suite acquired by name and version for the length of a scope.
#pragma once
#include "AE_Effect.h"
#include "SPBasic.h"
#include "frame/error_message.h"
#include "frame/host_error.h"

namespace vlam {

template <typename Suite>
class ScopedSuite {
 public:
  // Throws A_Err_MISSING_SUITE when the host refuses the suite.
  ScopedSuite(const SPBasicSuite *basic, const char *name, A_long version)
      : basic_(basic), name_(name), version_(version) {
    if (!Acquire()) {
      ThrowHostError(A_Err_MISSING_SUITE);
    }
  }

  // As above, but a refusal is also shown to the user: the display-error
  // flag is set and the message written before the throw.
  ScopedSuite(const PF_InData *in_data, PF_OutData *out_data, const char *name, A_long version,
              const char *message)
      : basic_(in_data->pica_basicP), name_(name), version_(version) {
    if (!Acquire()) {
      ReportErrorMessage(in_data, out_data, message);
      ThrowHostError(A_Err_MISSING_SUITE);
    }
  }

  ~ScopedSuite() { basic_->ReleaseSuite(name_, version_); }

  ScopedSuite(const ScopedSuite &) = delete;
  ScopedSuite &operator=(const ScopedSuite &) = delete;

  const Suite *operator->() const { return suite_; }
  const Suite *get() const { return suite_; }

 private:
  bool Acquire() {
    if (basic_ == nullptr) {
      return false;
    }
    const void *suite = nullptr;
    if (basic_->AcquireSuite(name_, version_, &suite) != kSPNoError || suite == nullptr) {
      return false;
    }
    suite_ = static_cast<const Suite *>(suite);
    return true;
  }

  const SPBasicSuite *basic_;
  const char *name_;
  A_long version_;
  const Suite *suite_ = nullptr;
};

}  // namespace vlam
