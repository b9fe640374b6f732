// Feeds any bytes to the host as a scene file, with the Vlam module loaded,
// and renders one small frame of what loaded. A scene the host cannot use
// must be refused with a HostError; nothing may crash, leak or touch memory
// it does not own. The host is started once; every input opens into a fresh
// project, and the previous input's effects are set down first.
//
// The harness keeps pictures to files next to the seed scenes (no absolute
// paths, no "..") and renders only scenes small enough to stay fast; the
// host itself takes any path and size.
#include "host/Host.h"
#include "host/HostError.h"
#include "host/render/CompRenderer.h"
#include "host/scene/SceneFile.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace host = vlam::host;

namespace {

constexpr int kDownsample = 8;
constexpr long long kMaxRenderedPixels = 64 * 1024; // per layer and for the frame, after downsampling

host::Host *theHost = nullptr;

// True when every "image" value names a file inside the scene's folder.
// Values nested deeper than the host reads are not looked into.
bool PicturesStayInside(const nlohmann::json &j, int depth = 0) {
  if (depth > 200) return true;
  if (j.is_object()) {
    for (const auto &[key, value] : j.items()) {
      if (key == "image" && value.is_string()) {
        const std::filesystem::path path(value.get<std::string>());
        if (path.empty() || path.has_root_path() || path.has_root_name()) return false;
        for (const auto &part : path)
          if (part == "..") return false;
      }
      if (!PicturesStayInside(value, depth + 1)) return false;
    }
  } else if (j.is_array()) {
    for (const auto &value : j)
      if (!PicturesStayInside(value, depth + 1)) return false;
  }
  return true;
}

bool SmallEnough(const host::Composition &comp) {
  const auto scaled = [](long long w, long long h) {
    return ((w + kDownsample - 1) / kDownsample) * ((h + kDownsample - 1) / kDownsample);
  };
  if (scaled(comp.width, comp.height) > kMaxRenderedPixels) return false;
  for (const auto &layer : comp.layers)
    if (scaled(layer->width, layer->height) > kMaxRenderedPixels) return false;
  return true;
}

} // namespace

// The module's records are packed to 4 bytes, so a pointer they hold (the
// render globals' distance table) may sit at an address that is not a
// multiple of 8; the leak checker must look there too.
extern "C" const char *__lsan_default_options() { return "use_unaligned=1"; }

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  host::HostOptions options;
  options.modulePath = VLAM_MODULE_PATH;
  options.settingsPath = std::filesystem::temp_directory_path() / "vlam-scene-fuzz-settings.json";
  options.threads = 1;
  // Lives for the whole run: its effects are set up once.
  theHost = new host::Host(options);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  {
    const nlohmann::json parsed = nlohmann::json::parse(text, nullptr, false);
    if (!parsed.is_discarded() && !PicturesStayInside(parsed)) return 0;
  }
  host::Host &h = *theHost;
  try {
    h.openProject(host::parseScene(h, text, std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "fuzz.json"));
    host::Composition &comp = *h.project().comps.front();
    if (SmallEnough(comp)) {
      host::RenderSettings settings;
      settings.downsample = kDownsample;
      host::CompRenderer renderer(h, comp, settings);
      (void)renderer.renderFrame(static_cast<std::int64_t>(size) % comp.durationFrames);
    }
  } catch (const host::HostError &) {
    // Refused with a message: what a bad scene should get.
  }
  // The next input starts from a clean project.
  h.openProject(std::make_unique<host::Project>());
  h.messages.clear();
  h.scripts.clear();
  h.undoGroups.clear();
  h.currentTicks = 0;
  return 0;
}
