#pragma once
#include "host/image/Image.h"
#include "host/render/RenderSettings.h"

#include <AE_EffectUI.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

class Host;
class Composition;
class Layer;

// The composition window (the rendered frame of the composition) or a layer
// window (one layer through its effects), at 100 %, with the custom UI of
// every effect that draws in that window on top: in the composition window
// every layer's effects from the bottom layer up, in a layer window that
// layer's. Effect errors are added to `problems`.
Image drawViewWindow(Host &host, Composition &comp, std::int64_t frame, PF_WindowType window, Layer *layer,
                     const RenderSettings &settings, std::vector<std::string> &problems);

} // namespace vlam::host
