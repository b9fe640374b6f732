#include "host/io/FilePlatform.h"

#include "host/HostError.h"
#include "host/platform/SystemWin.h"

#include <windows.h>

namespace vlam::host {

std::string processTag() { return std::to_string(::GetCurrentProcessId()); }

void syncFile(const std::filesystem::path &path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw HostError(path.string() + ": cannot reopen for sync: " + lastErrorText());
  const BOOL flushed = ::FlushFileBuffers(file);
  const std::string why = flushed ? std::string() : lastErrorText();
  ::CloseHandle(file);
  if (!flushed) throw HostError(path.string() + ": cannot sync: " + why);
}

void replaceFile(const std::filesystem::path &replacement, const std::filesystem::path &target) {
  // ReplaceFileW swaps the new file in for an existing one (keeping the old
  // one's attributes); a target that does not exist yet is moved to instead.
  if (::ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return;
  if (::GetLastError() == ERROR_FILE_NOT_FOUND &&
      ::MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return;
  throw HostError(target.string() + ": cannot replace: " + lastErrorText());
}

void writeProbeFile(const std::filesystem::path &path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw HostError(lastErrorText());
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, "", 1, &written, nullptr) && written == 1;
  const std::string why = ok ? std::string() : lastErrorText();
  ::CloseHandle(file);
  if (!ok) throw HostError(why);
}

} // namespace vlam::host
