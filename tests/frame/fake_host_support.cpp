#include "frame/fake_host_support.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <thread>
#include <tuple>

namespace vlam_test {

FakeEffectHost *FakeEffectHost::current_ = nullptr;

namespace {

FakeEffectHost &H() { return FakeEffectHost::Current(); }

std::string T(const A_Time &t) { return std::to_string(t.value) + "/" + std::to_string(t.scale); }

// Layers are Layer records; effects are an effect id on a layer (id 0: the
// effect the host called); streams a parameter of an effect, or (index 0 of
// a parent stream) the effect's own stream group.
using Layer = FakeEffectHost::Layer;
Layer *LayerOf(AEGP_LayerH layer) { return reinterpret_cast<Layer *>(layer); }

struct EffectRef {
  Layer *layer;
  int id;
};

EffectRef *RefOf(AEGP_EffectRefH ref) { return reinterpret_cast<EffectRef *>(ref); }

std::vector<LayerEffect>::iterator Find(const EffectRef &ref) {
  std::vector<LayerEffect> &stack = ref.layer->effects;
  return std::find_if(stack.begin(), stack.end(),
                      [&ref](const LayerEffect &e) { return e.id == ref.id; });
}
LayerEffect &EffectOf(AEGP_EffectRefH ref) { return *Find(*RefOf(ref)); }

AEGP_EffectRefH NewRef(Layer *layer, int id) {
  ++H().liveEffectRefs;
  return reinterpret_cast<AEGP_EffectRefH>(new EffectRef{layer, id});
}

struct FakeStream {
  PF_ParamIndex index;
  EffectRef effect;
};

FakeStream *StreamOf(AEGP_StreamRefH stream) { return reinterpret_cast<FakeStream *>(stream); }

AEGP_StreamRefH NewStream(const FakeStream &stream) {
  ++H().liveStreams;
  return reinterpret_cast<AEGP_StreamRefH>(new FakeStream(stream));
}

AEGP_MemHandle const kScriptResult = reinterpret_cast<AEGP_MemHandle>(0x4004);
AEGP_PersistentBlobH const kBlob = reinterpret_cast<AEGP_PersistentBlobH>(0x2002);

A_Err GetString(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key,
                const A_char *fallback, A_u_long size, A_char *buffer, A_u_long *actual) {
  if (const A_Err err = H().Injected("GetString")) return err;
  if (blob != kBlob) return A_Err_PARAMETER;
  const auto it = H().settings.find(std::string(section) + "/" + key);
  const std::string text = it != H().settings.end() ? it->second : std::string(fallback);
  // Like a careless host: copies as much as fits, without room for the zero.
  const std::size_t n = std::min<std::size_t>(text.size(), size);
  std::memcpy(buffer, text.data(), n);
  if (n < size) buffer[n] = '\0';
  if (actual != nullptr) *actual = static_cast<A_u_long>(text.size() + 1);
  return A_Err_NONE;
}

A_Err SetString(AEGP_PersistentBlobH, const A_char *section, const A_char *key,
                const A_char *value) {
  H().settings[std::string(section) + "/" + key] = value;
  return H().Enter("SetString", std::string(section) + "/" + key);
}

// Iterations run on the host's threads in a shuffled order, as a host may
// run them: results must not depend on either. The first error of an
// iteration, else the injected one, is the answer.
A_Err IterateGeneric(A_long iterations, void *refcon, A_Err (*fn)(void *, A_long, A_long, A_long)) {
  FakeEffectHost &h = H();
  const A_Err injected = h.Enter("IterateGeneric", std::to_string(iterations));
  const A_long threads = std::max<A_long>(h.host_threads, 1);
  const A_long count = iterations < 0 ? threads : iterations;
  std::vector<A_long> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  std::mt19937 shuffle(h.shuffleSeed++);
  std::shuffle(order.begin(), order.end(), shuffle);
  std::atomic<std::size_t> next{0};
  std::atomic<A_Err> firstError{A_Err_NONE};
  auto worker = [&](A_long thread) {
    for (std::size_t i = next++; i < order.size(); i = next++) {
      const A_Err err = fn(refcon, thread, order[i], count);
      A_Err none = A_Err_NONE;
      if (err != A_Err_NONE) firstError.compare_exchange_strong(none, err);
    }
  };
  std::vector<std::thread> pool;
  for (A_long t = 1; t < threads; ++t) pool.emplace_back(worker, t);
  worker(0);
  for (std::thread &t : pool) t.join();
  return firstError.load() != A_Err_NONE ? firstError.load() : injected;
}

// The suite tables, shared by every host (their functions find the current
// one), each with the name and version it is published under.
struct Suites {
  std::vector<std::tuple<const char *, A_long, std::shared_ptr<void>>> tables;
  template <typename Suite>
  Suite &Add(const char *name, A_long version) {
    auto table = std::make_shared<Suite>();
    tables.push_back({name, version, table});
    return *table;
  }

