#include "AE_EffectCBSuites.h"
#include "frame/fake_host_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace vlam_test {

FakeEffectHost *FakeEffectHost::current_ = nullptr;

namespace {

FakeEffectHost &H() { return FakeEffectHost::Current(); }

// --- utility callbacks -----------------------------------------------------

int Sprintf(A_char *buffer, const A_char *format, ...) {
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(buffer, 256, format, args);
  va_end(args);
  return written;
}

PF_Err Copy(PF_ProgPtr, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *src_r, PF_Rect *dst_r) {
  H().copies.push_back({src, dst, src_r == nullptr && dst_r == nullptr});
  return H().copy_error;
}

PF_Err CheckoutParam(PF_ProgPtr, PF_ParamIndex index, A_long, A_long, A_u_long,
                     PF_ParamDef *param) {
  FakeEffectHost &host = H();
  if (host.failing_checkouts.count(index) != 0 || index < 0 ||
      index >= static_cast<PF_ParamIndex>(host.params.size())) {
    // A failing host may still scribble over the definition.
    std::memset(param, 0x5A, sizeof *param);
    return PF_Err_INVALID_INDEX;
  }
  *param = host.params[static_cast<std::size_t>(index)];
  host.checked_out.push_back(index);
  return PF_Err_NONE;
}

PF_Err CheckinParam(PF_ProgPtr, PF_ParamDef *param) {
  H().checked_in.push_back(param->uu.id);
  return PF_Err_NONE;
}

PF_Err AddParam(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def) {
  H().added_params.push_back(*def);
  return PF_Err_NONE;
}

PF_Err RegisterUI(PF_ProgPtr, PF_CustomUIInfo *) {
  ++H().ui_registrations;
  return PF_Err_NONE;
}

// --- handles -----------------------------------------------------------------

PF_Handle NewHandle(A_HandleSize size) {
  FakeEffectHost &host = H();
  if (host.throw_on_new_handle) {
    throw std::bad_alloc();
  }
  if (host.fail_new_handle) {
    return nullptr;
  }
  auto *handle = new void *(nullptr);
  host.handles[handle] = std::vector<char>(size, static_cast<char>(0x77));
  return handle;
}

void *LockHandle(PF_Handle handle) {
  FakeEffectHost &host = H();
  if (host.fail_lock_handle) {
    return nullptr;
  }
  ++host.locks;
  return host.handles.at(handle).data();
}

void UnlockHandle(PF_Handle) { ++H().unlocks; }

void DisposeHandle(PF_Handle handle) {
  FakeEffectHost &host = H();
  host.handles.erase(handle);
  host.disposed.push_back(handle);
  delete reinterpret_cast<void **>(handle);
}

A_HandleSize HandleSize(PF_Handle handle) { return H().handles.at(handle).size(); }

// --- parameter suites --------------------------------------------------------

PF_Err UpdateParamUI(PF_ProgPtr, PF_ParamIndex index, const PF_ParamDef *def) {
  H().ui_updates.push_back({index, def->ui_flags});
  return PF_Err_NONE;
}

PF_Err AngleFromDef(PF_ProgPtr, const PF_ParamDef *, A_FpLong *value) {
  ++H().angle_suite_calls;
  *value = H().angle_suite_value;
  return PF_Err_NONE;
}

PF_Err ColorFromDef(PF_ProgPtr, const PF_ParamDef *def, PF_PixelFloat *color) {
  color->alpha = def->u.cd.value.alpha / 255.0f;
  color->red = def->u.cd.value.red / 255.0f;
  color->green = def->u.cd.value.green / 255.0f;
  color->blue = def->u.cd.value.blue / 255.0f;
  return PF_Err_NONE;
}

PF_Err PointFromDef(PF_ProgPtr, const PF_ParamDef *def, A_FloatPoint *point) {
  point->x = def->u.td.x_value / 65536.0;
  point->y = def->u.td.y_value / 65536.0;
  return PF_Err_NONE;
}

// --- effects and streams -----------------------------------------------------

struct FakeStream {
  PF_ParamIndex index;
};

A_Err GetEffectLayer(PF_ProgPtr, AEGP_LayerH *layer) {
  *layer = H().effect_layer_error == A_Err_NONE ? H().effect_layer : nullptr;
  return H().effect_layer_error;
}

A_Err GetNewEffectForEffect(AEGP_PluginID, PF_ProgPtr, AEGP_EffectRefH *effect) {
  if (H().refuse_effect_ref) {
    *effect = nullptr;
    return A_Err_GENERIC;
  }
  ++H().live_effect_refs;
  *effect = reinterpret_cast<AEGP_EffectRefH>(new int(1));
  return A_Err_NONE;
}

A_Err DisposeEffect(AEGP_EffectRefH effect) {
  --H().live_effect_refs;
  delete reinterpret_cast<int *>(effect);
  return A_Err_NONE;
}

A_Err GetNewEffectStreamByIndex(AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex index,
                                AEGP_StreamRefH *stream) {
  if (H().stream_error != A_Err_NONE) {
    *stream = nullptr;
    return H().stream_error;
  }
  ++H().live_streams;
  *stream = reinterpret_cast<AEGP_StreamRefH>(new FakeStream{index});
  return A_Err_NONE;
}

A_Err DisposeStream(AEGP_StreamRefH stream) {
  --H().live_streams;
  delete reinterpret_cast<FakeStream *>(stream);
  return A_Err_NONE;
}

A_Err SetDynamicStreamFlag(AEGP_StreamRefH stream, AEGP_DynStreamFlags flag, A_Boolean undoable,
                           A_Boolean set) {
  if (flag == AEGP_DynStreamFlag_HIDDEN) {
    H().hidden_calls.push_back(
        {reinterpret_cast<FakeStream *>(stream)->index, undoable != 0, set != 0});
  }
  return A_Err_NONE;
}

A_Err RegisterWithAEGP(AEGP_GlobalRefcon, const A_char *, AEGP_PluginID *id) {
  *id = 1;
  return A_Err_NONE;
}

// --- iteration ---------------------------------------------------------------

A_Err GetNumThreads(A_long *threads) {
  if (!threads) return A_Err_PARAMETER;
  *threads = H().host_threads;
  return A_Err_NONE;
}

A_Err IterateGeneric(A_long iterations, void *refcon, A_Err (*fn)(void *, A_long, A_long, A_long)) {
  H().iterate_counts.push_back(iterations);
  // Last to first: bands must not depend on the order they run in.
  for (A_long i = iterations - 1; i >= 0; --i) {
    fn(refcon, i % 2, i, iterations);
  }
  return A_Err_NONE;
}

// --- persistent data ---------------------------------------------------------

AEGP_PersistentBlobH const kBlob = reinterpret_cast<AEGP_PersistentBlobH>(0x2002);

A_Err BlobV3(AEGP_PersistentBlobH *blob) {
  ++H().v3_blob_requests;
  *blob = kBlob;
  return A_Err_NONE;
}

A_Err BlobV4(AEGP_PersistentType type, AEGP_PersistentBlobH *blob) {
  H().blob_types.push_back(type);
  *blob = kBlob;
  return A_Err_NONE;
}

A_Err GetString(AEGP_PersistentBlobH blob, const A_char *section, const A_char *key,
                const A_char *fallback, A_u_long size, A_char *buffer, A_u_long *actual) {
  if (H().settings_error != A_Err_NONE || blob != kBlob) {
    return H().settings_error != A_Err_NONE ? H().settings_error : A_Err_PARAMETER;
  }
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
  return H().settings_error;
}

// --- the utility plug-in's suite --------------------------------------------

A_Err RequestModuleStack(AEGP_LayerH layer) {
  H().module_stack_requests.push_back(layer);
  return A_Err_NONE;
}

A_Err RequestCommand(A_long command) {
  H().command_requests.push_back(command);
  return A_Err_NONE;
}

// --- smart render callbacks --------------------------------------------------

PF_Err CheckoutLayer(PF_ProgPtr, PF_ParamIndex index, A_long checkout_id,
                     const PF_RenderRequest *request, A_long time, A_long step, A_u_long scale,
                     PF_CheckoutResult *result) {
  FakeEffectHost &host = H();
  host.layer_checkouts.push_back({index, checkout_id, *request, time, step, scale});
  if (const auto err = host.checkout_errors.find(index); err != host.checkout_errors.end()) {
    return err->second;
  }
  if (const auto it = host.checkout_results.find(index); it != host.checkout_results.end()) {
    *result = it->second;
  }
  return PF_Err_NONE;
}

PF_Err CheckoutLayerPixels(PF_ProgPtr, A_long, PF_EffectWorld **pixels) {
  *pixels = H().pixels_checkout_error == PF_Err_NONE ? &H().input_world : nullptr;
  return H().pixels_checkout_error;
}

PF_Err CheckinLayerPixels(PF_ProgPtr, A_long checkout_id) {
  H().pixel_checkins.push_back(checkout_id);
  return H().checkin_error;
}

PF_Err CheckoutOutput(PF_ProgPtr, PF_EffectWorld **output) {
  *output = H().output_checkout_error == PF_Err_NONE ? &H().output_world : nullptr;
  return H().output_checkout_error;
}

}  // namespace

