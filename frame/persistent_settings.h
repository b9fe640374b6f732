// Strings in the host's persistent settings (the application blob).
#pragma once
#include <string>

#include "AE_GeneralPlug.h"

namespace vlam {

class PersistentSettings {
 public:
  // From effect API minor version 4 on, the version 4 suite and the
  // machine-specific blob; before that the version 3 suite. A host without a
  // basic suite gets nothing acquired, and the operations must not be used.
  PersistentSettings(const PF_InData *in_data, const char *section);
  ~PersistentSettings();

  PersistentSettings(const PersistentSettings &) = delete;
  PersistentSettings &operator=(const PersistentSettings &) = delete;

  bool usable() const { return v3_ != nullptr || v4_ != nullptr; }
  A_Err blob_error() const { return blob_error_; }

  // The stored text (at most buffer_size - 1 bytes), or the default when the
  // key is missing or the host cannot read it.
  std::string GetString(const char *key, const char *default_value, A_u_long buffer_size) const;
  A_Err SetString(const char *key, const char *value) const;

 private:
  const PF_InData *owner_;
  std::string section_;
  const AEGP_PersistentDataSuite3 *v3_ = nullptr;
  const AEGP_PersistentDataSuite4 *v4_ = nullptr;
  AEGP_PersistentBlobH blob_ = nullptr;
  A_Err blob_error_ = A_Err_NONE;
};

}  // namespace vlam
