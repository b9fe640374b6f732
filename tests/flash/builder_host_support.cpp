#include "builder_host_support.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "flash/builder_global_data.h"
#include "flash/builder_globals.h"
#include "flash/shape_arb_handlers.h"

namespace vlam {

FakeBuilderHost::FakeBuilderHost() {
  current_ = this;
  in_data_ = handles_.InData();
  in_data_->version.major = 13;
  in_data_->version.minor = 14;
  in_data_->time_scale = 24;
  in_data_->time_step = 1;
  in_data_->inter.checkout_param = &Checkout;
  in_data_->inter.checkin_param = &Checkin;
  in_data_->inter.add_param = &AddParam;
  in_data_->inter.register_ui = &RegisterUi;
  colour_.PF_GetFloatingPointColorFromColorDef = &ColourOf;
  angle_.PF_GetFloatingPointValueFromAngleDef = &AngleOf;
  handles_.Publish(kPFColorParamSuite, kPFColorParamSuiteVersion1, &colour_);
  handles_.Publish(kPFAngleParamSuite, kPFAngleParamSuiteVersion1, &angle_);
  handles_.Publish(kPFPointParamSuite, kPFPointParamSuiteVersion1, &point_);
  paramUtils_.PF_UpdateParamUI = &UpdateParamUi;
  pfInterface_.AEGP_GetNewEffectForEffect = &NewEffectForEffect;
  effects_.AEGP_DisposeEffect = &DisposeEffect;
  streams_.AEGP_GetNewEffectStreamByIndex = &StreamByIndex;
  streams_.AEGP_DisposeStream = &DisposeStream;
  dynamicStreams_.AEGP_SetDynamicStreamFlag = &SetStreamFlag;
  persistent_.AEGP_GetApplicationBlob = &ApplicationBlob;
  persistent_.AEGP_GetString = &GetString;
  persistent_.AEGP_SetString = &SetString;
  handles_.Publish(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, &paramUtils_);
  handles_.Publish(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &pfInterface_);
  handles_.Publish(kAEGPEffectSuite, kAEGPEffectSuiteVersion3, &effects_);
  handles_.Publish(kAEGPStreamSuite, kAEGPStreamSuiteVersion3, &streams_);
  handles_.Publish(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion3, &dynamicStreams_);
  handles_.Publish(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4, &persistent_);

  values.resize(kBuilderParamCount);
  std::memset(values.data(), 0, sizeof(PF_ParamDef) * values.size());
  values[0].param_type = PF_Param_LAYER;
  const auto& descriptions = BuilderParamDescriptions();
  for (std::size_t i = 0; i < descriptions.size(); ++i) values[i + 1] = MakeBuilderParamDef(descriptions[i], nullptr, nullptr);
}

FakeBuilderHost::~FakeBuilderHost() {
  try {
    if (in_data_->global_data) GlobalSetdown();
  } catch (A_long) {
    ADD_FAILURE() << "global setdown threw";
  }
  EXPECT_EQ(liveRefs_, 0) << "effect or stream references left undisposed";
  current_ = nullptr;
}

PF_Err FakeBuilderHost::GlobalSetup() {
  const PF_Err err = CreateBuilderGlobals(in_data_, &out_data_, presets);
  in_data_->global_data = out_data_.global_data;
  if (BuilderGlobals* g = Globals()) {
    for (PF_ParamIndex i : {kBuilderMainProfile, kBuilderPetalProfile}) {
      ArbitraryHandler* handler = i == kBuilderMainProfile ? static_cast<ArbitraryHandler*>(g->mainHandler)
                                                           : static_cast<ArbitraryHandler*>(g->petalHandler);
      handler->NewValue(&values[i].u.arb_d.value);
      values[i].u.arb_d.refconPV = handler;
    }
  }
  return err;
}

BuilderGlobals* FakeBuilderHost::Globals() {
  const BuilderGlobalsLock lock(in_data_, *handles_.Handles());
  return lock.get();
}

PF_Err FakeBuilderHost::GlobalSetdown() { return ReleaseBuilderGlobals(in_data_, &out_data_, presets); }

void FakeBuilderHost::WithdrawColourSuite() { handles_.Withdraw(kPFColorParamSuite, kPFColorParamSuiteVersion1); }
void FakeBuilderHost::WithdrawAngleSuite() { handles_.Withdraw(kPFAngleParamSuite, kPFAngleParamSuiteVersion1); }

PF_Err FakeBuilderHost::Checkout(PF_ProgPtr, PF_ParamIndex index, A_long, A_long, A_u_long, PF_ParamDef* param) {
  if (index < 0 || index >= kBuilderParamCount) return PF_Err_BAD_CALLBACK_PARAM;
  ++current_->checkouts;
  current_->checkoutOrder.push_back(index);
  *param = current_->values[index];
  return PF_Err_NONE;
}

PF_Err FakeBuilderHost::Checkin(PF_ProgPtr, PF_ParamDef* param) {
  ++current_->checkins;
  current_->checkinOrder.push_back(param->uu.id);
  return PF_Err_NONE;
}

PF_Err FakeBuilderHost::AddParam(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def) {
  current_->added.push_back(*def);
  return PF_Err_NONE;
}

PF_Err FakeBuilderHost::RegisterUi(PF_ProgPtr, PF_CustomUIInfo* info) {
  current_->registeredUi.push_back(info->events);
  return PF_Err_NONE;
}

PF_Err FakeBuilderHost::ColourOf(PF_ProgPtr, const PF_ParamDef* def, PF_PixelFloat* out) {
  const PF_Pixel& c = def->u.cd.value;
  *out = PF_PixelFloat{c.alpha / 255.0f, c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f};
  return PF_Err_NONE;
}

PF_Err FakeBuilderHost::UpdateParamUi(PF_ProgPtr, PF_ParamIndex index, const PF_ParamDef* def) {
  current_->uiCalls.push_back("ui " + std::to_string(index) + " " + std::to_string(def->ui_flags));
  return index == current_->failUiAtIndex ? PF_Err_OUT_OF_MEMORY : PF_Err_NONE;
}

A_Err FakeBuilderHost::NewEffectForEffect(AEGP_PluginID, PF_ProgPtr, AEGP_EffectRefH* effect) {
  *effect = reinterpret_cast<AEGP_EffectRefH>(current_);
  ++current_->liveRefs_;
  return A_Err_NONE;
}

A_Err FakeBuilderHost::DisposeEffect(AEGP_EffectRefH) {
  --current_->liveRefs_;
  return A_Err_NONE;
}

A_Err FakeBuilderHost::StreamByIndex(AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex index, AEGP_StreamRefH* stream) {
  current_->streamIndices_.push_back(index);
  // The stream reference is its 1-based position in streamIndices_.
  *stream = reinterpret_cast<AEGP_StreamRefH>(current_->streamIndices_.size());
  ++current_->liveRefs_;
  return A_Err_NONE;
}

A_Err FakeBuilderHost::DisposeStream(AEGP_StreamRefH) {
  --current_->liveRefs_;
  return A_Err_NONE;
}

A_Err FakeBuilderHost::SetStreamFlag(AEGP_StreamRefH stream, AEGP_DynStreamFlags flag, A_Boolean, A_Boolean set) {
  const auto index = current_->streamIndices_.at(reinterpret_cast<std::size_t>(stream) - 1);
  current_->uiCalls.push_back("stream " + std::to_string(index) + " " + std::to_string(flag) + " " +
                              std::to_string(set));
  return A_Err_NONE;
}

A_Err FakeBuilderHost::ApplicationBlob(AEGP_PersistentType, AEGP_PersistentBlobH* blob) {
  *blob = reinterpret_cast<AEGP_PersistentBlobH>(current_);
  return A_Err_NONE;
}

A_Err FakeBuilderHost::GetString(AEGP_PersistentBlobH, const A_char* section, const A_char* key,
                                 const A_char* dflt, A_u_long size, A_char* buffer, A_u_long* actual) {
  const auto& keys = current_->settings[section];
  const auto it = keys.find(key);
  const std::string text = it != keys.end() ? it->second : std::string(dflt ? dflt : "");
  const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  if (actual) *actual = static_cast<A_u_long>(n + 1);
  return A_Err_NONE;
}

A_Err FakeBuilderHost::SetString(AEGP_PersistentBlobH, const A_char* section, const A_char* key, const A_char* text) {
  ++current_->settingsWrites;
  current_->settings[section][key] = text;
  return A_Err_NONE;
}

PF_Err FakeBuilderHost::AngleOf(PF_ProgPtr, const PF_ParamDef* def, A_FpLong* out) {
  *out = def->u.ad.value / 65536.0;
  return PF_Err_NONE;
}

}  // namespace vlam
