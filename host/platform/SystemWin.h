// Small helpers over the Windows API for the host's Windows files.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace vlam::host {

// The calling thread's last Windows error as text (UTF-8), with its number.
std::string lastErrorText();
// UTF-16 to UTF-8.
std::string utf8(std::wstring_view text);
// The folder the running program lives in.
std::filesystem::path programFolder();

} // namespace vlam::host
