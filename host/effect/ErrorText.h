#pragma once
#include <string>

namespace vlam::host {

// "513 (invalid index)": an effect-API or AEGP error code with its meaning,
// for messages a user reads.
std::string errorText(long code);

// "PF_Cmd_UPDATE_PARAMS_UI (14)": an effect command by its SDK name, for
// traces and messages.
std::string commandText(long cmd);

} // namespace vlam::host
