// The four DRAWBOT suites every custom control draws with, acquired and
// released as one set.
#pragma once
#include "AE_Effect.h"
#include "adobesdk/DrawbotSuite.h"

namespace vlam {

struct DrawbotSuites {
  const DRAWBOT_DrawbotSuite1 *drawbot_suiteP = nullptr;
  const DRAWBOT_SupplierSuite1 *supplier_suiteP = nullptr;
  const DRAWBOT_SurfaceSuite2 *surface_suiteP = nullptr;
  const DRAWBOT_PathSuite1 *path_suiteP = nullptr;
};

inline constexpr const char *kNullDrawbotSuitesMessage =
    "NULL suite pointer passed to AEFX_AcquireDrawbotSuites";
inline constexpr const char *kAcquireSuiteMessage = "Not able to acquire AEFX Suite.";
inline constexpr const char *kReleaseSuiteMessage = "Not able to release AEFX Suite.";

// Acquires draw, supplier, surface (version 2) and path suites in this
// order. Without a record to fill: PF_Err_UNRECOGNIZED_PARAM_TYPE with its
// message. A suite the host refuses ends the acquisition with
// PF_Err_BAD_CALLBACK_PARAM and "Not able to acquire AEFX Suite."; the suites
// acquired before it are released again and the record is left empty, so a
// failed acquisition holds nothing.
PF_Err AcquireDrawbotSuites(const PF_InData *in_data, PF_OutData *out_data, DrawbotSuites *suitesP);

// Releases the four suites (same names and versions). Without a basic suite
// it only shows "Not able to release AEFX Suite.". Always PF_Err_NONE.
PF_Err ReleaseDrawbotSuites(const PF_InData *in_data, PF_OutData *out_data);

// The set for the length of one event: acquired at construction, released
// at the end of the scope when the acquisition succeeded.
class ScopedDrawbotSuites {
 public:
  ScopedDrawbotSuites(const PF_InData *in_data, PF_OutData *out_data)
      : in_data_(in_data), out_data_(out_data),
        err_(AcquireDrawbotSuites(in_data, out_data, &suites_)) {}
  ~ScopedDrawbotSuites() {
    if (err_ == PF_Err_NONE) {
      ReleaseDrawbotSuites(in_data_, out_data_);
    }
  }
  ScopedDrawbotSuites(const ScopedDrawbotSuites &) = delete;
  ScopedDrawbotSuites &operator=(const ScopedDrawbotSuites &) = delete;

  PF_Err error() const { return err_; }
  const DrawbotSuites &get() const { return suites_; }
  const DrawbotSuites *operator->() const { return &suites_; }

 private:
  const PF_InData *in_data_;
  PF_OutData *out_data_;
  DrawbotSuites suites_;
  PF_Err err_;
};

}  // namespace vlam
