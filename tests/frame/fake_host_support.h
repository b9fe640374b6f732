// One fake host for the module's unit tests: the suite broker (with "SP
// Suites Suite"), in/out records, handles, parameter checkout and adding, the
// parameter value and UI suites, installed effects and layers with effect
// stacks whose effects answer PF_Cmd_COMPLETELY_GENERAL, the effect's layer
// in a composition with an optional camera, effect streams and a "Trigger"
// stream holding keys, iteration on real threads, persistent data, the
// utility plug-in's suite and its loading (scripts, reports, the idle hook),
// host colours, invalidation and the DRAWBOT suites, and the smart-render
// callbacks. Each fake records what the module asked of it. Host calls are
// logged in order (with their times where they take one); any of them can be
// made to fail.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AE_EffectCB.h"
#include "AE_EffectCBSuites.h"
#include "AE_EffectSuites.h"
#include "AE_EffectUI.h"
#include "AE_GeneralPlug.h"
#include "SPSuites.h"
#include "frame/fake_handle_host_support.h"
#include "frame/suite_registry_support.h"
#include "modules/utility_plugin.h"
#include "modules/vlam_utils_suite.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {

// A parameter or (smart pre-render) layer checkout.
struct CheckoutCall {
  PF_ParamIndex index;
  A_long checkout_id;
  PF_RenderRequest request;
  A_long time, time_step;
  A_u_long time_scale;
  PF_Err err = PF_Err_NONE;  // what the host answered
};

// One effect on a layer. Its id is given when the stack is built or the
// effect first asked for (0: not yet).
struct LayerEffect {
  std::string matchName;
  bool active = true;
  // Called for PF_Cmd_COMPLETELY_GENERAL with the extra pointer and the time.
  std::function<void(void *extra, const A_Time &time)> answer = nullptr;
  A_Err callError = A_Err_NONE;   // what the call returns
  A_Err flagsError = A_Err_NONE;  // what AEGP_GetEffectFlags returns
  int id = 0;
};

class FakeEffectHost {
 public:
  FakeEffectHost();
  virtual ~FakeEffectHost();
  FakeEffectHost(const FakeEffectHost &) = delete;
  FakeEffectHost &operator=(const FakeEffectHost &) = delete;

  static FakeEffectHost &Current();

  // Handles: new ones hold 0x77 bytes, so unwritten record bytes show.
  vlam::FakeHandleHost handles;
  FakeSuiteRegistry &registry = handles.registry;  // every fake suite is published here
  PF_InData in_data{};
  PF_OutData out_data{};
  PF_UtilCallbacks utils{};

  // --- parameters: the values checkout and the params array hand out (29) ----
  std::vector<PF_ParamDef> values;
  // Makes parameter `index` a fresh one of `type` and returns it to be set.
  PF_ParamDef &Param(PF_ParamIndex index, PF_ParamType type);
  std::function<void(PF_ParamIndex, A_long time, PF_ParamDef &)> valueAtTime;
  std::vector<CheckoutCall> checkouts;  // checkout_id and request unused; failed ones too
  std::vector<PF_ParamIndex> checkedIn;  // uu.id of each definition checked in
  int CheckedOut() const;                // successful checkouts not yet checked in
  std::vector<PF_ParamDef> added;        // "add_param N" counts from 0
  std::vector<PF_CustomUIInfo> registeredUi;
  std::vector<std::pair<PF_ParamIndex, PF_ParamUIFlags>> uiUpdates;
  std::optional<double> angleSuiteAnswer;  // else the suite reads the fixed value

  // --- the project -----------------------------------------------------------
  // Installed effects by match name; their keys are 1, 2, ... in this order.
  // An effect found on a layer is installed too.
  std::vector<std::string> installed;
  struct Layer {
    std::vector<LayerEffect> effects;  // top to bottom
  };
  // A layer holding effects with these match names, top to bottom.
  AEGP_LayerH NewLayer(const std::vector<std::string> &match_names);
  std::vector<std::string> StackOf(AEGP_LayerH layer) const;
  std::vector<std::unique_ptr<Layer>> layers;
  int next_effect_id = 1;
  int effectRefsMade = 0;  // by AEGP_GetLayerEffectByIndex
  AEGP_LayerH layer;  // the effect's own (null: it cannot be found)
  AEGP_CompH comp;
  A_Time layerCurrentTime{0, 24};
  A_FpLong frameRate = 24.0;
  A_Ratio compPixelAspect{1, 1};
  A_long compTimeOffset = 0;  // added to the effect's time when converted
  AEGP_LayerH cameraLayer = nullptr;
  A_Matrix4 cameraMatrix{};
  A_FpLong zoom = 0.0, filmSize = 0.0;
  AEGP_FilmSizeUnits filmUnits = AEGP_FilmSizeUnits_HORIZONTAL;

  // Effect streams: the "Trigger" stream's keys by time value and what is
  // left open (dynamic stream flags are logged as calls).
  std::map<A_long, double> keys;
  int liveEffectRefs = 0, liveStreams = 0, openUndoGroups = 0;
  std::map<PF_ParamIndex, bool> hidden;  // last hidden flag set per parameter
  // A stream of parameter `index` of the effect the host called, as the
  // stream suite makes them.
  AEGP_StreamRefH NewStream(PF_ParamIndex index);
  static PF_ParamIndex StreamIndex(AEGP_StreamRefH stream);

