#pragma once
#include <string>

namespace vlam::host {

// "513 (invalid index)": an effect-API or AEGP error code with its meaning,
// for messages a user reads.
std::string errorText(long code);

} // namespace vlam::host
