// Whole runs of the tool: scenes built with `apply`, rendered with `render`,
// read with `inspect`, the pictures checked where the light lands. (Camera
// layers and masks: the host's camera and mask tests and the Render effect's
// own; module effects that leave the picture alone: the host's module tests.)
#include "cli/cli_support.h"
#include "host/image/Image.h"
#include "host/io/ImageFiles.h"

#include <nlohmann/json.hpp>


namespace {

using json = nlohmann::ordered_json;
using vlam::host::Image;
using vlam::host::PixelDepth;
using vlam::test::expectNumbers;
using vlam::test::readFile;
using vlam::test::ToolTest;

Image readImage(const std::filesystem::path &file) { return vlam::host::readImageFile(file, PixelDepth::Float32); }

// Mean brightness of a box given in fractions of the frame.
double meanLuma(const Image &image, double x0, double y0, double x1, double y1) {
  double sum = 0;
  int n = 0;
  for (int y = static_cast<int>(y0 * image.height()); y < static_cast<int>(y1 * image.height()); ++y)
    for (int x = static_cast<int>(x0 * image.width()); x < static_cast<int>(x1 * image.width()); ++x, ++n) {
      const vlam::host::PixelF p = image.pixel(x, y);
      sum += 0.299 * p.red + 0.587 * p.green + 0.114 * p.blue;
    }
  return n ? sum / n : 0.0;
}

// The built-in scene at an eighth of full size (240 x 135): the left gun
// fires on even frames, the right one on odd frames, and frame 16 falls in a
// pause of both; a frame renders the same bytes every time.
TEST_F(ToolTest, EachGunOfTheBuiltInSceneLightsItsOwnSideOnlyWhenItFires) {
  const auto render = [&](int frame, const std::string &name) {
    ok({"render", "--frames", std::to_string(frame), "--downsample", "8", "-o", name + ".exr"});
    return readImage(dir / (name + ".exr"));
  };
  const Image none = render(16, "none"), left = render(2, "left"), right = render(17, "right");
  ASSERT_EQ(std::pair(none.width(), none.height()), std::pair(240, 135));
  EXPECT_TRUE(render(2, "again").samePixels(left));
  // The left gun's muzzle sits near (0.31, 0.57) of the frame and fires
  // left; the right one near (0.69, 0.43) and fires right.
  const auto leftBox = [](const Image &i) { return meanLuma(i, 0.18, 0.48, 0.33, 0.66); };
  const auto rightBox = [](const Image &i) { return meanLuma(i, 0.67, 0.34, 0.82, 0.52); };
  EXPECT_GT(leftBox(left), leftBox(none) + 0.2) << "a bright flash left of the left muzzle";
  EXPECT_GT(rightBox(right), rightBox(none) + 0.2) << "a bright flash right of the right muzzle";
  // A flash lights its own side far more than the other gun's side.
  EXPECT_GT(leftBox(left) - leftBox(none), 4 * (rightBox(left) - rightBox(none)));
  EXPECT_GT(rightBox(right) - rightBox(none), 4 * (leftBox(right) - leftBox(none)));
  // The Relighter brightens the plate around a firing gun, beyond the flash.
  EXPECT_GT(meanLuma(left, 0.05, 0.7, 0.3, 0.95), meanLuma(none, 0.05, 0.7, 0.3, 0.95) + 0.005);
}

// vlam inspect on a scene with the module stack: the records the Vlam effects
// exchange, by field name (their values are the module's own tests' matter).
TEST_F(ToolTest, InspectShowsTheDefaultStacksDesignRecordAndCollectedBlock) {
  dir.writeEmptyScene();
  ok({"apply", "scene.json", "--layer", "Plate", "--effect", "zk_Vlam"});
  const json layer = json::parse(ok({"inspect", "scene.json", "--frame", "3", "--json"}))["compositions"][0]["layers"][0];
  const json &effects = layer["effects"];
  ASSERT_EQ(effects.size(), 4u);
  const json &builder = effects[1]["flash_design"];
  EXPECT_EQ(builder["slot"], "Flash A");
  expectNumbers(builder["design"], {{"valid", 1}, {"mainLength", 250.0}, {"maxSparks", 0}});
  const json &record = effects[2]["instance"]["record"];
  expectNumbers(record, {{"designIndex", 0}, {"randomSeed", 1024}, {"triggerLevel", 0.4}});

  const json &collected = layer["collected"];
  EXPECT_EQ(collected["instanceCount"], 1);
  ASSERT_EQ(collected["designs"].size(), 4u);
  EXPECT_EQ(collected["designs"][0]["design"], builder["design"]);
  EXPECT_TRUE(collected["designs"][1]["design"].is_null());
  ASSERT_EQ(collected["instances"].size(), 1u);
  EXPECT_EQ(collected["instances"][0]["record"], record);
  // No shape randomisation in the design: energy 0.4, no blend.
  const json &derived = collected["instances"][0]["derived"];
  EXPECT_EQ(derived["firing"], true);
  expectNumbers(derived, {{"energy", 0.4}, {"blendWeight", 0.0}});
}

} // namespace
