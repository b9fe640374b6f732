#include "host/module/ModuleLibrary.h"

#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/module/PeResources.h"

#include <PF_ModuleResources.h>

#include <dlfcn.h>

#include <fstream>

namespace vlam::host {

#ifndef VLAM_DEFAULT_MODULE_DIR
#define VLAM_DEFAULT_MODULE_DIR "build/bin"
#endif

std::filesystem::path ModuleLibrary::defaultPath() {
  return std::filesystem::path(VLAM_DEFAULT_MODULE_DIR) / "Vlam.aex";
}

ModuleLibrary::ModuleLibrary(const std::filesystem::path &path) : path_(path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec))
    throw HostError(path.string() + ": module not found");
  // A Windows module cannot be loaded here; its property lists can be read.
  char magic[2] = {};
  std::ifstream(path, std::ios::binary).read(magic, sizeof magic);
  if (looksLikePeFile(reinterpret_cast<const std::uint8_t *>(magic), sizeof magic)) {
    const std::string bytes = readWholeFile(path);
    foreignImage_.assign(bytes.begin(), bytes.end());
    return;
  }
  // An explicit path so that the loader never searches its library path.
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  handle_ = ::dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char *why = ::dlerror();
    throw HostError(path.string() + ": cannot load module: " + (why ? why : "unknown reason"));
  }
}

ModuleLibrary::~ModuleLibrary() {
  if (handle_) ::dlclose(handle_);
}

void *ModuleLibrary::symbol(const std::string &name) const {
  if (!handle_) return nullptr;
  ::dlerror();
  return ::dlsym(handle_, name.c_str());
}

std::vector<PiplInfo> ModuleLibrary::propertyLists() const {
  if (!handle_) {
    std::vector<PiplInfo> lists;
    try {
      for (const PeResource &r : readPeResources(foreignImage_.data(), foreignImage_.size(), "PiPL"))
        lists.push_back(parsePipl(r.bytes.data(), r.bytes.size(), r.id));
    } catch (const HostError &e) {
      throw HostError(path_.string() + ": " + e.what());
    }
    if (lists.empty()) throw HostError(path_.string() + ": the module holds no PiPL resources");
    return lists;
  }
  auto getResources = reinterpret_cast<PF_GetModuleResourcesFunc>(symbol(PF_GetModuleResources_FuncName));
  if (!getResources)
    throw HostError(path_.string() + ": module has no resource table (" PF_GetModuleResources_FuncName ")");
  A_long count = 0;
  const PF_ModuleResource *resources = getResources(&count);
  if (count < 0 || (count > 0 && !resources))
    throw HostError(path_.string() + ": resource table is damaged");
  std::vector<PiplInfo> lists;
  for (A_long i = 0; i < count; ++i) {
    const PF_ModuleResource &r = resources[i];
    if (r.type != PF_ModuleResourceType_PiPL) continue;
    try {
      lists.push_back(parsePipl(r.data, r.size, r.id));
    } catch (const HostError &e) {
      throw HostError(path_.string() + ": " + e.what());
    }
  }
  return lists;
}

} // namespace vlam::host
