// The Module Selector's host for its tests: the general-plug-in fake (layers,
// installed effects, effect and stream suites) plus what an effect's
// custom-UI events use: handles for the sequence record, host colours and
// invalidation, the drawing reference and the DRAWBOT suites, and the
// utility plug-in's suite.
#pragma once
#include <map>
#include <vector>

#include "AE_EffectSuites.h"
#include "frame/fake_handle_host_support.h"
#include "modules/fake_aegp_support.h"
#include "modules/selector_state.h"
#include "modules/vlam_utils_suite.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {

class FakeSelectorHost {
 public:
  FakeSelectorHost();
  ~FakeSelectorHost();
  FakeSelectorHost(const FakeSelectorHost &) = delete;
  FakeSelectorHost &operator=(const FakeSelectorHost &) = delete;

  static FakeSelectorHost &Current();

  FakeAegpHost aegp;  // the suite broker and the project
  vlam::FakeHandleHost handles;
  FakeDrawbot drawbot;

  PF_InData in_data{};
  PF_OutData out_data{};

  // Runs a command through the effect's entry point.
  PF_Err Command(PF_Cmd cmd, void *extra = nullptr);
  // A custom-UI event on parameter `param`, whose control's frame is `frame`.
  PF_EventExtra Event(PF_EventType type, PF_ParamIndex param, A_long x, A_long y) const;
  PF_Err Send(PF_EventExtra &event) { return Command(PF_Cmd_EVENT, &event); }

  vlam::SelectorState &State();  // the sequence record made at sequence setup
  PF_Rect frame{0, 100, 320, 132};

  // --- host colours and invalidation ---------------------------------------
  std::map<PF_App_ColorType, PF_App_Color> palette;
  std::vector<PF_App_ColorType> color_requests;
  std::vector<PF_Rect> invalidated;
  PF_Err invalidate_error = PF_Err_NONE;
  // --- the utility plug-in's suite --------------------------------------------
  std::vector<A_long> commands;
  A_Err command_error = A_Err_NONE;

  PFAppSuite4 app_suite{};
  PF_EffectCustomUISuite1 custom_ui_suite{};
  VlamUtilsSuite1 utils_suite{};

 private:
  static FakeSelectorHost *current_;
};

}  // namespace vlam_test
