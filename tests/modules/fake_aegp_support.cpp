#include "modules/fake_aegp_support.h"

#include <algorithm>
#include <cstring>

namespace vlam_test {

FakeAegpHost *FakeAegpHost::current_ = nullptr;

namespace {

FakeAegpHost &H() { return FakeAegpHost::Current(); }

struct EffectRef {
  FakeAegpHost::Layer *layer;
  int id;
};

FakeAegpHost::Layer *LayerOf(AEGP_LayerH layer) {
  return reinterpret_cast<FakeAegpHost::Layer *>(layer);
}

AEGP_EffectRefH NewRef(FakeAegpHost::Layer *layer, int id) {
  ++H().live_effect_refs;
  return reinterpret_cast<AEGP_EffectRefH>(new EffectRef{layer, id});
}

#define FAIL_IF(NAME)                                \
  do {                                               \
    A_Err fail_err = A_Err_NONE;                     \
    if (H().Fails(NAME, &fail_err)) return fail_err; \
  } while (0)

A_Err GetNumInstalledEffects(A_long *count) {
  FAIL_IF("AEGP_GetNumInstalledEffects");
  *count = static_cast<A_long>(H().installed.size());
  return A_Err_NONE;
}

A_Err GetNextInstalledEffect(AEGP_InstalledEffectKey key, AEGP_InstalledEffectKey *next) {
  FAIL_IF("AEGP_GetNextInstalledEffect");
  *next = key + 1;
  return A_Err_NONE;
}

A_Err GetEffectMatchName(AEGP_InstalledEffectKey key, A_char *name) {
  FAIL_IF("AEGP_GetEffectMatchName");
  if (key < 1 || key > static_cast<A_long>(H().installed.size())) {
    return A_Err_PARAMETER;
  }
  std::strncpy(name, H().installed[static_cast<std::size_t>(key - 1)].c_str(),
               AEGP_MAX_EFFECT_MATCH_NAME_SIZE);
  name[AEGP_MAX_EFFECT_MATCH_NAME_SIZE] = '\0';
  return A_Err_NONE;
}

A_Err ApplyEffect(AEGP_PluginID, AEGP_LayerH layer, AEGP_InstalledEffectKey key,
                  AEGP_EffectRefH *ref) {
  FAIL_IF("AEGP_ApplyEffect");
  FakeAegpHost &host = H();
  const int id = host.next_effect_id++;
  host.effect_names[id] = host.installed.at(static_cast<std::size_t>(key - 1));
  LayerOf(layer)->effects.push_back(id);  // applied effects go to the bottom
  *ref = NewRef(LayerOf(layer), id);
  return A_Err_NONE;
}

A_Err GetLayerNumEffects(AEGP_LayerH layer, A_long *count) {
  FAIL_IF("AEGP_GetLayerNumEffects");
  *count = static_cast<A_long>(LayerOf(layer)->effects.size());
  return A_Err_NONE;
}

A_Err GetLayerEffectByIndex(AEGP_PluginID, AEGP_LayerH layer, AEGP_EffectIndex index,
                            AEGP_EffectRefH *ref) {
  FAIL_IF("AEGP_GetLayerEffectByIndex");
  *ref = NewRef(LayerOf(layer), LayerOf(layer)->effects.at(static_cast<std::size_t>(index)));
  return A_Err_NONE;
}

A_Err GetInstalledKeyFromLayerEffect(AEGP_EffectRefH ref, AEGP_InstalledEffectKey *key) {
  FAIL_IF("AEGP_GetInstalledKeyFromLayerEffect");
  const std::string &name = H().effect_names.at(reinterpret_cast<EffectRef *>(ref)->id);
  const auto &installed = H().installed;
  const auto it = std::find(installed.begin(), installed.end(), name);
  *key = static_cast<A_long>(it - installed.begin()) + 1;
  return A_Err_NONE;
}

A_Err ReorderEffect(AEGP_EffectRefH ref, A_long index) {
  FAIL_IF("AEGP_ReorderEffect");
  auto *effect = reinterpret_cast<EffectRef *>(ref);
  std::vector<int> &stack = effect->layer->effects;
  stack.erase(std::find(stack.begin(), stack.end(), effect->id));
  index = std::clamp<A_long>(index, 0, static_cast<A_long>(stack.size()));
  stack.insert(stack.begin() + index, effect->id);
  return A_Err_NONE;
}

A_Err DisposeEffect(AEGP_EffectRefH ref) {
  --H().live_effect_refs;
  delete reinterpret_cast<EffectRef *>(ref);
  return A_Err_NONE;
}

// Streams: an effect's parameter stream or its own stream group.
struct StreamRef {
  FakeAegpHost::Layer *layer;
  int effect_id;
  bool group;
};

A_Err GetEffectLayer(PF_ProgPtr, AEGP_LayerH *layer) {
  FAIL_IF("AEGP_GetEffectLayer");
  *layer = H().effect_layer;
  return *layer != nullptr ? A_Err_NONE : A_Err_GENERIC;
}

A_Err GetNewEffectStreamByIndex(AEGP_PluginID, AEGP_EffectRefH ref, PF_ParamIndex,
                                AEGP_StreamRefH *stream) {
  FAIL_IF("AEGP_GetNewEffectStreamByIndex");
  const auto *effect = reinterpret_cast<EffectRef *>(ref);
  ++H().live_streams;
  *stream = reinterpret_cast<AEGP_StreamRefH>(new StreamRef{effect->layer, effect->id, false});
  return A_Err_NONE;
}

A_Err GetNewParentStreamRef(AEGP_PluginID, AEGP_StreamRefH stream, AEGP_StreamRefH *parent) {
  FAIL_IF("AEGP_GetNewParentStreamRef");
  const auto *child = reinterpret_cast<StreamRef *>(stream);
  ++H().live_streams;
  *parent = reinterpret_cast<AEGP_StreamRefH>(new StreamRef{child->layer, child->effect_id, true});
  return A_Err_NONE;
}

A_Err GetStreamIndexInParent(AEGP_StreamRefH stream, A_long *index) {
  FAIL_IF("AEGP_GetStreamIndexInParent");
  const auto *group = reinterpret_cast<StreamRef *>(stream);
  const std::vector<int> &stack = group->layer->effects;
  *index = static_cast<A_long>(std::find(stack.begin(), stack.end(), group->effect_id) - stack.begin());
  return A_Err_NONE;
}

A_Err DisposeStream(AEGP_StreamRefH stream) {
  --H().live_streams;
  delete reinterpret_cast<StreamRef *>(stream);
  return A_Err_NONE;
}

A_Err ReportInfo(AEGP_PluginID id, const A_char *text) {
  H().reports.push_back(text);
  H().report_ids.push_back(id);
  return A_Err_NONE;
}

AEGP_MemHandle const kScriptResult = reinterpret_cast<AEGP_MemHandle>(0x4004);

A_Err ExecuteScript(AEGP_PluginID id, const A_char *script, const A_Boolean platform_encoding,
                    AEGP_MemHandle *result, AEGP_MemHandle *error) {
  FakeAegpHost &host = H();
  host.scripts.push_back(script);
  host.script_ids.push_back(id);
  host.script_platform_encoding.push_back(platform_encoding != 0);
  if (error != nullptr) {
    *error = nullptr;
  }
  *result = host.script_error == A_Err_NONE ? kScriptResult : nullptr;
  return host.script_error;
}

A_Err FreeMemHandle(AEGP_MemHandle handle) {
  if (handle == kScriptResult) {
    ++H().freed_results;
  }
  return A_Err_NONE;
}

A_Err RegisterIdleHook(AEGP_PluginID id, AEGP_IdleHook hook, AEGP_IdleRefcon refcon) {
  FAIL_IF("AEGP_RegisterIdleHook");
  H().idle_hook = hook;
  H().idle_plugin_id = id;
  H().idle_refcon = refcon;
  return A_Err_NONE;
}

SPErr AddSuite(SPSuiteListRef list, SPPluginRef plugin, const char *name, A_long api,
               A_long internal, const void *table, SPSuiteRef *suite) {
  FAIL_IF("AddSuite");
  FakeAegpHost &host = H();
  host.added_suites.push_back({list == nullptr, plugin == nullptr, name, api, internal, table});
  host.registry.Publish(name, api, table);
  *suite = reinterpret_cast<SPSuiteRef>(0x5005);
  return kSPNoError;
}

#undef FAIL_IF

}  // namespace

FakeAegpHost::FakeAegpHost() {
  current_ = this;
  effect_suite.AEGP_GetLayerNumEffects = GetLayerNumEffects;
  effect_suite.AEGP_GetLayerEffectByIndex = GetLayerEffectByIndex;
  effect_suite.AEGP_GetInstalledKeyFromLayerEffect = GetInstalledKeyFromLayerEffect;
  effect_suite.AEGP_ReorderEffect = ReorderEffect;
  effect_suite.AEGP_DisposeEffect = DisposeEffect;
  effect_suite.AEGP_ApplyEffect = ApplyEffect;
  effect_suite.AEGP_GetNumInstalledEffects = GetNumInstalledEffects;
  effect_suite.AEGP_GetNextInstalledEffect = GetNextInstalledEffect;
  effect_suite.AEGP_GetEffectMatchName = GetEffectMatchName;
  pf_interface_suite.AEGP_GetEffectLayer = GetEffectLayer;
  stream_suite.AEGP_GetNewEffectStreamByIndex = GetNewEffectStreamByIndex;
  stream_suite.AEGP_DisposeStream = DisposeStream;
  dynamic_stream_suite.AEGP_GetNewParentStreamRef = GetNewParentStreamRef;
  dynamic_stream_suite.AEGP_GetStreamIndexInParent = GetStreamIndexInParent;
  utility_suite.AEGP_ReportInfo = ReportInfo;
  utility_suite3.AEGP_ReportInfo = ReportInfo;
  utility_suite.AEGP_ExecuteScript = ExecuteScript;
  memory_suite.AEGP_FreeMemHandle = FreeMemHandle;
  register_suite.AEGP_RegisterIdleHook = RegisterIdleHook;
  sp_suites_suite.AddSuite = AddSuite;

  registry.Publish(kAEGPEffectSuite, kAEGPEffectSuiteVersion3, &effect_suite);
  registry.Publish(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &pf_interface_suite);
  registry.Publish(kAEGPStreamSuite, kAEGPStreamSuiteVersion4, &stream_suite);
  registry.Publish(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion4, &dynamic_stream_suite);
  registry.Publish(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3, &utility_suite3);
  registry.Publish(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5, &utility_suite);
  registry.Publish(kAEGPMemorySuite, kAEGPMemorySuiteVersion1, &memory_suite);
  registry.Publish(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion5, &register_suite);
  registry.Publish(kSPSuitesSuite, kSPSuitesSuiteVersion, &sp_suites_suite);
  installed = {"ADBE Gaussian Blur 2", "zk_Vlam",         "zk_VlamMod",
               "zk_VlamFlash",         "zk_VlamInstance", "zk_VlamRelighter"};
}

FakeAegpHost::~FakeAegpHost() {
  for (Layer *layer : layers) {
    delete layer;
  }
  current_ = nullptr;
}

FakeAegpHost &FakeAegpHost::Current() { return *current_; }

AEGP_LayerH FakeAegpHost::NewLayer(const std::vector<std::string> &match_names) {
  auto *layer = new Layer;
  layers.push_back(layer);
  for (const std::string &name : match_names) {
    const int id = next_effect_id++;
    effect_names[id] = name;
    layer->effects.push_back(id);
  }
  return reinterpret_cast<AEGP_LayerH>(layer);
}

std::vector<std::string> FakeAegpHost::StackOf(AEGP_LayerH layer) const {
  std::vector<std::string> names;
  for (int id : reinterpret_cast<const Layer *>(layer)->effects) {
    names.push_back(effect_names.at(id));
  }
  return names;
}

bool FakeAegpHost::Fails(const std::string &function, A_Err *err) {
  const auto it = failing.find(function);
  if (it == failing.end()) {
    return false;
  }
  int &remaining = fail_after[function];
  if (remaining > 0) {
    --remaining;
    return false;
  }
  *err = it->second;
  return true;
}

const VlamUtilsSuite1 *FakeAegpHost::UtilsSuite() const {
  for (const AddedSuite &suite : added_suites) {
    if (suite.name == kVlamUtilsSuite && suite.api_version == kVlamUtilsSuiteVersion1) {
      return static_cast<const VlamUtilsSuite1 *>(suite.table);
    }
  }
  return nullptr;
}

A_Err FakeAegpHost::Idle() {
  A_long sleep = 0;
  return idle_hook(nullptr, idle_refcon, &sleep);
}

}  // namespace vlam_test
