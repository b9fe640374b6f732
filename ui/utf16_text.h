// UTF-16 text for DrawString from the module's own (ASCII) labels.
#pragma once
#include <vector>

#include "adobesdk/DrawbotSuite.h"

namespace vlam {

// Zero-terminated UTF-16 copy of an ASCII text.
inline std::vector<DRAWBOT_UTF16Char> Utf16Text(const char *ascii) {
  std::vector<DRAWBOT_UTF16Char> text;
  for (const char *c = ascii; *c != '\0'; ++c) {
    text.push_back(static_cast<DRAWBOT_UTF16Char>(static_cast<unsigned char>(*c)));
  }
  text.push_back(0);
  return text;
}

}  // namespace vlam
