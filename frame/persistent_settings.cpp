#include "frame/persistent_settings.h"

#include <cstring>
#include <vector>

#include "frame/host_error.h"

namespace vlam {

PersistentSettings::PersistentSettings(const PF_InData *in_data, const char *section)
    : owner_(in_data), section_(section) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  if (basic == nullptr) {
    return;
  }
  const bool use_v4 = in_data->version.minor > 3;
  const A_long version =
      use_v4 ? kAEGPPersistentDataSuiteVersion4 : kAEGPPersistentDataSuiteVersion3;
  const void *suite = nullptr;
  if (basic->AcquireSuite(kAEGPPersistentDataSuite, version, &suite) != kSPNoError ||
      suite == nullptr) {
    ThrowHostError(A_Err_MISSING_SUITE);
  }
  if (use_v4) {
    v4_ = static_cast<const AEGP_PersistentDataSuite4 *>(suite);
    blob_error_ = v4_->AEGP_GetApplicationBlob(AEGP_PersistentType_MACHINE_SPECIFIC, &blob_);
  } else {
    v3_ = static_cast<const AEGP_PersistentDataSuite3 *>(suite);
    blob_error_ = v3_->AEGP_GetApplicationBlob(&blob_);
  }
}

PersistentSettings::~PersistentSettings() {
  if (v4_ != nullptr) {
    owner_->pica_basicP->ReleaseSuite(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4);
  } else if (v3_ != nullptr) {
    owner_->pica_basicP->ReleaseSuite(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion3);
  }
}

std::string PersistentSettings::GetString(const char *key, const char *default_value,
                                          A_u_long buffer_size) const {
  if (buffer_size == 0) {
    return std::string();
  }
  std::vector<A_char> buffer(buffer_size, '\0');
  A_u_long actual = 0;
  A_Err err = A_Err_NONE;
  if (v4_ != nullptr) {
    err = v4_->AEGP_GetString(blob_, section_.c_str(), key, default_value, buffer_size,
                              buffer.data(), &actual);
  } else if (v3_ != nullptr) {
    err = v3_->AEGP_GetString(blob_, section_.c_str(), key, default_value, buffer_size,
                              buffer.data(), &actual);
  } else {
    err = A_Err_MISSING_SUITE;
  }
  if (err != A_Err_NONE) {
    return default_value != nullptr ? std::string(default_value) : std::string();
  }
  // The text ends at its first zero byte and never beyond the buffer.
  buffer.back() = '\0';
  return std::string(buffer.data());
}

A_Err PersistentSettings::SetString(const char *key, const char *value) const {
  if (v4_ != nullptr) {
    return v4_->AEGP_SetString(blob_, section_.c_str(), key, value);
  }
  if (v3_ != nullptr) {
    return v3_->AEGP_SetString(blob_, section_.c_str(), key, value);
  }
  return A_Err_MISSING_SUITE;
}

}  // namespace vlam