  Suites() {
    auto &param_utils = Add<PF_ParamUtilsSuite3>(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3);
    auto &angle = Add<PF_AngleParamSuite1>(kPFAngleParamSuite, kPFAngleParamSuiteVersion1);
    auto &color = Add<PF_ColorParamSuite1>(kPFColorParamSuite, kPFColorParamSuiteVersion1);
    auto &point = Add<PF_PointParamSuite1>(kPFPointParamSuite, kPFPointParamSuiteVersion1);
    auto &pf_interface =
        Add<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);
    auto &layer = Add<AEGP_LayerSuite7>(kAEGPLayerSuite, kAEGPLayerSuiteVersion7);
    auto &comp = Add<AEGP_CompSuite9>(kAEGPCompSuite, kAEGPCompSuiteVersion9);
    auto &item = Add<AEGP_ItemSuite8>(kAEGPItemSuite, kAEGPItemSuiteVersion8);
    auto &stream3 = Add<AEGP_StreamSuite3>(kAEGPStreamSuite, kAEGPStreamSuiteVersion3);
    auto &stream4 = Add<AEGP_StreamSuite4>(kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
    auto &dynamic_stream =
        Add<AEGP_DynamicStreamSuite3>(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion3);
    auto &dynamic_stream4 =
        Add<AEGP_DynamicStreamSuite4>(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion4);
    auto &camera = Add<AEGP_CameraSuite2>(kAEGPCameraSuite, kAEGPCameraSuiteVersion2);
    auto &effect = Add<AEGP_EffectSuite3>(kAEGPEffectSuite, kAEGPEffectSuiteVersion3);
    auto &utility3 = Add<AEGP_UtilitySuite3>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3);
    auto &utility = Add<AEGP_UtilitySuite5>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5);
    auto &memory = Add<AEGP_MemorySuite1>(kAEGPMemorySuite, kAEGPMemorySuiteVersion1);
    auto &register_suite = Add<AEGP_RegisterSuite5>(kAEGPRegisterSuite, kAEGPRegisterSuiteVersion5);
    auto &sp_suites = Add<SPSuitesSuite>(kSPSuitesSuite, kSPSuitesSuiteVersion);
    auto &app = Add<PFAppSuite4>(kPFAppSuite, kPFAppSuiteVersion4);
    auto &custom_ui =
        Add<PF_EffectCustomUISuite1>(kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1);
    auto &keyframe = Add<AEGP_KeyframeSuite4>(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4);
    auto &iterate = Add<AEGP_IterateSuite1>(kAEGPIterateSuite, kAEGPIterateSuiteVersion1);
    auto &persistent3 =
        Add<AEGP_PersistentDataSuite3>(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion3);
    auto &persistent4 =
        Add<AEGP_PersistentDataSuite4>(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4);
    auto &utils = Add<VlamUtilsSuite1>(kVlamUtilsSuite, kVlamUtilsSuiteVersion1);

    // --- parameter suites: values from the fixed-point definitions -----------
    param_utils.PF_UpdateParamUI = [](PF_ProgPtr, PF_ParamIndex index,
                                      const PF_ParamDef *def) -> PF_Err {
      H().uiUpdates.emplace_back(index, def->ui_flags);
      // Logged with the flags; failures are chosen by the index.
      H().calls.push_back("PF_UpdateParamUI " + std::to_string(index) + " " +
                          std::to_string(def->ui_flags));
      return H().Injected("PF_UpdateParamUI", std::to_string(index));
    };
    angle.PF_GetFloatingPointValueFromAngleDef = [](PF_ProgPtr, const PF_ParamDef *def,
                                                    A_FpLong *value) -> PF_Err {
      H().Enter("GetFloatingPointValueFromAngleDef");
      *value = H().angleSuiteAnswer.value_or(def->u.ad.value / 65536.0);
      return PF_Err_NONE;
    };
    color.PF_GetFloatingPointColorFromColorDef = [](PF_ProgPtr, const PF_ParamDef *def,
                                                    PF_PixelFloat *c) -> PF_Err {
      const PF_Pixel &v = def->u.cd.value;
      *c = {v.alpha / 255.0f, v.red / 255.0f, v.green / 255.0f, v.blue / 255.0f};
      return PF_Err_NONE;
    };
    point.PF_GetFloatingPointValueFromPointDef = [](PF_ProgPtr, const PF_ParamDef *def,
                                                    A_FloatPoint *p) -> PF_Err {
      *p = {def->u.td.x_value / 65536.0, def->u.td.y_value / 65536.0};
      return PF_Err_NONE;
    };

