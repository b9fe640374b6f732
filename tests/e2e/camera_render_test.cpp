// A camera layer steers what the Render effect draws: a camera moved to the
// right moves the flash to the left in the picture.
#include "e2e_support.h"
#include "host/image/Image.h"
#include "host/io/ImageFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>
#include <fstream>

namespace {

class CameraRender : public vlam::test::ToolTest {
protected:
  void SetUp() override { writeEmptyScene(160, 90); }

  // The scene with a camera layer on top holding `camera` (JSON).
  void addCamera(const std::string &name, const std::string &camera) {
    std::string scene = vlam::test::readText(dir / "scene.json");
    const std::string layers = "\"layers\": [";
    scene.insert(scene.find(layers) + layers.size(), "{\"name\": \"Camera\", \"camera\": " + camera + "},");
    std::ofstream(dir / name) << scene;
  }
};

// How much brighter each pixel is than the plate.
std::vector<double> lightOf(const vlam::host::Image &lit, const vlam::host::Image &plate) {
  std::vector<double> light;
  for (int y = 0; y < lit.height(); ++y)
    for (int x = 0; x < lit.width(); ++x) {
      const auto a = lit.pixel(x, y), b = plate.pixel(x, y);
      light.push_back(std::max(0.0, double(a.red + a.green + a.blue) - double(b.red + b.green + b.blue)));
    }
  return light;
}

// The x centroid of the light.
double centroidX(const std::vector<double> &light, int width) {
  double sum = 0, weight = 0;
  for (std::size_t i = 0; i < light.size(); ++i) {
    sum += light[i] * static_cast<double>(static_cast<int>(i) % width);
    weight += light[i];
  }
  return weight > 0 ? sum / weight : -1;
}

TEST_F(CameraRender, AMovedCameraMovesTheFlash) {
  ASSERT_EQ(run({"render", "scene.json", "--frames", "0", "-o", "plate.png"}).exitCode, 0);
  auto applied = run({"apply", "scene.json", "--layer", "Plate", "--effect", "zk_Vlam"});
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  // The host's default camera, once without and once as a camera layer, and
  // the same camera 30 pixels to the right (looking straight ahead).
  const double zoom = 160 * 141.7325 / 102.0474;
  const std::string z = std::to_string(-zoom);
  addCamera("default.json", "{\"position\": [80, 45, " + z + "], \"point_of_interest\": [80, 45, 0]}");
  addCamera("moved.json", "{\"position\": [110, 45, " + z + "], \"point_of_interest\": [110, 45, 0]}");
  for (const char *name : {"scene", "default", "moved"}) {
    auto r = run({"render", std::string(name) + ".json", "--frames", "0", "-o", std::string(name) + ".png"});
    ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err;
  }
  using vlam::host::PixelDepth;
  const auto plate = vlam::host::readPng(dir / "plate.png", PixelDepth::Bits8);
  const auto none = lightOf(vlam::host::readPng(dir / "scene.png", PixelDepth::Bits8), plate);
  const auto same = lightOf(vlam::host::readPng(dir / "default.png", PixelDepth::Bits8), plate);
  const auto moved = lightOf(vlam::host::readPng(dir / "moved.png", PixelDepth::Bits8), plate);
  double total = 0, apart = 0;
  for (std::size_t i = 0; i < none.size(); ++i) {
    total += none[i];
    apart += std::abs(same[i] - none[i]);
  }
  ASSERT_GT(total, 0) << "the default stack fires at frame 0";
  EXPECT_LT(apart, total * 0.01) << "a camera layer where the default camera is sees the same";
  // The camera moves 30 pixels to the right: the flash moves left. Its light
  // is clipped at the picture's left edge, so the centroid moves less.
  const double shift = centroidX(moved, plate.width()) - centroidX(none, plate.width());
  EXPECT_LT(shift, -10) << "the flash moves against the camera";
  EXPECT_GT(shift, -35);
}

} // namespace
