// A small fake general-plug-in host for the utility plug-in's tests: the
// suite broker with "SP Suites Suite", installed effects, layers with effect
// stacks, and the utility, memory and register suites. Host calls can be
// made to fail by name.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "AE_GeneralPlug.h"
#include "SPSuites.h"
#include "frame/suite_registry_support.h"
#include "modules/vlam_utils_suite.h"

namespace vlam_test {

class FakeAegpHost {
 public:
  FakeAegpHost();
  ~FakeAegpHost();
  FakeAegpHost(const FakeAegpHost &) = delete;
  FakeAegpHost &operator=(const FakeAegpHost &) = delete;

  static FakeAegpHost &Current();

  FakeSuiteRegistry registry;
  SPBasicSuite *basic() { return registry.basic(); }

  // Installed effects by match name; their keys are 1, 2, ... in this order.
  std::vector<std::string> installed;

  // A layer holding effects with these match names, top to bottom.
  AEGP_LayerH NewLayer(const std::vector<std::string> &match_names);
  std::vector<std::string> StackOf(AEGP_LayerH layer) const;

  // Host functions that fail with the given error, by name (for example
  // "AEGP_ReorderEffect"); `fail_after` calls of that name succeed first.
  std::map<std::string, A_Err> failing;
  std::map<std::string, int> fail_after;
  bool Fails(const std::string &function, A_Err *err);

  int live_effect_refs = 0;
  int live_streams = 0;
  // The layer AEGP_GetEffectLayer reports to an effect (null: the call fails).
  AEGP_LayerH effect_layer = nullptr;
  std::vector<std::string> reports;  // AEGP_ReportInfo texts
  std::vector<AEGP_PluginID> report_ids;
  std::vector<std::string> scripts;  // AEGP_ExecuteScript texts
  std::vector<AEGP_PluginID> script_ids;
  std::vector<bool> script_platform_encoding;
  A_Err script_error = A_Err_NONE;
  int freed_results = 0;

  AEGP_IdleHook idle_hook = nullptr;
  AEGP_PluginID idle_plugin_id = -1;
  AEGP_IdleRefcon idle_refcon = reinterpret_cast<AEGP_IdleRefcon>(0x1);

  struct AddedSuite {
    bool global_list;
    bool no_host;
    std::string name;
    A_long api_version;
    A_long internal_version;
    const void *table;
  };
  std::vector<AddedSuite> added_suites;
  // The suite the utility plug-in published, as an effect would get it.
  const VlamUtilsSuite1 *UtilsSuite() const;
  // The host going idle once.
  A_Err Idle();

  AEGP_EffectSuite3 effect_suite{};
  AEGP_PFInterfaceSuite1 pf_interface_suite{};
  AEGP_StreamSuite4 stream_suite{};             // effect parameter streams
  AEGP_DynamicStreamSuite4 dynamic_stream_suite{};  // their effect's group
  AEGP_UtilitySuite3 utility_suite3{};
  AEGP_UtilitySuite5 utility_suite{};
  AEGP_MemorySuite1 memory_suite{};
  AEGP_RegisterSuite5 register_suite{};
  SPSuitesSuite sp_suites_suite{};

  struct Layer {
    std::vector<int> effects;  // effect ids, top to bottom
  };
  std::vector<Layer *> layers;
  std::map<int, std::string> effect_names;  // effect id -> match name
  int next_effect_id = 1;

 private:
  static FakeAegpHost *current_;
};

}  // namespace vlam_test