    // --- the effect, its layer, composition and camera -----------------------
    pf_interface.AEGP_GetEffectLayer = [](PF_ProgPtr, AEGP_LayerH *layer) -> A_Err {
      const A_Err err = H().Enter("GetEffectLayer");
      *layer = err ? nullptr : H().layer;
      return err ? err : (*layer != nullptr ? A_Err_NONE : A_Err_GENERIC);
    };
    pf_interface.AEGP_GetNewEffectForEffect = [](AEGP_PluginID, PF_ProgPtr,
                                                 AEGP_EffectRefH *effect) -> A_Err {
      const A_Err err = H().Enter("GetNewEffectForEffect");
      *effect = err ? nullptr : NewRef(LayerOf(H().layer), 0);
      return err;
    };
    pf_interface.AEGP_ConvertEffectToCompTime = [](PF_ProgPtr, A_long time, A_u_long scale,
                                                   A_Time *comp) -> A_Err {
      *comp = {time + H().compTimeOffset, scale};
      return H().Enter("ConvertEffectToCompTime", T({time, scale}));
    };
    pf_interface.AEGP_GetEffectCamera = [](PF_ProgPtr, const A_Time *time,
                                           AEGP_LayerH *camera) -> A_Err {
      *camera = H().cameraLayer;
      return H().Enter("GetEffectCamera", T(*time));
    };
    pf_interface.AEGP_GetEffectCameraMatrix = [](PF_ProgPtr, const A_Time *time,
                                                 A_Matrix4 *matrix, A_FpLong *distance, A_short *w,
                                                 A_short *h) -> A_Err {
      const A_Err err = H().Enter("GetEffectCameraMatrix", T(*time));
      if (!err) *matrix = H().cameraMatrix;
      *distance = 2666.67;
      *w = 1920;
      *h = 1080;
      return err;
    };
    layer.AEGP_GetLayerParentComp = [](AEGP_LayerH, AEGP_CompH *comp) -> A_Err {
      *comp = H().comp;
      return H().Enter("GetLayerParentComp");
    };
    layer.AEGP_GetLayerCurrentTime = [](AEGP_LayerH, AEGP_LTimeMode mode, A_Time *time) -> A_Err {
      *time = H().layerCurrentTime;
      return H().Enter("GetLayerCurrentTime", mode == AEGP_LTimeMode_CompTime ? "comp" : "layer");
    };
    comp.AEGP_GetItemFromComp = [](AEGP_CompH, AEGP_ItemH *item) -> A_Err {
      *item = reinterpret_cast<AEGP_ItemH>(0x17E);
      return H().Enter("GetItemFromComp");
    };
    comp.AEGP_GetCompFramerate = [](AEGP_CompH, A_FpLong *fps) -> A_Err {
      *fps = H().frameRate;
      return H().Enter("GetCompFramerate");
    };
    item.AEGP_GetItemPixelAspectRatio = [](AEGP_ItemH, A_Ratio *ratio) -> A_Err {
      const A_Err err = H().Enter("GetItemPixelAspectRatio");
      if (!err) *ratio = H().compPixelAspect;
      return err;
    };
    camera.AEGP_GetCameraFilmSize = [](AEGP_LayerH, AEGP_FilmSizeUnits *units,
                                       A_FpLong *size) -> A_Err {
      *units = H().filmUnits;
      *size = H().filmSize;
      return H().Enter("GetCameraFilmSize");
    };
    stream4.AEGP_GetLayerStreamValue = [](AEGP_LayerH, AEGP_LayerStream which, AEGP_LTimeMode mode,
                                          const A_Time *time, A_Boolean preExpression,
                                          AEGP_StreamVal2 *value, AEGP_StreamType *) -> A_Err {
      const bool zoomAfterExpressions =
          which == AEGP_LayerStream_ZOOM && mode == AEGP_LTimeMode_CompTime && !preExpression;
      value->one_d = H().zoom;
      return H().Enter("GetLayerStreamValue", (zoomAfterExpressions ? "zoom " : "?? ") + T(*time));
    };

