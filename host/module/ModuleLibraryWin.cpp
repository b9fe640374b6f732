// The module on Windows: loaded with LoadLibrary, its entry points found with
// GetProcAddress and its property lists read through the resource API, as
// the real host does.
#include "host/module/ModuleLibrary.h"

#include "host/HostError.h"
#include "host/platform/SystemWin.h"

#include <windows.h>

namespace vlam::host {
namespace {

constexpr const wchar_t *kPiplType = L"PiPL";

HMODULE moduleHandle(void *handle) { return static_cast<HMODULE>(handle); }

BOOL CALLBACK collectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
  // Property lists are found by number; a list named by a string is not ours.
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::vector<WORD> *>(list)->push_back(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

} // namespace

std::filesystem::path ModuleLibrary::defaultPath() { return programFolder() / "Vlam.aex"; }

ModuleLibrary::ModuleLibrary(const std::filesystem::path &path) : path_(path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw HostError(path.string() + ": module not found");
  // An explicit path, and the module's own folder searched first for what it
  // needs, so that the loader never picks up a module of the same name.
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  handle_ = ::LoadLibraryExW(absolute.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!handle_) throw HostError(path.string() + ": cannot load module: " + lastErrorText());
}

ModuleLibrary::~ModuleLibrary() {
  if (handle_) ::FreeLibrary(moduleHandle(handle_));
}

void *ModuleLibrary::symbol(const std::string &name) const {
  return reinterpret_cast<void *>(::GetProcAddress(moduleHandle(handle_), name.c_str()));
}

std::vector<PiplInfo> ModuleLibrary::propertyLists() const {
  std::vector<WORD> ids;
  if (!::EnumResourceNamesW(moduleHandle(handle_), kPiplType, collectId, reinterpret_cast<LONG_PTR>(&ids))) {
    if (::GetLastError() != ERROR_RESOURCE_TYPE_NOT_FOUND)
      throw HostError(path_.string() + ": cannot list its resources: " + lastErrorText());
  }
  if (ids.empty()) throw HostError(path_.string() + ": the module holds no PiPL resources");
  std::vector<PiplInfo> lists;
  for (WORD id : ids) {
    HRSRC found = ::FindResourceW(moduleHandle(handle_), MAKEINTRESOURCEW(id), kPiplType);
    HGLOBAL loaded = found ? ::LoadResource(moduleHandle(handle_), found) : nullptr;
    const void *data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
      throw HostError(path_.string() + ": PiPL resource " + std::to_string(id) + " cannot be read: " + lastErrorText());
    try {
      lists.push_back(parsePipl(static_cast<const std::uint8_t *>(data),
                                ::SizeofResource(moduleHandle(handle_), found), static_cast<std::int32_t>(id)));
    } catch (const HostError &e) {
      throw HostError(path_.string() + ": " + e.what());
    }
  }
  return lists;
}

} // namespace vlam::host