  // Registration of an effect with the AEGP side: the name, and the ID given.
  std::string registeredName;
  AEGP_PluginID pluginId = 77;

  // Host calls and the callbacks that tests follow, in order, each with its
  // detail ("copy input to output"). Any host function can be made to fail:
  // Fail(name) fails its nth (1-based) call from now on, and with `onward`
  // every later one too, until Heal; a name with a detail ("checkout_param
  // 5") counts only the calls with that detail (an index or a call number).
  // Enter logs a call and answers its injected error; Injected only answers.
  std::vector<std::string> calls;
  void Fail(const std::string &function, A_Err err, int nth = 1, bool onward = false);
  void Heal();  // no more injected failures
  A_Err Enter(const std::string &function, const std::string &detail = "");
  A_Err Injected(const std::string &function, const std::string &detail = "");
  // Those logged of one function, or of several in their order.
  std::vector<std::string> CallsOf(const std::string &function) const;
  std::vector<std::string> CallsOf(std::initializer_list<std::string> functions) const;
  int Count(const std::string &function) const;

  // Replaces a published suite table by a copy owned by this host, for a
  // test's host to change a few functions of.
  template <typename Suite>
  Suite &Override(const char *name, A_long version) {
    auto copy = std::make_shared<Suite>(*static_cast<const Suite *>(registry.Find(name, version)));
    overrides_.push_back(copy);
    registry.Publish(name, version, copy.get());
    return *copy;
  }

  // --- iteration: AEGP_IterateGeneric runs on this many real threads, in an
  // order shuffled from the seed ------------------------------------------------
  A_long host_threads = 3;
  std::uint32_t shuffleSeed = 1;

  // --- persistent data -------------------------------------------------------
  std::map<std::string, std::string> settings;  // "section/key" -> text

  // --- the utility plug-in: its suite as effects see it, and its loading ----
  // Reports, scripts and commands are logged with the plug-in id
  // ("ReportInfo 42"), the script's encoding ("ExecuteScript 0 platform")
  // or the command ("RequestCommand 1"), module stacks asked for by layer
  // ("RequestModuleStack own layer"); a published suite with its versions
  // and list ("AddSuite <name> 1.1 global no-host") and is then offered.
  std::vector<std::string> reports;  // AEGP_ReportInfo texts
  std::vector<std::string> scripts;  // AEGP_ExecuteScript texts
  AEGP_IdleHook idle_hook = nullptr;
  AEGP_IdleRefcon idle_refcon = reinterpret_cast<AEGP_IdleRefcon>(0x1);
  A_Err Idle();  // the host going idle once

  // --- custom UI ---------------------------------------------------------------
  FakeDrawbot drawbot;
  // Button face, face under the mouse, label and pressed label.
  std::map<PF_App_ColorType, PF_App_Color> palette{
      {15, {0x4000, 0x4000, 0x4000}}, {14, {0x6000, 0x6000, 0x6000}},
      {9, {0xFFFF, 0xFFFF, 0xFFFF}}, {56, {0xFFFF, 0x8000, 0x0000}}};
  std::vector<PF_Rect> invalidated;

  // --- smart pre-render and render --------------------------------------------
  PF_PreRenderInput pre_render_input{};
  PF_PreRenderOutput pre_render_output{};
  PF_PreRenderCallbacks pre_render_callbacks{};
  PF_PreRenderExtra pre_render_extra{};
  std::vector<CheckoutCall> layer_checkouts;
  std::map<PF_ParamIndex, PF_CheckoutResult> checkout_results;

  PF_SmartRenderInput smart_input{};
  PF_SmartRenderCallbacks smart_callbacks{};
  PF_SmartRenderExtra smart_extra{};
  PF_EffectWorld input_world{};
  PF_EffectWorld output_world{};
  // What checkout_layer_pixels hands out for a checkout id, and
  // checkout_output.
  virtual PF_EffectWorld *LayerPixels(A_long) { return &input_world; }
  virtual PF_EffectWorld *OutputWorld() { return &output_world; }

 private:
  struct Failure {
    int nth;
    bool onward;
    A_Err err;
  };
  static FakeEffectHost *current_;
  FakeEffectHost *previous_;
  std::vector<std::shared_ptr<void>> overrides_;
  std::map<std::string, Failure> failures_;
  std::map<std::string, int> callCounts_;
};

PF_ParamDef ParamOfType(PF_ParamType type);

// Test fixture: the utility plug-in loaded into a fresh fake host.
class LoadedUtilityPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    AEGP_GlobalRefcon refcon = nullptr;
    ASSERT_EQ(EntryPointFunc_VlamUtils(host.registry.basic(), 13, 28, 7, &refcon), A_Err_NONE);
    ASSERT_EQ(host.CallsOf("AddSuite").size(), 1u);  // the plug-in's suite replaces the fake's
    suite = static_cast<const VlamUtilsSuite1 *>(
        host.registry.Find(kVlamUtilsSuite, kVlamUtilsSuiteVersion1));
  }
  FakeEffectHost host;
  const VlamUtilsSuite1 *suite = nullptr;
};

// Calls an effect entry with the host's records and, if asked, the params
// array of its values.
PF_Err CallEffect(PF_Err (*entry)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                                  void *),
                  PF_Cmd cmd, FakeEffectHost &host, void *extra = nullptr,
                  bool with_params = false);

}  // namespace vlam_test