    // --- installed effects and effect stacks ---------------------------------
    effect.AEGP_DisposeEffect = [](AEGP_EffectRefH ref) -> A_Err {
      --H().liveEffectRefs;
      delete RefOf(ref);
      return H().Enter("DisposeEffect");
    };
    effect.AEGP_GetNumInstalledEffects = [](A_long *count) -> A_Err {
      *count = static_cast<A_long>(H().installed.size());
      return H().Enter("GetNumInstalledEffects");
    };
    effect.AEGP_GetNextInstalledEffect = [](AEGP_InstalledEffectKey key,
                                            AEGP_InstalledEffectKey *next) -> A_Err {
      *next = key + 1;
      return H().Enter("GetNextInstalledEffect");
    };
    effect.AEGP_GetEffectMatchName = [](AEGP_InstalledEffectKey key, A_char *name) -> A_Err {
      if (const A_Err err = H().Enter("GetEffectMatchName")) return err;
      if (key < 1 || key > static_cast<A_long>(H().installed.size())) return A_Err_PARAMETER;
      std::strncpy(name, H().installed[static_cast<std::size_t>(key - 1)].c_str(),
                   AEGP_MAX_EFFECT_MATCH_NAME_SIZE);
      name[AEGP_MAX_EFFECT_MATCH_NAME_SIZE] = '\0';
      return A_Err_NONE;
    };
    effect.AEGP_ApplyEffect = [](AEGP_PluginID, AEGP_LayerH layer, AEGP_InstalledEffectKey key,
                                 AEGP_EffectRefH *ref) -> A_Err {
      if (const A_Err err = H().Enter("ApplyEffect")) return err;
      const int id = H().next_effect_id++;
      LayerEffect applied{H().installed.at(static_cast<std::size_t>(key - 1))};
      applied.id = id;
      LayerOf(layer)->effects.push_back(applied);  // applied effects go to the bottom
      *ref = NewRef(LayerOf(layer), id);
      return A_Err_NONE;
    };
    effect.AEGP_GetLayerNumEffects = [](AEGP_LayerH layer, A_long *count) -> A_Err {
      *count = static_cast<A_long>(LayerOf(layer)->effects.size());
      return H().Enter("GetLayerNumEffects");
    };
    effect.AEGP_GetLayerEffectByIndex = [](AEGP_PluginID, AEGP_LayerH layer,
                                           AEGP_EffectIndex index, AEGP_EffectRefH *ref) -> A_Err {
      if (const A_Err err = H().Enter("GetLayerEffectByIndex", std::to_string(index))) {
        *ref = nullptr;
        return err;
      }
      LayerEffect &e = LayerOf(layer)->effects.at(static_cast<std::size_t>(index));
      if (e.id == 0) e.id = H().next_effect_id++;
      ++H().effectRefsMade;
      *ref = NewRef(LayerOf(layer), e.id);
      return A_Err_NONE;
    };
    effect.AEGP_GetInstalledKeyFromLayerEffect = [](AEGP_EffectRefH ref,
                                                    AEGP_InstalledEffectKey *key) -> A_Err {
      if (const A_Err err = H().Enter("GetInstalledKeyFromLayerEffect")) return err;
      auto &installed = H().installed;
      const std::string &name = EffectOf(ref).matchName;
      auto it = std::find(installed.begin(), installed.end(), name);
      if (it == installed.end()) it = installed.insert(it, name);
      *key = static_cast<A_long>(it - installed.begin()) + 1;
      return A_Err_NONE;
    };
    effect.AEGP_GetEffectFlags = [](AEGP_EffectRefH ref, AEGP_EffectFlags *flags) -> A_Err {
      const LayerEffect &e = EffectOf(ref);
      *flags = e.active ? AEGP_EffectFlags_ACTIVE : AEGP_EffectFlags_NONE;
      const A_Err err = H().Enter("GetEffectFlags");
      return err ? err : e.flagsError;
    };
    effect.AEGP_EffectCallGeneric = [](AEGP_PluginID, AEGP_EffectRefH ref, const A_Time *time,
                                       PF_Cmd cmd, void *extra) -> A_Err {
      if (cmd != PF_Cmd_COMPLETELY_GENERAL) return A_Err_PARAMETER;
      LayerEffect &e = EffectOf(ref);
      if (const A_Err err = H().Enter("EffectCallGeneric", T(*time))) return err;
      if (e.answer) e.answer(extra, *time);
      return e.callError;
    };
    effect.AEGP_ReorderEffect = [](AEGP_EffectRefH ref, A_long index) -> A_Err {
      if (const A_Err err = H().Enter("ReorderEffect")) return err;
      std::vector<LayerEffect> &stack = RefOf(ref)->layer->effects;
      const auto it = Find(*RefOf(ref));
      const LayerEffect moved = *it;
      stack.erase(it);
      index = std::clamp<A_long>(index, 0, static_cast<A_long>(stack.size()));
      stack.insert(stack.begin() + index, moved);
      return A_Err_NONE;
    };

