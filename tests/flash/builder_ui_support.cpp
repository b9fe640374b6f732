#include "builder_ui_support.h"

#include <gtest/gtest.h>

#include "frame/effect_entries.h"
#include "ui/ui_event_support.h"

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
  vlam::FakeHandleHost &handles = builder.Handles();
  handles.Publish(kPFAppSuite, kPFAppSuiteVersion4, &app_suite);
  handles.Publish(kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1, &custom_ui_suite);
  drawbot.PublishTo([&handles](const char *name, A_long version, const void *table) {
    handles.Publish(name, version, table);
  });
  EXPECT_EQ(builder.GlobalSetup(), PF_Err_NONE);
  PF_InData *in_data = builder.InData();
  EXPECT_EQ(EntryPoint_VlamFlash(PF_Cmd_SEQUENCE_SETUP, in_data, builder.OutData(), nullptr,
                                 nullptr, nullptr),
            PF_Err_NONE);
  in_data->sequence_data = builder.OutData()->sequence_data;
}

BuilderUiHost::~BuilderUiHost() {
  EntryPoint_VlamFlash(PF_Cmd_SEQUENCE_SETDOWN, builder.InData(), builder.OutData(), nullptr,
                       nullptr, nullptr);
}

PF_EventExtra BuilderUiHost::Event(PF_EventType type, PF_ParamIndex param, A_long x, A_long y,
                                   PF_Modifiers modifiers) const {
  return MakeUiEvent(type, param, PF_Rect{left, top, left + width, top + height}, x, y, modifiers);
}

PF_Err BuilderUiHost::Send(PF_EventExtra &event) {
  std::vector<PF_ParamDef *> params;
  for (PF_ParamDef &value : builder.values) {
    value.uu.change_flags = PF_ChangeFlag_NONE;
    params.push_back(&value);
  }
  return EntryPoint_VlamFlash(PF_Cmd_EVENT, builder.InData(), builder.OutData(), params.data(),
                              nullptr, &event);
}

ShapeCurve &BuilderUiHost::Curve(PF_ParamIndex profile) {
  return *static_cast<ShapeCurve *>(*builder.values[profile].u.arb_d.value);
}

vlam::PetalVariants &BuilderUiHost::Variants() {
  return *static_cast<vlam::PetalVariants *>(*builder.InData()->sequence_data);
}

}  // namespace vlam_test
