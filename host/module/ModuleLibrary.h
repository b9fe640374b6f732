#pragma once
#include "host/module/Pipl.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vlam::host {

// The plug-in module file, opened with the dynamic loader for as long as the
// object lives. Knows nothing about what the plug-ins are: that comes from
// their property lists, which `propertyLists` reads through the module's
// exported resource table.
class ModuleLibrary {
public:
  explicit ModuleLibrary(const std::filesystem::path &path); // throws HostError
  ~ModuleLibrary();
  ModuleLibrary(const ModuleLibrary &) = delete;
  ModuleLibrary &operator=(const ModuleLibrary &) = delete;

  const std::filesystem::path &path() const { return path_; }
  // nullptr when the module exports no such name.
  void *symbol(const std::string &name) const;
  // Every 'PiPL' resource, in the module's order. Throws HostError naming the
  // module and the resource when one is damaged.
  std::vector<PiplInfo> propertyLists() const;

  // build/bin/Vlam.aex beside the host's build, as configured at build time.
  static std::filesystem::path defaultPath();

private:
  std::filesystem::path path_;
  void *handle_ = nullptr;
};

} // namespace vlam::host