    // --- streams, keys and undo groups ---------------------------------------
    stream3.AEGP_GetNewEffectStreamByIndex = stream4.AEGP_GetNewEffectStreamByIndex =
        [](AEGP_PluginID, AEGP_EffectRefH effect, PF_ParamIndex index,
           AEGP_StreamRefH *stream) -> A_Err {
      const A_Err err = H().Enter("GetNewEffectStreamByIndex", std::to_string(index));
      *stream = err ? nullptr : NewStream({index, *RefOf(effect)});
      return err;
    };
    stream3.AEGP_DisposeStream = stream4.AEGP_DisposeStream = [](AEGP_StreamRefH stream) -> A_Err {
      --H().liveStreams;
      delete StreamOf(stream);
      return H().Enter("DisposeStream");
    };
    dynamic_stream4.AEGP_GetNewParentStreamRef = [](AEGP_PluginID, AEGP_StreamRefH stream,
                                                    AEGP_StreamRefH *parent) -> A_Err {
      const A_Err err = H().Enter("GetNewParentStreamRef");
      *parent = err ? nullptr : NewStream({0, StreamOf(stream)->effect});
      return err;
    };
    dynamic_stream4.AEGP_GetStreamIndexInParent = [](AEGP_StreamRefH stream,
                                                     A_long *index) -> A_Err {
      const EffectRef &effect = StreamOf(stream)->effect;
      *index = static_cast<A_long>(Find(effect) - effect.layer->effects.begin());
      return H().Enter("GetStreamIndexInParent");
    };
    dynamic_stream.AEGP_SetDynamicStreamFlag = [](AEGP_StreamRefH stream, AEGP_DynStreamFlags flag,
                                                  A_Boolean undoable, A_Boolean set) -> A_Err {
      if (flag == AEGP_DynStreamFlag_HIDDEN) H().hidden[StreamOf(stream)->index] = set != 0;
      return H().Enter("SetDynamicStreamFlag", std::to_string(flag) + " " +
                                                   std::to_string(StreamOf(stream)->index) +
                                                   (set ? " set" : " cleared") +
                                                   (undoable ? " undoable" : ""));
    };
    keyframe.AEGP_InsertKeyframe = [](AEGP_StreamRefH, AEGP_LTimeMode mode, const A_Time *time,
                                      AEGP_KeyframeIndex *index) -> A_Err {
      const A_Err err =
          H().Enter("InsertKeyframe", T(*time) + (mode == AEGP_LTimeMode_CompTime ? "" : " layer"));
      if (!err) {
        H().keys.emplace(time->value, 0.0);
        *index = time->value;  // the fake indexes keys by their time
      }
      return err;
    };
    keyframe.AEGP_SetKeyframeValue = [](AEGP_StreamRefH, AEGP_KeyframeIndex index,
                                        const AEGP_StreamValue2 *value) -> A_Err {
      const double v = value->val.one_d;
      const A_Err err = H().Enter("SetKeyframeValue", std::to_string(index) + "=" +
                                                          std::to_string(static_cast<int>(v)));
      if (!err) H().keys[index] = v;
      return err;
    };
    utility.AEGP_StartUndoGroup = [](const A_char *name) -> A_Err {
      const A_Err err = H().Enter("StartUndoGroup", name);
      if (!err) ++H().openUndoGroups;
      return err;
    };
    utility.AEGP_EndUndoGroup = []() -> A_Err {
      --H().openUndoGroups;
      return H().Enter("EndUndoGroup");
    };

