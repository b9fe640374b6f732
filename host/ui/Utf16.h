#pragma once
#include <adobesdk/DrawbotSuite.h>

#include <string>

namespace vlam::host {

// A zero-terminated UTF-16 string as UTF-8 (unpaired surrogates become
// U+FFFD).
std::string utf8FromUtf16(const DRAWBOT_UTF16Char *text);

} // namespace vlam::host
