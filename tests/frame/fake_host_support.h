// A small fake effect host for the frame's unit tests: in/out records, the
// utility and interact callbacks, handles, parameter and stream suites,
// iteration, persistent data and the smart-render callbacks. Each fake
// records what the module asked of it; failures can be switched on.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "AE_EffectCB.h"
#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "frame/suite_registry_support.h"
#include "modules/vlam_utils_suite.h"

namespace vlam_test {

struct CheckoutCall {
  PF_ParamIndex index;
  A_long checkout_id;
  PF_RenderRequest request;
  A_long time, time_step;
  A_u_long time_scale;
};

class FakeEffectHost {
 public:
  FakeEffectHost();
  ~FakeEffectHost();
  FakeEffectHost(const FakeEffectHost &) = delete;
  FakeEffectHost &operator=(const FakeEffectHost &) = delete;

  static FakeEffectHost &Current();

  // Publishes every fake suite (all are published at construction).
  void PublishAll();
  FakeSuiteRegistry registry;

  PF_InData in_data{};
  PF_OutData out_data{};
  PF_UtilCallbacks utils{};

  // --- handles -------------------------------------------------------------
  bool fail_new_handle = false;
  bool fail_lock_handle = false;
  bool throw_on_new_handle = false;                // a non-integer exception from the host
  std::map<PF_Handle, std::vector<char>> handles;  // live handles and their bytes
  std::vector<PF_Handle> disposed;
  int locks = 0, unlocks = 0;
  PF_Handle NewHandleWith(const void *bytes, std::size_t size);
  std::vector<char> &Bytes(PF_Handle handle) { return handles.at(handle); }

  // --- parameters ------------------------------------------------------------
  std::vector<PF_ParamDef> params;  // values the checkout hands out, by index
  std::set<PF_ParamIndex> failing_checkouts;
  std::vector<PF_ParamIndex> checked_out, checked_in;
  std::vector<PF_ParamDef> added_params;  // definitions added at parameter setup
  int ui_registrations = 0;
  struct ParamUiUpdate {
    PF_ParamIndex index;
    PF_ParamUIFlags ui_flags;
  };
  std::vector<ParamUiUpdate> ui_updates;
  double angle_suite_value = 0.0;  // what the angle suite answers
  int angle_suite_calls = 0;

  // --- streams and effects ---------------------------------------------------
  AEGP_LayerH effect_layer = reinterpret_cast<AEGP_LayerH>(0x1001);
  A_Err effect_layer_error = A_Err_NONE;
  bool refuse_effect_ref = false;
  A_Err stream_error = A_Err_NONE;
  struct HiddenFlagCall {
    PF_ParamIndex index;
    bool undoable;
    bool hidden;
  };
  std::vector<HiddenFlagCall> hidden_calls;
  int live_effect_refs = 0, live_streams = 0;

  // --- iteration -------------------------------------------------------------
  A_long host_threads = 3;
  std::vector<A_long> iterate_counts;  // iterations asked for, per call

  // --- persistent data -------------------------------------------------------
  std::map<std::string, std::string> settings;  // "section/key" -> text
  A_Err settings_error = A_Err_NONE;
  std::vector<A_long> blob_types;  // blob type of each v4 blob request, -1 for v3
  int v3_blob_requests = 0;

  // --- the utility plug-in's suite ------------------------------------------
  std::vector<AEGP_LayerH> module_stack_requests;
  std::vector<A_long> command_requests;

  // --- smart pre-render and render --------------------------------------------
  PF_PreRenderInput pre_render_input{};
  PF_PreRenderOutput pre_render_output{};
  PF_PreRenderCallbacks pre_render_callbacks{};
  PF_PreRenderExtra pre_render_extra{};
  std::vector<CheckoutCall> layer_checkouts;
  std::map<PF_ParamIndex, PF_CheckoutResult> checkout_results;
  std::map<PF_ParamIndex, PF_Err> checkout_errors;

  PF_SmartRenderInput smart_input{};
  PF_SmartRenderCallbacks smart_callbacks{};
  PF_SmartRenderExtra smart_extra{};
  PF_EffectWorld input_world{};
  PF_EffectWorld output_world{};
  PF_Err pixels_checkout_error = PF_Err_NONE;
  PF_Err output_checkout_error = PF_Err_NONE;
  PF_Err checkin_error = PF_Err_NONE;
  PF_Err copy_error = PF_Err_NONE;
  struct CopyCall {
    PF_EffectWorld *src;
    PF_EffectWorld *dst;
    bool whole;  // both rects null
  };
  std::vector<CopyCall> copies;
  std::vector<A_long> pixel_checkins;

  // Suite tables (public so a test can swap single functions).
  PF_HandleSuite1 handle_suite{};
  PF_ParamUtilsSuite3 param_utils_suite{};
  PF_AngleParamSuite1 angle_suite{};
  PF_ColorParamSuite1 color_suite{};
  PF_PointParamSuite1 point_suite{};
  AEGP_PFInterfaceSuite1 pf_interface_suite{};
  AEGP_StreamSuite3 stream_suite{};
  AEGP_DynamicStreamSuite3 dynamic_stream_suite{};
  AEGP_EffectSuite3 effect_suite{};
  AEGP_IterateSuite1 iterate_suite{};
  AEGP_UtilitySuite5 utility_suite{};
  AEGP_PersistentDataSuite3 persistent_v3{};
  AEGP_PersistentDataSuite4 persistent_v4{};
  VlamUtilsSuite1 utils_suite{};

 private:
  static FakeEffectHost *current_;
};

// Calls an effect entry with the host's records.
PF_Err CallEffect(PF_Err (*entry)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                                  void *),
                  PF_Cmd cmd, FakeEffectHost &host, void *extra = nullptr,
                  PF_ParamDef **params = nullptr);

}  // namespace vlam_test