    // --- the utility plug-in's loading, reports and scripts ------------------
    utility3.AEGP_ReportInfo = utility.AEGP_ReportInfo = [](AEGP_PluginID id,
                                                            const A_char *text) -> A_Err {
      H().reports.push_back(text);
      return H().Enter("ReportInfo", std::to_string(id));
    };
    utility.AEGP_ExecuteScript = [](AEGP_PluginID id, const A_char *script,
                                    const A_Boolean platform_encoding, AEGP_MemHandle *result,
                                    AEGP_MemHandle *error) -> A_Err {
      H().scripts.push_back(script);
      if (error != nullptr) *error = nullptr;
      const A_Err err =
          H().Enter("ExecuteScript", std::to_string(id) + (platform_encoding ? " platform" : ""));
      *result = err ? nullptr : kScriptResult;
      return err;
    };
    utility.AEGP_RegisterWithAEGP = [](AEGP_GlobalRefcon, const A_char *name,
                                       AEGP_PluginID *id) -> A_Err {
      H().registeredName = name;
      *id = H().pluginId;
      return H().Enter("RegisterWithAEGP");
    };
    memory.AEGP_FreeMemHandle = [](AEGP_MemHandle handle) -> A_Err {
      return H().Enter("FreeMemHandle", handle == kScriptResult ? "script result" : "other");
    };
    register_suite.AEGP_RegisterIdleHook = [](AEGP_PluginID id, AEGP_IdleHook hook,
                                              AEGP_IdleRefcon refcon) -> A_Err {
      if (const A_Err err = H().Enter("RegisterIdleHook", std::to_string(id))) return err;
      H().idle_hook = hook;
      H().idle_refcon = refcon;
      return A_Err_NONE;
    };
    sp_suites.AddSuite = [](SPSuiteListRef list, SPPluginRef plugin, const char *name, A_long api,
                            A_long internal, const void *table, SPSuiteRef *suite) -> SPErr {
      const std::string where = std::string(list ? "" : " global") + (plugin ? "" : " no-host");
      const std::string versions = std::to_string(api) + "." + std::to_string(internal);
      if (const A_Err err = H().Enter("AddSuite", name + (" " + versions) + where)) return err;
      H().registry.Publish(name, api, table);
      *suite = reinterpret_cast<SPSuiteRef>(0x5005);
      return kSPNoError;
    };
    utils.RequestModuleStack = [](AEGP_LayerH layer) -> A_Err {
      return H().Enter("RequestModuleStack", layer == H().layer ? "own layer" : "other layer");
    };
    utils.RequestCommand = [](A_long command) -> A_Err {
      return H().Enter("RequestCommand", std::to_string(command));
    };

    // --- custom UI -----------------------------------------------------------
    app.PF_AppGetColor = [](PF_App_ColorType type, PF_App_Color *color) -> PF_Err {
      if (const PF_Err err = H().Enter("PF_AppGetColor", std::to_string(type))) return err;
      const auto it = H().palette.find(type);
      if (it == H().palette.end()) {
        *color = {9, 9, 9};  // a failing host may still scribble over the colour
        return PF_Err_BAD_CALLBACK_PARAM;
      }
      *color = it->second;
      return PF_Err_NONE;
    };
    app.PF_InvalidateRect = [](const PF_ContextH, const PF_Rect *rect) -> PF_Err {
      H().invalidated.push_back(*rect);
      return H().Injected("PF_InvalidateRect");
    };
    custom_ui.PF_GetDrawingReference = [](const PF_ContextH, DRAWBOT_DrawRef *ref) -> PF_Err {
      *ref = reinterpret_cast<DRAWBOT_DrawRef>(0x100);
      return PF_Err_NONE;
    };

    // --- iteration and persistent data ---------------------------------------
    iterate.AEGP_GetNumThreads = [](A_long *threads) -> A_Err {
      if (!threads) return A_Err_PARAMETER;
      *threads = H().host_threads;
      return A_Err_NONE;
    };
    iterate.AEGP_IterateGeneric = IterateGeneric;
    persistent3.AEGP_GetApplicationBlob = [](AEGP_PersistentBlobH *blob) -> A_Err {
      *blob = kBlob;
      return H().Enter("GetApplicationBlob");
    };
    persistent4.AEGP_GetApplicationBlob = [](AEGP_PersistentType type,
                                             AEGP_PersistentBlobH *blob) -> A_Err {
      *blob = kBlob;
      return H().Enter("GetApplicationBlob", std::to_string(type));
    };
    persistent3.AEGP_GetString = persistent4.AEGP_GetString = GetString;
    persistent3.AEGP_SetString = persistent4.AEGP_SetString = SetString;
  }
};
const Suites kSuites;

}  // namespace

