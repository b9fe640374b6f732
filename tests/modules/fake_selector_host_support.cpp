#include "modules/fake_selector_host_support.h"

#include "frame/effect_entries.h"
#include "ui/ui_event_support.h"

namespace vlam_test {

FakeSelectorHost *FakeSelectorHost::current_ = nullptr;

namespace {

FakeSelectorHost &H() { return FakeSelectorHost::Current(); }

PF_Err AppGetColor(PF_App_ColorType type, PF_App_Color *color) {
  H().color_requests.push_back(type);
  const auto it = H().palette.find(type);
  if (it == H().palette.end()) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *color = it->second;
  return PF_Err_NONE;
}

PF_Err InvalidateRect(const PF_ContextH, const PF_Rect *rect) {
  H().invalidated.push_back(*rect);
  return H().invalidate_error;
}

PF_Err GetDrawingReference(const PF_ContextH, DRAWBOT_DrawRef *ref) {
  *ref = FakeDrawbot::DrawRef();
  return PF_Err_NONE;
}

A_Err RequestCommand(A_long command) {
  H().commands.push_back(command);
  return H().command_error;
}

}  // namespace

FakeSelectorHost::FakeSelectorHost() {
  current_ = this;
  app_suite.PF_AppGetColor = AppGetColor;
  app_suite.PF_InvalidateRect = InvalidateRect;
  custom_ui_suite.PF_GetDrawingReference = GetDrawingReference;
  utils_suite.RequestCommand = RequestCommand;

  FakeSuiteRegistry &registry = aegp.registry;
  registry.Publish(kPFHandleSuite, kPFHandleSuiteVersion1, handles.Handles());
  registry.Publish(kPFAppSuite, kPFAppSuiteVersion4, &app_suite);
  registry.Publish(kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1, &custom_ui_suite);
  registry.Publish(kVlamUtilsSuite, kVlamUtilsSuiteVersion1, &utils_suite);
  drawbot.PublishTo([&registry](const char *name, A_long version, const void *table) {
    registry.Publish(name, version, table);
  });

  palette[15] = {0x4000, 0x4000, 0x4000};  // button face
  palette[14] = {0x6000, 0x6000, 0x6000};  // face under the mouse
  palette[9] = {0xFFFF, 0xFFFF, 0xFFFF};   // label
  palette[56] = {0xFFFF, 0x8000, 0x0000};  // pressed label

  in_data.pica_basicP = aegp.basic();
  in_data.version = {13, 28};
  in_data.effect_ref = reinterpret_cast<PF_ProgPtr>(0x7007);
  aegp.effect_layer = aegp.NewLayer({});
}

FakeSelectorHost::~FakeSelectorHost() { current_ = nullptr; }

FakeSelectorHost &FakeSelectorHost::Current() { return *current_; }

PF_Err FakeSelectorHost::Command(PF_Cmd cmd, void *extra) {
  out_data.sequence_data = in_data.sequence_data;
  const PF_Err err = EntryPoint_VlamMod(cmd, &in_data, &out_data, nullptr, nullptr, extra);
  in_data.sequence_data = out_data.sequence_data;
  return err;
}

PF_EventExtra FakeSelectorHost::Event(PF_EventType type, PF_ParamIndex param, A_long x,
                                      A_long y) const {
  return MakeUiEvent(type, param, frame, x, y);
}

vlam::SelectorState &FakeSelectorHost::State() {
  return *static_cast<vlam::SelectorState *>(*in_data.sequence_data);
}

}  // namespace vlam_test
