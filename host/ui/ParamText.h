#pragma once
#include "host/project/ParamDefinition.h"
#include "host/project/ParamStream.h"

#include <string>

namespace vlam::host {

// A parameter's value as the effect-controls panel shows it ("250.00",
// "Flash A", "75%", "0x+75.0°", "960.0, 540.0"); arbitrary data as the size
// of its bytes.
std::string paramValueText(const ParamDefinition &param, const ParamValue &value);

} // namespace vlam::host