FakeEffectHost::FakeEffectHost()
    : installed{"ADBE Gaussian Blur 2", "zk_Vlam",         "zk_VlamMod",
                "zk_VlamFlash",         "zk_VlamInstance", "zk_VlamRelighter"},
      layer(NewLayer({})),
      comp(reinterpret_cast<AEGP_CompH>(0xC0)),
      previous_(current_) {
  current_ = this;
  for (const auto &[name, version, table] : kSuites.tables) {
    registry.Publish(name, version, table.get());
  }
  registry.Publish(kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1, &drawbot.draw);
  registry.Publish(kDRAWBOT_SupplierSuite, kDRAWBOT_SupplierSuite_Version1, &drawbot.supplier);
  registry.Publish(kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2, &drawbot.surface);
  registry.Publish(kDRAWBOT_PathSuite, kDRAWBOT_PathSuite_Version1, &drawbot.path);
  handles.fillByte = 0x77;
  values.assign(29, ParamOfType(PF_Param_NO_DATA));

  utils.ansi.sprintf = std::sprintf;
  utils.copy = [](PF_ProgPtr, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *src_r,
                  PF_Rect *dst_r) -> PF_Err {
    const bool whole = src_r == nullptr && dst_r == nullptr;
    return H().Enter("copy", std::string(src == &H().input_world ? "input" : "?") +
                                 (dst == &H().output_world ? " to output" : " to ?") +
                                 (whole ? "" : " in part"));
  };
  in_data.utils = &utils;
  in_data.inter.checkout_param = [](PF_ProgPtr, PF_ParamIndex index, A_long time, A_long step,
                                    A_u_long scale, PF_ParamDef *param) -> PF_Err {
    FakeEffectHost &h = H();
    PF_Err err = h.Injected("checkout_param", std::to_string(index));
    if (!err && (index < 0 || index >= static_cast<PF_ParamIndex>(h.values.size()))) {
      err = PF_Err_INVALID_INDEX;
    }
    h.checkouts.push_back({index, 0, {}, time, step, scale, err});
    if (err) {
      std::memset(param, 0xCD, sizeof *param);  // whatever a failing host leaves behind
      return err;
    }
    *param = h.values[static_cast<std::size_t>(index)];
    if (h.valueAtTime) h.valueAtTime(index, time, *param);
    return PF_Err_NONE;
  };
  in_data.inter.checkin_param = [](PF_ProgPtr, PF_ParamDef *param) -> PF_Err {
    H().checkedIn.push_back(param->uu.id);
    return PF_Err_NONE;
  };
  in_data.inter.add_param = [](PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def) -> PF_Err {
    if (const PF_Err err = H().Injected("add_param", std::to_string(H().added.size()))) return err;
    H().added.push_back(*def);
    return PF_Err_NONE;
  };
  in_data.inter.register_ui = [](PF_ProgPtr, PF_CustomUIInfo *info) -> PF_Err {
    H().registeredUi.push_back(*info);
    return H().Injected("register_ui");
  };
  in_data.inter.abort = [](PF_ProgPtr) -> PF_Err { return H().Enter("abort"); };
  in_data.pica_basicP = registry.basic();
  in_data.effect_ref = reinterpret_cast<PF_ProgPtr>(0xE1);
  in_data.version = {13, 28};
  in_data.current_time = 10;
  in_data.time_step = in_data.local_time_step = 1;
  in_data.time_scale = 24;
  in_data.width = 1920;
  in_data.height = 1080;
  in_data.pixel_aspect_ratio = {1, 1};
  for (int r = 0; r < 4; ++r) cameraMatrix.mat[r][r] = 1.0;

  pre_render_callbacks.checkout_layer = [](PF_ProgPtr, PF_ParamIndex index, A_long checkout_id,
                                           const PF_RenderRequest *request, A_long time,
                                           A_long step, A_u_long scale,
                                           PF_CheckoutResult *result) -> PF_Err {
    FakeEffectHost &host = H();
    host.layer_checkouts.push_back({index, checkout_id, *request, time, step, scale});
    if (const PF_Err err = host.Injected("checkout_layer", std::to_string(index))) return err;
    if (const auto it = host.checkout_results.find(index); it != host.checkout_results.end()) {
      *result = it->second;
    }
    return PF_Err_NONE;
  };
  pre_render_extra = {&pre_render_input, &pre_render_output, &pre_render_callbacks};
  smart_callbacks.checkout_layer_pixels = [](PF_ProgPtr, A_long id,
                                             PF_EffectWorld **pixels) -> PF_Err {
    const PF_Err err = H().Enter("checkout_layer_pixels", std::to_string(id));
    *pixels = err ? nullptr : H().LayerPixels(id);
    return err;
  };
  smart_callbacks.checkin_layer_pixels = [](PF_ProgPtr, A_long checkout_id) -> PF_Err {
    return H().Enter("checkin_layer_pixels", std::to_string(checkout_id));
  };
  smart_callbacks.checkout_output = [](PF_ProgPtr, PF_EffectWorld **output) -> PF_Err {
    const PF_Err err = H().Injected("checkout_output");
    *output = err ? nullptr : H().OutputWorld();
    return err;
  };
  smart_extra = {&smart_input, &smart_callbacks};
}

