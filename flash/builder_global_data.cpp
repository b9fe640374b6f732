#include "flash/builder_global_data.h"

#include <new>
#include <utility>

#include "AE_EffectCBSuites.h"
#include "flash/builder_globals.h"
#include "flash/shape_arb_handlers.h"
#include "frame/error_message.h"
#include "frame/scoped_suite.h"

namespace vlam {

namespace {

constexpr A_u_long kHandlerHandleSize = 32;

// What one global setup has made so far; releases all of it unless the setup
// completes and takes it over.
class GlobalsUnderConstruction {
 public:
  explicit GlobalsUnderConstruction(const PF_HandleSuite1& handles) : handles_(handles) {}
  ~GlobalsUnderConstruction() {
    if (globals_) DestroyHandlers(*globals_, handles_);
    if (locked_) handles_.host_unlock_handle(record_);
    if (record_) handles_.host_dispose_handle(record_);
  }
  GlobalsUnderConstruction(const GlobalsUnderConstruction&) = delete;
  GlobalsUnderConstruction& operator=(const GlobalsUnderConstruction&) = delete;

  bool Allocate() {
    record_ = handles_.host_new_handle(sizeof(BuilderGlobals));
    return record_ != nullptr;
  }
  BuilderGlobals* Lock() {
    void* data = handles_.host_lock_handle(record_);
    locked_ = data != nullptr;
    globals_ = static_cast<BuilderGlobals*>(data);
    if (globals_) InitBuilderTables(*globals_);
    return globals_;
  }
  // Constructs both handlers, each in a locked 32-byte handle of its own.
  bool MakeHandlers(PF_InData* in_data) {
    PF_Handle h = nullptr;
    MainShapeArbHandler* main = MakeHandler<MainShapeArbHandler>(in_data, h);
    if (!main) return false;
    globals_->mainHandlerH = h;
    globals_->mainHandler = main;
    PetalShapeArbHandler* petal = MakeHandler<PetalShapeArbHandler>(in_data, h);
    if (!petal) return false;
    globals_->petalHandlerH = h;
    globals_->petalHandler = petal;
    return true;
  }
  PF_Handle Release() {
    globals_ = nullptr;
    locked_ = false;
    return std::exchange(record_, nullptr);
  }

  static void DestroyHandlers(BuilderGlobals& g, const PF_HandleSuite1& handles) {
    DestroyHandler(g.mainHandlerH, g.mainHandler, handles);
    DestroyHandler(g.petalHandlerH, g.petalHandler, handles);
    g.mainHandlerH = nullptr;
    g.mainHandler = nullptr;
    g.petalHandlerH = nullptr;
    g.petalHandler = nullptr;
  }

 private:
  template <typename H>
  H* MakeHandler(PF_InData* in_data, PF_Handle& handle) {
    static_assert(sizeof(H) <= kHandlerHandleSize);
    handle = handles_.host_new_handle(kHandlerHandleSize);
    if (!handle) return nullptr;
    void* data = handles_.host_lock_handle(handle);
    if (!data) {
      handles_.host_dispose_handle(handle);
      return nullptr;
    }
    return new (data) H(in_data);
  }

  static void DestroyHandler(PF_Handle handle, ArbitraryHandler* object, const PF_HandleSuite1& handles) {
    if (object) object->~ArbitraryHandler();
    if (handle) {
      handles.host_unlock_handle(handle);
      handles.host_dispose_handle(handle);
    }
  }

  const PF_HandleSuite1& handles_;
  PF_Handle record_ = nullptr;
  bool locked_ = false;
  BuilderGlobals* globals_ = nullptr;
};

}  // namespace

PF_Err CreateBuilderGlobals(PF_InData* in_data, PF_OutData* out_data, CurvePresetStore& presets) {
  const ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  GlobalsUnderConstruction made(*handles.get());
  if (!made.Allocate()) {
    ReportErrorMessage(in_data, out_data, "Could not initialise global data");
    return PF_Err_OUT_OF_MEMORY;
  }
  BuilderGlobals* g = made.Lock();
  if (!g) return PF_Err_OUT_OF_MEMORY;
  if (!made.MakeHandlers(in_data)) return PF_Err_OUT_OF_MEMORY;
  LoadCurvePresets(presets, g->mainPresets, g->petalPresets);
  out_data->global_data = made.Release();
  return PF_Err_NONE;
}

PF_Err ReleaseBuilderGlobals(PF_InData* in_data, PF_OutData* out_data, CurvePresetStore& presets) {
  if (!in_data->global_data) return PF_Err_NONE;
  const ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  // Frees the record on every way out, the exception from a refused
  // settings suite included: the handlers go first, then the record's own
  // lock from global setup, then the record.
  struct Release {
    PF_InData* in_data;
    PF_OutData* out_data;
    const PF_HandleSuite1& handles;
    ~Release() {
      PF_Handle record = in_data->global_data;
      {
        const BuilderGlobalsLock globals(in_data, handles);
        if (globals.get()) GlobalsUnderConstruction::DestroyHandlers(*globals.get(), handles);
      }
      handles.host_unlock_handle(record);
      handles.host_dispose_handle(record);
      in_data->global_data = nullptr;
      out_data->global_data = nullptr;
    }
  } release{in_data, out_data, *handles.get()};
  const BuilderGlobalsLock globals(in_data, *handles.get());
  if (globals.get()) SaveCurvePresets(presets, globals.get()->mainPresets, globals.get()->petalPresets);
  return PF_Err_NONE;
}

const PersistentSettings& SettingsPresetStore::Settings() {
  if (!settings_) settings_.emplace(in_data_, kPresetSection);
  return *settings_;
}

std::string SettingsPresetStore::Get(const char* key, const char* defaultText) {
  const PersistentSettings& settings = Settings();
  if (!settings.usable()) return defaultText;
  return settings.GetString(key, defaultText, kPresetTextLimit);
}

void SettingsPresetStore::Set(const char* key, const std::string& text) {
  const PersistentSettings& settings = Settings();
  if (settings.usable()) settings.SetString(key, text.c_str());
}

}  // namespace vlam
