#pragma once
#include <string>
#include <utility>
#include <vector>

namespace vlam::host {

class Host;

// The Flash Builder's ten profile curve presets as the host's settings keep
// them: section "Settings_zkVlam" of the machine-specific blob, keys
// MAIN_SHAPE_PRESET_1..5 and PETAL_SHAPE_PRESET_1..5, each the curve's text.
inline constexpr char kCurvePresetSection[] = "Settings_zkVlam";
std::vector<std::string> curvePresetKeys();

// Sets the Flash Builder up and down once, as any run that uses it does, so
// that it reads its presets and writes them back (a damaged or missing entry
// becomes the builder's built-in text), then returns each key with the text
// the settings hold ("" for a key that is still missing).
std::vector<std::pair<std::string, std::string>> storedCurvePresets(Host &host);

} // namespace vlam::host