FakeEffectHost::~FakeEffectHost() { current_ = previous_; }

FakeEffectHost &FakeEffectHost::Current() { return *current_; }

AEGP_LayerH FakeEffectHost::NewLayer(const std::vector<std::string> &match_names) {
  layers.push_back(std::make_unique<Layer>());
  for (const std::string &name : match_names) {
    layers.back()->effects.push_back({name});
    layers.back()->effects.back().id = next_effect_id++;
  }
  return reinterpret_cast<AEGP_LayerH>(layers.back().get());
}

std::vector<std::string> FakeEffectHost::StackOf(AEGP_LayerH of) const {
  std::vector<std::string> names;
  for (const LayerEffect &e : LayerOf(of)->effects) names.push_back(e.matchName);
  return names;
}

A_Err FakeEffectHost::Idle() {
  A_long sleep = 0;
  return idle_hook(nullptr, idle_refcon, &sleep);
}

PF_ParamDef &FakeEffectHost::Param(PF_ParamIndex index, PF_ParamType type) {
  PF_ParamDef &def = values.at(static_cast<std::size_t>(index));
  def = ParamOfType(type);
  def.uu.id = index;
  return def;
}

void FakeEffectHost::Fail(const std::string &function, A_Err err, int nth, bool onward) {
  failures_[function] = {callCounts_[function] + nth, onward, err};
}

void FakeEffectHost::Heal() { failures_.clear(); }

int FakeEffectHost::CheckedOut() const {
  const auto made = std::count_if(checkouts.begin(), checkouts.end(),
                                  [](const CheckoutCall &c) { return c.err == PF_Err_NONE; });
  return static_cast<int>(made) - static_cast<int>(checkedIn.size());
}

AEGP_StreamRefH FakeEffectHost::NewStream(PF_ParamIndex index) {
  return vlam_test::NewStream({index, {LayerOf(layer), 0}});
}

PF_ParamIndex FakeEffectHost::StreamIndex(AEGP_StreamRefH stream) {
  return StreamOf(stream)->index;
}

A_Err FakeEffectHost::Enter(const std::string &function, const std::string &detail) {
  calls.push_back(detail.empty() ? function : function + " " + detail);
  return Injected(function, detail);
}

std::vector<std::string> FakeEffectHost::CallsOf(const std::string &function) const {
  return CallsOf({function});
}

std::vector<std::string> FakeEffectHost::CallsOf(
    std::initializer_list<std::string> functions) const {
  std::vector<std::string> found;
  for (const std::string &call : calls) {
    for (const std::string &function : functions) {
      if (call == function || call.rfind(function + " ", 0) == 0) found.push_back(call);
    }
  }
  return found;
}

int FakeEffectHost::Count(const std::string &function) const {
  return static_cast<int>(CallsOf(function).size());
}

A_Err FakeEffectHost::Injected(const std::string &function, const std::string &detail) {
  A_Err err = A_Err_NONE;
  for (const std::string &key : {function, function + " " + detail}) {
    const int count = ++callCounts_[key];
    const auto it = failures_.find(key);
    if (err || it == failures_.end()) continue;
    const Failure &f = it->second;
    if (count == f.nth || (f.onward && count > f.nth)) err = f.err;
  }
  return err;
}

PF_ParamDef ParamOfType(PF_ParamType type) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = type;
  return def;
}

PF_Err CallEffect(PF_Err (*entry)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                                  void *),
                  PF_Cmd cmd, FakeEffectHost &host, void *extra, bool with_params) {
  std::vector<PF_ParamDef *> params;
  for (PF_ParamDef &def : host.values) params.push_back(&def);
  return entry(cmd, &host.in_data, &host.out_data, with_params ? params.data() : nullptr, nullptr,
               extra);
}

}  // namespace vlam_test
