#pragma once
#include <cstdint>
#include <string>

namespace vlam::cli {

// "0x02088004"
std::string hex32(std::uint32_t value);
// An effect version word as "1.0.3" (with the stage when not a release).
std::string versionText(std::uint32_t version);
// Turns the host's carriage returns into line breaks for a terminal.
std::string terminalText(std::string text);

} // namespace vlam::cli
