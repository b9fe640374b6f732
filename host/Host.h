#pragma once
#include "host/image/WorldTable.h"
#include "host/memory/HandleTable.h"
#include "host/module/InstalledEffect.h"
#include "host/project/Project.h"
#include "host/project/References.h"
#include "host/render/RenderSettings.h"
#include "host/settings/SettingsStore.h"
#include "host/suites/CallMonitor.h"
#include "host/suites/SuiteRegistry.h"
#include "host/threads/ThreadPool.h"

#include <AE_GeneralPlug.h>
#include <SPBasic.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace vlam::host {

class ModuleLibrary;
class EffectRunner;
class LayerPixelSource;

struct HostOptions {
  std::filesystem::path modulePath;   // empty: the build's Vlam.aex
  std::filesystem::path settingsPath; // empty: SettingsStore::defaultPath()
  int threads = 0;                    // worker threads; 0: one per processor
  std::ostream *trace = nullptr;      // a line per host call when set
  PF_SpecVersion specVersion{13, 14}; // the effect API version effects are told
  // Suites refused from the start (before the general plug-in is loaded).
  std::vector<std::string> refusedSuites;
  // Host calls made to fail from the start: the n-th call of the function
  // answers the error (see CallMonitor::failCall).
  struct FailedCall {
    std::string function;
    int n = 1;
    A_Err error = PF_Err_OUT_OF_MEMORY;
  };
  std::vector<FailedCall> failedCalls;
};

// Something the host showed its user: an effect's error message, a general
// plug-in's report.
struct HostMessage {
  std::string source; // effect or plug-in name
  std::string text;
  A_Err error = 0;
};

struct UndoGroup {
  std::string name;
  bool closed = false;
};

struct IdleHook {
  AEGP_PluginID plugin = 0;
  AEGP_IdleHook function = nullptr;
  AEGP_IdleRefcon refcon = nullptr;
};

// The headless host: loads the module, publishes the host's suites, holds
// the project and drives the effects. One host lives at a time (the suite
// functions the module calls find it through Host::current()).
class Host {
public:
  explicit Host(HostOptions options = {});
  ~Host();
  Host(const Host &) = delete;
  Host &operator=(const Host &) = delete;

  static Host &current(); // throws HostError when no host lives
  static Host *currentOrNull();

  const HostOptions &options() const { return options_; }
  CallMonitor &monitor() { return monitor_; }
  SuiteRegistry &suites() { return suites_; }
  HandleTable &handles() { return handles_; }
  HandleTable &memHandles() { return memHandles_; }
  WorldTable &worlds() { return worlds_; }
  ThreadPool &threads() { return *threads_; }
  SettingsStore &settings() { return *settings_; }
  EffectRunner &runner() { return *runner_; }
  SPBasicSuite *basicSuite() { return &basicSuite_; }
  const ModuleLibrary &module() const { return *module_; }
  RefTable<EffectRef> &effectRefs() { return effectRefs_; }
  RefTable<StreamRef> &streamRefs() { return streamRefs_; }
  RefTable<MaskRef> &maskRefs() { return maskRefs_; }
  RefTable<PathOutline> &checkedOutPaths() { return checkedOutPaths_; }

  // The installed effects, in the module's resource order; keys count from 1.
  const std::vector<std::unique_ptr<InstalledEffect>> &installedEffects() const { return effects_; }
  // Adds an effect that does not come from the module's property lists: the
  // host never does this itself; tests use it to drive the host with effects
  // of their own.
  InstalledEffect &installEffect(PiplInfo pipl, PF_FilterProc entry);
  InstalledEffect *findInstalled(AEGP_InstalledEffectKey key) const;
  InstalledEffect *findInstalled(const std::string &matchName) const;
  const std::vector<GeneralPlugin> &generalPlugins() const { return generalPlugins_; }
  GeneralPlugin *findGeneralPlugin(AEGP_PluginID id);

  Project &project() { return *project_; }
  // Replaces the project: the old one's effects are set down, the new one's
  // effects get PF_Cmd_SEQUENCE_RESETUP, as when a project is opened.
  void openProject(std::unique_ptr<Project> project);

  // A user applying an effect: the effect goes to the bottom of the layer's
  // stack and is set up, then the idle hooks run. Throws HostError for an
  // unknown match name. When the effect fails to set up it is not applied:
  // nullptr, the effect's error in `error` and its message in `messages`.
  EffectInstance *applyEffect(Layer &layer, const std::string &matchName, PF_Err *error = nullptr);
  // What AEGP_ApplyEffect does (no idle run); on failure nothing is applied.
  PF_Err applyInstalled(Layer &layer, InstalledEffect &effect, EffectInstance **created);
  // Brings the effect's controls up to date as the host does when it shows
  // them, after a user change and when a project opens: PF_Cmd_UPDATE_PARAMS_UI
  // at comp time `ticks`, only to effects that ask for it (see
  // InstalledEffect::updatesParamsUi). The effect's answer; PF_Err_NONE when
  // the command was not sent.
  PF_Err updateParamsUi(EffectInstance &effect, std::int64_t ticks);
  // Removes an effect from its layer (sequence setdown first).
  void removeEffect(EffectInstance &effect);
  // One round of the host's idle processing: every idle hook once.
  void runIdle();

  // What the host recorded for its user.
  std::vector<HostMessage> messages;        // effect error messages and reports
  std::vector<std::string> scripts;         // every script AEGP_ExecuteScript was given
  std::vector<UndoGroup> undoGroups;        // in the order they were opened
  std::vector<IdleHook> idleHooks;
  void report(const std::string &source, const std::string &text, A_Err error = 0);

  // The project's current time in comp ticks (what a user has the time
  // cursor on): used where the host API takes no time.
  std::int64_t currentTicks = 0;

  // Settings of the render in progress (effect-to-effect calls made during a
  // render see them); the defaults outside a render.
  RenderSettings activeRender;
  // The renderer of the frame in progress (layer checkouts made during a
  // render take their pixels from it); nullptr outside a render.
  LayerPixelSource *activeSource = nullptr;

  // Set from another thread (Ctrl-C) to make effects' abort checks fail.
  std::atomic<bool> cancelRequested{false};

  AEGP_PluginID registerPluginId(); // AEGP_RegisterWithAEGP

private:
  void loadPlugins();
  void startGeneralPlugins();
  void setDownProject();
  void setDownEffects();

  HostOptions options_;
  CallMonitor monitor_;
  SuiteRegistry suites_{monitor_};
  HandleTable handles_;
  HandleTable memHandles_;
  WorldTable worlds_;
  RefTable<EffectRef> effectRefs_;
  RefTable<StreamRef> streamRefs_;
  RefTable<MaskRef> maskRefs_;
  RefTable<PathOutline> checkedOutPaths_;
  std::unique_ptr<ThreadPool> threads_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<ModuleLibrary> module_;
  std::unique_ptr<EffectRunner> runner_;
  SPBasicSuite basicSuite_{};
  std::vector<std::unique_ptr<InstalledEffect>> effects_;
  std::vector<GeneralPlugin> generalPlugins_;
  std::unique_ptr<Project> project_;
  AEGP_PluginID nextPluginId_ = 1;
  std::mutex reportMutex_;
};

} // namespace vlam::host
