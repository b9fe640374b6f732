#pragma once
#include "host/Host.h"

#include <AE_GeneralPlug.h>

namespace vlam::host {

// The layer with this id in any composition of the project; nullptr when none.
Layer *layerById(Host &host, std::uint32_t layerId);

// Mask streams (the mask suites live in MaskSuites.cpp; the stream suite
// hands mask stream references here). Opacity (percent) and feather (x, y
// in layer pixels) are offered.
A_Err newMaskStreamRef(AEGP_MaskRefH mask, AEGP_MaskStream which, AEGP_StreamRefH *stream);
A_Err maskStreamValue(Host &host, const StreamRef &ref, AEGP_StreamRefH handle, const A_Time *time,
                      AEGP_StreamValue2 *value);
AEGP_StreamType maskStreamType(const StreamRef &ref);

} // namespace vlam::host