FakeEffectHost::FakeEffectHost() {
  current_ = this;
  utils.ansi.sprintf = Sprintf;
  utils.copy = Copy;
  in_data.utils = &utils;
  in_data.inter.checkout_param = CheckoutParam;
  in_data.inter.checkin_param = CheckinParam;
  in_data.inter.add_param = AddParam;
  in_data.inter.register_ui = RegisterUI;
  in_data.effect_ref = reinterpret_cast<PF_ProgPtr>(0x3003);
  in_data.version = PF_SpecVersion{13, 14};
  in_data.current_time = 48;
  in_data.time_step = 2;
  in_data.time_scale = 48;
  in_data.pica_basicP = registry.basic();

  handle_suite = {NewHandle, LockHandle, UnlockHandle, DisposeHandle, HandleSize, nullptr};
  param_utils_suite.PF_UpdateParamUI = UpdateParamUI;
  angle_suite.PF_GetFloatingPointValueFromAngleDef = AngleFromDef;
  color_suite.PF_GetFloatingPointColorFromColorDef = ColorFromDef;
  point_suite.PF_GetFloatingPointValueFromPointDef = PointFromDef;
  pf_interface_suite.AEGP_GetEffectLayer = GetEffectLayer;
  pf_interface_suite.AEGP_GetNewEffectForEffect = GetNewEffectForEffect;
  stream_suite.AEGP_GetNewEffectStreamByIndex = GetNewEffectStreamByIndex;
  stream_suite.AEGP_DisposeStream = DisposeStream;
  dynamic_stream_suite.AEGP_SetDynamicStreamFlag = SetDynamicStreamFlag;
  effect_suite.AEGP_DisposeEffect = DisposeEffect;
  iterate_suite = {GetNumThreads, IterateGeneric};
  utility_suite.AEGP_RegisterWithAEGP = RegisterWithAEGP;
  persistent_v3.AEGP_GetApplicationBlob = BlobV3;
  persistent_v3.AEGP_GetString = GetString;
  persistent_v3.AEGP_SetString = SetString;
  persistent_v4.AEGP_GetApplicationBlob = BlobV4;
  persistent_v4.AEGP_GetString = GetString;
  persistent_v4.AEGP_SetString = SetString;
  utils_suite = {RequestModuleStack, RequestCommand};

  pre_render_callbacks.checkout_layer = CheckoutLayer;
  pre_render_extra = {&pre_render_input, &pre_render_output, &pre_render_callbacks};
  smart_callbacks = {CheckoutLayerPixels, CheckinLayerPixels, CheckoutOutput};
  smart_extra = {&smart_input, &smart_callbacks};
  PublishAll();
}

