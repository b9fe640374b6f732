#include "cli/Formatting.h"

#include <cstdio>

namespace vlam::cli {

std::string hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string versionText(std::uint32_t v) {
  // The bit fields of PF_VERSION.
  const unsigned major = ((v >> 19) & 0x7) | (((v >> 26) & 0xF) << 3);
  const unsigned minor = (v >> 15) & 0xF;
  const unsigned bugfix = (v >> 11) & 0xF;
  const unsigned stage = (v >> 9) & 0x3;
  const unsigned build = v & 0x1FF;
  std::string text = std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(bugfix);
  static const char *stages[] = {" (develop", " (alpha", " (beta", ""};
  if (stage != 3) text += std::string(stages[stage]) + ", build " + std::to_string(build) + ")";
  return text;
}

std::string terminalText(std::string text) {
  for (char &c : text)
    if (c == '\r') c = '\n';
  return text;
}

} // namespace vlam::cli
