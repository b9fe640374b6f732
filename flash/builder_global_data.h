// Making and releasing the Flash Builder's global record (BuilderGlobals).
#pragma once
#include <optional>
#include <string>

#include "AE_Effect.h"
#include "flash/curve_presets.h"
#include "frame/persistent_settings.h"

namespace vlam {

// PF_Cmd_GLOBAL_SETUP: allocates BuilderGlobals, fills its tables, makes the
// two curve handlers in 32-byte handles of their own and loads the presets
// from `presets`. The record keeps one lock (see BuilderGlobalsLock) and
// is stored in out_data->global_data. On any failure everything made so far is
// released and no global data is set: an unallocatable record shows "Could
// not initialise global data" and returns PF_Err_OUT_OF_MEMORY, as does a
// lock or handler failure (without a message). A refused handle suite
// throws A_Err_MISSING_SUITE.
PF_Err CreateBuilderGlobals(PF_InData* in_data, PF_OutData* out_data, CurvePresetStore& presets);

// PF_Cmd_GLOBAL_SETDOWN: when there is global data, saves the presets to
// `presets`, destroys the handlers, frees their handles and the record and
// clears both global-data fields. The record is freed even when saving throws.
PF_Err ReleaseBuilderGlobals(PF_InData* in_data, PF_OutData* out_data, CurvePresetStore& presets);

// The host's persistent settings (section "Settings_zkVlam") as a preset
// store, opened on first use so that a refused settings suite surfaces
// (as a thrown A_Err_MISSING_SUITE) where the global record can still be
// released.
class SettingsPresetStore : public CurvePresetStore {
 public:
  explicit SettingsPresetStore(const PF_InData* in_data) : in_data_(in_data) {}
  std::string Get(const char* key, const char* defaultText) override;
  void Set(const char* key, const std::string& text) override;

 private:
  const PersistentSettings& Settings();
  const PF_InData* in_data_;
  std::optional<PersistentSettings> settings_;
};

}  // namespace vlam
