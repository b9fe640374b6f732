#pragma once
#include "host/Host.h"

#include <AE_GeneralPlug.h>

namespace vlam::host {

// The layer streams a camera layer has: zoom, position, point of interest
// (the anchor point stream of a camera) and orientation.
bool isCameraStream(const Layer &layer, AEGP_LayerStream stream);

// The value of a camera layer's stream at a comp time.
A_Err cameraStreamValue(Host &host, AEGP_LayerH layer, AEGP_LayerStream stream, const A_Time *compTime,
                        AEGP_StreamVal2 *value, AEGP_StreamType *type);

} // namespace vlam::host
