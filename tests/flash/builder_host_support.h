// A fake host for one Flash Builder: parameter values served to checkouts,
// parameters added at setup recorded, the value suites and the handle suite.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "AE_EffectSuites.h"
#include "AE_EffectUI.h"
#include "AE_GeneralPlug.h"
#include "flash/builder_params.h"
#include "flash/curve_presets.h"
#include "frame/fake_handle_host_support.h"

namespace vlam {

struct BuilderGlobals;

// Presets kept in a map.
class MapPresetStore : public CurvePresetStore {
 public:
  std::map<std::string, std::string> values;
  std::string Get(const char* key, const char* defaultText) override {
    const auto it = values.find(key);
    return it == values.end() ? defaultText : it->second;
  }
  void Set(const char* key, const std::string& text) override { values[key] = text; }
};

class FakeBuilderHost {
 public:
  FakeBuilderHost();
  ~FakeBuilderHost();
  FakeBuilderHost(const FakeBuilderHost&) = delete;
  FakeBuilderHost& operator=(const FakeBuilderHost&) = delete;

  PF_InData* InData() { return in_data_; }
  PF_OutData* OutData() { return &out_data_; }
  FakeHandleHost& Handles() { return handles_; }

  // Runs global setup (presets from `presets`) and keeps the global data in in_data.
  PF_Err GlobalSetup();
  PF_Err GlobalSetdown();
  // The global record (held in place by its own lock between commands).
  BuilderGlobals* Globals();
  MapPresetStore presets;

  // Current parameter values, index 0-34, defaults to begin with (the two
  // profile values made by the handlers once global setup has run).
  std::vector<PF_ParamDef> values;
  void SetFloat(PF_ParamIndex index, double v) { values[index].u.fs_d.value = v; }
  void SetPopup(PF_ParamIndex index, A_long v) { values[index].u.pd.value = v; }

  // What the effect did through the host.
  std::vector<PF_ParamDef> added;
  std::vector<PF_CustomEventFlags> registeredUi;
  int checkouts = 0;
  int checkins = 0;
  std::vector<A_long> checkoutOrder;  // parameter indices
  std::vector<A_long> checkinOrder;   // disk ids of the definitions checked in

  // Parameter UI changes in call order: "ui <index> <ui_flags>" for
  // PF_UpdateParamUI, "stream <index> <flag> <set>" for dynamic stream flags.
  std::vector<std::string> uiCalls;
  PF_ParamIndex failUiAtIndex = -1;  // PF_UpdateParamUI of this index fails

  // The host's persistent settings (section -> key -> text) and its calls.
  std::map<std::string, std::map<std::string, std::string>> settings;
  int settingsWrites = 0;

  // Refuse the colour or angle suite.
  void WithdrawColourSuite();
  void WithdrawAngleSuite();

 private:
  static PF_Err Checkout(PF_ProgPtr, PF_ParamIndex index, A_long, A_long, A_u_long, PF_ParamDef* param);
  static PF_Err Checkin(PF_ProgPtr, PF_ParamDef* param);
  static PF_Err AddParam(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def);
  static PF_Err RegisterUi(PF_ProgPtr, PF_CustomUIInfo* info);
  static PF_Err ColourOf(PF_ProgPtr, const PF_ParamDef* def, PF_PixelFloat* out);
  static PF_Err AngleOf(PF_ProgPtr, const PF_ParamDef* def, A_FpLong* out);
  static PF_Err UpdateParamUi(PF_ProgPtr, PF_ParamIndex index, const PF_ParamDef* def);
  static A_Err NewEffectForEffect(AEGP_PluginID, PF_ProgPtr, AEGP_EffectRefH* effect);
  static A_Err DisposeEffect(AEGP_EffectRefH);
  static A_Err StreamByIndex(AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex index, AEGP_StreamRefH* stream);
  static A_Err DisposeStream(AEGP_StreamRefH);
  static A_Err SetStreamFlag(AEGP_StreamRefH stream, AEGP_DynStreamFlags flag, A_Boolean, A_Boolean set);
  static A_Err ApplicationBlob(AEGP_PersistentType, AEGP_PersistentBlobH* blob);
  static A_Err GetString(AEGP_PersistentBlobH, const A_char* section, const A_char* key,
                         const A_char* dflt, A_u_long size, A_char* buffer, A_u_long* actual);
  static A_Err SetString(AEGP_PersistentBlobH, const A_char* section, const A_char* key, const A_char* text);

  static inline FakeBuilderHost* current_ = nullptr;
  int liveRefs_ = 0;  // effect and stream references not yet disposed
  FakeHandleHost handles_;
  PF_InData* in_data_;
  PF_OutData out_data_{};
  PF_ColorParamSuite1 colour_{};
  PF_AngleParamSuite1 angle_{};
  PF_PointParamSuite1 point_{};
  PF_ParamUtilsSuite3 paramUtils_{};
  AEGP_PFInterfaceSuite1 pfInterface_{};
  AEGP_EffectSuite3 effects_{};
  AEGP_StreamSuite3 streams_{};
  AEGP_DynamicStreamSuite3 dynamicStreams_{};
  AEGP_PersistentDataSuite4 persistent_{};
  std::vector<PF_ParamIndex> streamIndices_;
};

}  // namespace vlam
