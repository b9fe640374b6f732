// The render tests' fake host also serves the flash tests.
#include "render/render_host_support.cpp"  // NOLINT(bugprone-suspicious-include)

#include "builder_host_support.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "flash/builder_commands.h"
#include "flash/builder_global_data.h"
#include "flash/shape_arb_handlers.h"
#include "frame/effect_entries.h"
#include "ui/ui_event_support.h"

namespace vlam {
namespace {

FakeBuilderHost& B() { return static_cast<FakeBuilderHost&>(vlam_render_test::RenderTestHost::Current()); }

PF_Err RegisterUi(PF_ProgPtr, PF_CustomUIInfo* info) {
  B().registeredUi.push_back(*info);
  return PF_Err_NONE;
}

PF_Err AngleOf(PF_ProgPtr, const PF_ParamDef* def, A_FpLong* out) {
  *out = def->u.ad.value / 65536.0;
  return PF_Err_NONE;
}

A_Err ApplicationBlob(AEGP_PersistentType, AEGP_PersistentBlobH* blob) {
  *blob = reinterpret_cast<AEGP_PersistentBlobH>(&B());
  return A_Err_NONE;
}

A_Err GetString(AEGP_PersistentBlobH, const A_char* section, const A_char* key, const A_char* dflt,
                A_u_long size, A_char* buffer, A_u_long* actual) {
  const auto& keys = B().settings[section];
  const auto it = keys.find(key);
  const std::string text = it != keys.end() ? it->second : std::string(dflt ? dflt : "");
  const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  if (actual) *actual = static_cast<A_u_long>(n + 1);
  return A_Err_NONE;
}

A_Err SetString(AEGP_PersistentBlobH, const A_char* section, const A_char* key, const A_char* text) {
  ++B().settingsWrites;
  B().settings[section][key] = text;
  return A_Err_NONE;
}

}  // namespace

FakeBuilderHost::FakeBuilderHost() {
  in_data.time_scale = 24;
  in_data.time_step = 1;
  in_data.current_time = 0;
  in_data.inter.register_ui = &RegisterUi;
  angleSuite.PF_GetFloatingPointValueFromAngleDef = &AngleOf;
  persistentSuite.AEGP_GetApplicationBlob = &ApplicationBlob;
  persistentSuite.AEGP_GetString = &GetString;
  persistentSuite.AEGP_SetString = &SetString;
  registry.Publish(kPFAngleParamSuite, kPFAngleParamSuiteVersion1, &angleSuite);
  registry.Publish(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4, &persistentSuite);

  params.assign(kBuilderParamCount, PF_ParamDef{});
  params[0].param_type = PF_Param_LAYER;
  const auto& descriptions = BuilderParamDescriptions();
  for (std::size_t i = 0; i < descriptions.size(); ++i) params[i + 1] = MakeBuilderParamDef(descriptions[i], nullptr, nullptr);
}

FakeBuilderHost::~FakeBuilderHost() {
  if (in_data.global_data) ReleaseBuilderGlobals(&in_data, &out_data);
  EXPECT_EQ(liveEffectRefs + liveStreams, 0) << "effect or stream references left undisposed";
}

PF_Err FakeBuilderHost::GlobalSetup() {
  const PF_Err err = CreateBuilderGlobals(&in_data, &out_data);
  in_data.global_data = out_data.global_data;
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

PF_Err FakeBuilderHost::Run(PF_Cmd cmd, void* extra, PF_ParamDef** params) {
  const PF_Err err = EntryPoint_VlamFlash(cmd, &in_data, &out_data, params, nullptr, extra);
  if (cmd == PF_Cmd_GLOBAL_SETUP) in_data.global_data = out_data.global_data;
  return err;
}

BuilderGlobals* FakeBuilderHost::Globals() {
  const BuilderGlobalsLock lock(&in_data, handleSuite);
  return lock.get();
}


}  // namespace vlam

namespace vlam_test {
namespace {

PF_Err AppGetColor(PF_App_ColorType type, PF_App_Color *color) {
  // A grey per colour number, so each use can be told apart.
  const A_u_short level = static_cast<A_u_short>(1000 * (type + 1));
  *color = PF_App_Color{level, level, level};
  return PF_Err_NONE;
}

PF_Err GetDrawingReference(const PF_ContextH, DRAWBOT_DrawRef *ref) {
  *ref = FakeDrawbot::DrawRef();
  return PF_Err_NONE;
}

}  // namespace

BuilderUiHost::BuilderUiHost() {
  app_suite.PF_AppGetColor = AppGetColor;
  custom_ui_suite.PF_GetDrawingReference = GetDrawingReference;
  vlam_test::FakeSuiteRegistry &registry = builder.registry;
  registry.Publish(kPFAppSuite, kPFAppSuiteVersion4, &app_suite);
  registry.Publish(kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1, &custom_ui_suite);
  drawbot.PublishTo([&registry](const char *name, A_long version, const void *table) {
    registry.Publish(name, version, table);
  });
  EXPECT_EQ(builder.GlobalSetup(), PF_Err_NONE);
  EXPECT_EQ(builder.Run(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE);
  builder.in_data.sequence_data = builder.out_data.sequence_data;
}

BuilderUiHost::~BuilderUiHost() {
  builder.Run(PF_Cmd_SEQUENCE_SETDOWN);
}

PF_EventExtra BuilderUiHost::Event(PF_EventType type, PF_ParamIndex param, A_long x, A_long y,
                                   PF_Modifiers modifiers) const {
  return MakeUiEvent(type, param, PF_Rect{20, 300, 340, 420}, x, y, modifiers);
}

PF_Err BuilderUiHost::Send(PF_EventExtra &event) {
  std::vector<PF_ParamDef *> params;
  for (PF_ParamDef &value : builder.values) {
    value.uu.change_flags = PF_ChangeFlag_NONE;
    params.push_back(&value);
  }
  return builder.Run(PF_Cmd_EVENT, &event, params.data());
}

ShapeCurve &BuilderUiHost::Curve(PF_ParamIndex profile) {
  return *static_cast<ShapeCurve *>(*builder.values[profile].u.arb_d.value);
}

vlam::PetalVariants &BuilderUiHost::Variants() {
  return *static_cast<vlam::PetalVariants *>(*builder.in_data.sequence_data);
}

}  // namespace vlam_test
