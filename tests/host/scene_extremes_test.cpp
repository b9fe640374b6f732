// Scenes holding values at the far ends of what the file format lets
// through: the module stack renders them without fault.
#include "host/render/CompRenderer.h"
#include "host/scene/SceneFile.h"
#include "host_support.h"

using namespace vlam;
using vlam::test::TempDir;

namespace {

class SceneExtremes : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));

  // The module stack on a grey solid, the instance at `position` with the
  // trigger on; `active` switches the Render effect.
  std::string moduleStack(const std::string &position, bool active = true) {
    return R"({"vlam_scene": 1, "compositions": [{"width": 96, "height": 54, "duration": 4, "motion_blur": true,
      "layers": [{"name": "Plate", "solid": [0.3, 0.3, 0.3], "effects": [
        {"effect": "zk_VlamMod"}, {"effect": "zk_VlamFlash"},
        {"effect": "zk_VlamInstance", "params": {"Position": )" +
           position + R"(, "Post Scale": 300, "Trigger": true}},
        {"effect": "zk_Vlam", "active": )" +
           (active ? "true" : "false") + "}]}]}]}";
  }

  host::Image render(const std::string &scene) {
    host->openProject(host::parseScene(*host, scene, dir / "s.json"));
    host::CompRenderer renderer(*host, *host->project().comps.front(), host::RenderSettings{});
    return renderer.renderFrame(1);
  }
};

TEST_F(SceneExtremes, FlashPositionedFarBeyondTheFrameDrawsNothing) {
  const host::Image plate = render(moduleStack("[48, 27, 0]", false));
  // The control: at the centre the flash shows.
  EXPECT_FALSE(render(moduleStack("[48, 27, 0]")).samePixels(plate));
  for (const char *far : {"[1e308, -1e308, 0]", "[-1e308, 1e308, 0]", "[1e12, 27, 0]"}) {
    const host::Image frame = render(moduleStack(far));
    EXPECT_TRUE(frame.samePixels(plate)) << far;
  }
  EXPECT_TRUE(host->messages.empty());
}

} // namespace
