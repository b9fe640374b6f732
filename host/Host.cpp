#include "host/Host.h"

#include "host/image/PixelMemory.h"

#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host/module/ModuleLibrary.h"
#include "host/suites/HostSuites.h"

#include <iostream>

namespace vlam::host {
namespace {
std::atomic<Host *> currentHost{nullptr};
} // namespace

Host &Host::current() {
  Host *host = currentHost.load();
  if (!host) throw HostError("no host is running");
  return *host;
}

Host *Host::currentOrNull() { return currentHost.load(); }

Host::Host(HostOptions options) : options_(std::move(options)) {
  Host *expected = nullptr;
  if (!currentHost.compare_exchange_strong(expected, this)) throw HostError("another host is already running");
  try {
    monitor_.setTrace(options_.trace);
    keepFreedMemory();
    threads_ = std::make_unique<ThreadPool>(options_.threads);
    settings_ = std::make_unique<SettingsStore>(options_.settingsPath.empty() ? SettingsStore::defaultPath()
                                                                              : options_.settingsPath);
    runner_ = std::make_unique<EffectRunner>(*this);
    project_ = std::make_unique<Project>();
    basicSuite_ = makeBasicSuite();
    publishHostSuites(suites_);
    for (const std::string &name : options_.refusedSuites) suites_.refuse(name);
    for (const HostOptions::FailedCall &call : options_.failedCalls) monitor_.failCall(call.function, call.n, call.error);
    module_ = std::make_unique<ModuleLibrary>(options_.modulePath.empty() ? ModuleLibrary::defaultPath()
                                                                           : options_.modulePath);
    loadPlugins();
    startGeneralPlugins();
  } catch (...) {
    module_.reset();
    currentHost = nullptr;
    throw;
  }
}

Host::~Host() {
  setDownProject();
  // Parameter values die before the effects that made them are set down.
  project_ = std::make_unique<Project>();
  setDownEffects();
  if (monitor_.tracing()) {
    std::string missing;
    for (const auto &[name, version] : suites_.missing())
      missing += (missing.empty() ? "" : ", ") + ("\"" + name + "\" v" + std::to_string(version));
    monitor_.note("suites asked for but not granted: " + (missing.empty() ? std::string("none") : missing));
  }
  try {
    settings_->save();
  } catch (const std::exception &e) {
    std::cerr << "vlam: settings not saved: " << e.what() << '\n';
  }
  project_.reset();
  module_.reset();
  currentHost = nullptr;
}

void Host::loadPlugins() {
  const std::string where = module_->path().string();
  // A module built for another system is listed from its property lists; its
  // plug-ins have no entry point here and are never called.
  if (!module_->runnable())
    report(where, "a module for another system: its plug-ins are listed but cannot run here");
  for (PiplInfo &pipl : module_->propertyLists()) {
    void *entry = module_->symbol(pipl.entryPoint);
    if (!entry && module_->runnable())
      throw HostError(where + ": PiPL resource " + std::to_string(pipl.resourceId) + " names entry point '" +
                      pipl.entryPoint + "', which the module does not export");
    if (pipl.isEffect()) {
      if (pipl.matchName.empty())
        throw HostError(where + ": PiPL resource " + std::to_string(pipl.resourceId) + " has no match name");
      if (findInstalled(pipl.matchName))
        throw HostError(where + ": two effects are called " + pipl.matchName);
      installEffect(std::move(pipl), reinterpret_cast<PF_FilterProc>(entry));
    } else if (pipl.isGeneral()) {
      GeneralPlugin plugin;
      plugin.entry = reinterpret_cast<AEGP_PluginInitFunc>(entry);
      plugin.pipl = std::move(pipl);
      plugin.id = nextPluginId_++;
      generalPlugins_.push_back(std::move(plugin));
    }
  }
}

void Host::startGeneralPlugins() {
  for (GeneralPlugin &plugin : generalPlugins_) {
    if (!plugin.entry) continue;
    monitor_.note("start general plug-in " + plugin.pipl.name);
    try {
      plugin.initResult = plugin.entry(&basicSuite_, options_.specVersion.major, options_.specVersion.minor,
                                       plugin.id, &plugin.refcon);
    } catch (...) {
      plugin.initResult = A_Err_GENERIC;
      report(plugin.pipl.name, "an exception left the plug-in's entry point", A_Err_GENERIC);
    }
    if (plugin.initResult) report(plugin.pipl.name, "failed to start", plugin.initResult);
  }
}

InstalledEffect &Host::installEffect(PiplInfo pipl, PF_FilterProc entry) {
  auto effect = std::make_unique<InstalledEffect>();
  effect->key = static_cast<AEGP_InstalledEffectKey>(effects_.size() + 1);
  effect->entry = entry;
  effect->pipl = std::move(pipl);
  effects_.push_back(std::move(effect));
  return *effects_.back();
}

InstalledEffect *Host::findInstalled(AEGP_InstalledEffectKey key) const {
  if (key < 1 || static_cast<std::size_t>(key) > effects_.size()) return nullptr;
  return effects_[static_cast<std::size_t>(key - 1)].get();
}

InstalledEffect *Host::findInstalled(const std::string &matchName) const {
  for (const auto &effect : effects_)
    if (effect->matchName() == matchName) return effect.get();
  return nullptr;
}

GeneralPlugin *Host::findGeneralPlugin(AEGP_PluginID id) {
  for (GeneralPlugin &plugin : generalPlugins_)
    if (plugin.id == id) return &plugin;
  return nullptr;
}

void Host::report(const std::string &source, const std::string &text, A_Err error) {
  std::lock_guard lock(reportMutex_);
  messages.push_back({source, text, error});
  monitor_.note("message from " + source + ": " + text + (error ? " (error " + std::to_string(error) + ")" : ""));
}

AEGP_PluginID Host::registerPluginId() { return nextPluginId_++; }

void Host::openProject(std::unique_ptr<Project> project) {
  setDownProject();
  project_ = std::move(project);
  for (EffectInstance *effect : project_->allEffects()) {
    runner_->sequenceResetup(*effect);
    updateParamsUi(*effect, currentTicks);
  }
}

PF_Err Host::applyInstalled(Layer &layer, InstalledEffect &effect, EffectInstance **created) {
  if (created) *created = nullptr;
  if (layer.camera) return PF_Err_BAD_CALLBACK_PARAM; // cameras carry no effects
  if (PF_Err err = runner_->ensureReady(effect)) return err;
  layer.effects.push_back(runner_->newInstance(effect, layer));
  EffectInstance &instance = *layer.effects.back();
  if (PF_Err err = runner_->sequenceSetup(instance)) {
    // A failed setup leaves no half-made effect behind; sequence data it
    // allocated before failing is the host's to free.
    if (instance.sequenceData && handles_.known(reinterpret_cast<void **>(instance.sequenceData)))
      handles_.dispose(reinterpret_cast<void **>(instance.sequenceData));
    layer.effects.pop_back();
    return err;
  }
  if (created) *created = &instance;
  updateParamsUi(instance, currentTicks);
  return PF_Err_NONE;
}

PF_Err Host::updateParamsUi(EffectInstance &effect, std::int64_t ticks) {
  if (!effect.installed().updatesParamsUi()) return PF_Err_NONE;
  return runner_->call(effect.installed(), &effect, PF_Cmd_UPDATE_PARAMS_UI, {ticks, activeRender}).err;
}

EffectInstance *Host::applyEffect(Layer &layer, const std::string &matchName, PF_Err *error) {
  InstalledEffect *effect = findInstalled(matchName);
  if (!effect) throw HostError("unknown effect match name '" + matchName + "'");
  EffectInstance *created = nullptr;
  PF_Err err = applyInstalled(layer, *effect, &created);
  if (error) *error = err;
  if (created) runIdle();
  return created;
}

void Host::removeEffect(EffectInstance &effect) {
  runner_->sequenceSetdown(effect);
  Layer &layer = effect.layer();
  const int index = layer.indexOf(effect);
  if (index >= 0) layer.effects.erase(layer.effects.begin() + index);
}

void Host::runIdle() {
  const std::vector<IdleHook> hooks = idleHooks; // a hook may register another
  for (const IdleHook &hook : hooks) {
    GeneralPlugin *plugin = findGeneralPlugin(hook.plugin);
    A_long maxSleep = 0;
    try {
      A_Err err = hook.function(plugin ? plugin->refcon : nullptr, hook.refcon, &maxSleep);
      if (err) monitor_.note("idle hook returned error " + std::to_string(err));
    } catch (...) {
      report(plugin ? plugin->pipl.name : "idle hook", "an exception left the idle hook", A_Err_GENERIC);
    }
  }
}

void Host::setDownProject() {
  if (!project_) return;
  for (EffectInstance *effect : project_->allEffects()) runner_->sequenceSetdown(*effect);
}

void Host::setDownEffects() {
  for (const auto &effect : effects_) runner_->globalSetdown(*effect);
}

} // namespace vlam::host
