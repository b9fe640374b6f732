#pragma once
#include "host/module/Pipl.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vlam::host {

// The plug-in module file, opened with the system's loader for as long as the
// object lives. Knows nothing about what the plug-ins are: that comes from
// their property lists, which `propertyLists` reads through the module's
// exported resource table, or on Windows through the resource API.
//
// Elsewhere a Windows module (a PE file) is opened for its property lists
// only: they are read from its resource section, and its code is not run
// (runnable() is false, symbol() finds nothing).
class ModuleLibrary {
public:
  explicit ModuleLibrary(const std::filesystem::path &path); // throws HostError
  ~ModuleLibrary();
  ModuleLibrary(const ModuleLibrary &) = delete;
  ModuleLibrary &operator=(const ModuleLibrary &) = delete;

  const std::filesystem::path &path() const { return path_; }
  // False for a module built for another system: its plug-ins can be listed
  // but not called.
  bool runnable() const { return handle_ != nullptr; }
  // nullptr when the module exports no such name.
  void *symbol(const std::string &name) const;
  // Every 'PiPL' resource, in the module's order. Throws HostError naming the
  // module and the resource when one is damaged.
  std::vector<PiplInfo> propertyLists() const;

  // build/bin/Vlam.aex beside the host's build, as configured at build time;
  // on Windows, Vlam.aex beside the program.
  static std::filesystem::path defaultPath();

private:
  std::filesystem::path path_;
  void *handle_ = nullptr;
  // The whole file of a module that is not loaded (a PE file elsewhere).
  std::vector<std::uint8_t> foreignImage_;
};

} // namespace vlam::host