FakeEffectHost::~FakeEffectHost() {
  for (auto &[handle, bytes] : handles) {
    delete reinterpret_cast<void **>(handle);
  }
  current_ = nullptr;
}

FakeEffectHost &FakeEffectHost::Current() { return *current_; }

void FakeEffectHost::PublishAll() {
  registry.Publish(kPFHandleSuite, kPFHandleSuiteVersion1, &handle_suite);
  registry.Publish(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, &param_utils_suite);
  registry.Publish(kPFAngleParamSuite, kPFAngleParamSuiteVersion1, &angle_suite);
  registry.Publish(kPFColorParamSuite, kPFColorParamSuiteVersion1, &color_suite);
  registry.Publish(kPFPointParamSuite, kPFPointParamSuiteVersion1, &point_suite);
  registry.Publish(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &pf_interface_suite);
  registry.Publish(kAEGPStreamSuite, kAEGPStreamSuiteVersion3, &stream_suite);
  registry.Publish(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion3, &dynamic_stream_suite);
  registry.Publish(kAEGPEffectSuite, kAEGPEffectSuiteVersion3, &effect_suite);
  registry.Publish(kAEGPIterateSuite, kAEGPIterateSuiteVersion1, &iterate_suite);
  registry.Publish(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5, &utility_suite);
  registry.Publish(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion3, &persistent_v3);
  registry.Publish(kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4, &persistent_v4);
  registry.Publish(kVlamUtilsSuite, kVlamUtilsSuiteVersion1, &utils_suite);
}

PF_Handle FakeEffectHost::NewHandleWith(const void *bytes, std::size_t size) {
  auto *handle = new void *(nullptr);
  handles[handle] =
      std::vector<char>(static_cast<const char *>(bytes), static_cast<const char *>(bytes) + size);
  return handle;
}

PF_Err CallEffect(PF_Err (*entry)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                                  void *),
                  PF_Cmd cmd, FakeEffectHost &host, void *extra, PF_ParamDef **params) {
  return entry(cmd, &host.in_data, &host.out_data, params, nullptr, extra);
}

}  // namespace vlam_test
