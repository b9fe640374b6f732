// OpenEXR files without the OpenEXR library, for builds that lack it
// (Windows): scan lines of 32-bit float A, B, G, R, uncompressed.
#pragma once
#include "host/image/Image.h"

#include <string>

namespace vlam::host {

// The whole file for `image` (premultiplied, as EXR expects); any depth.
std::string encodeExrUncompressed(const Image &image);

} // namespace vlam::host
