#pragma once
#include "host/image/Image.h"

namespace vlam::host {

// A dim wall of concrete blocks with mottled surfaces and darker joints,
// made from integer hashes only, so the same size always gives the same
// pixels. Opaque, 32-bit float. The built-in scene's plate: a surface with
// enough texture that light from the flashes shows on it.
Image makePlateTexture(int width, int height);

} // namespace vlam::host
