// Whole runs of the tool: scenes built with `apply`, rendered with `render`.
#include "e2e_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <random>
#include <unistd.h>

namespace {

class EndToEnd : public ::testing::Test {
protected:
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("vlam-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(std::random_device{}()));
  void SetUp() override {
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "empty.json", dir / "scene.json");
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  vlam::test::Run run(const std::vector<std::string> &args) { return vlam::test::vlam(dir, args); }
};

TEST_F(EndToEnd, ModuleEffectsLeaveRenderedFilesByteIdentical) {
  // The plate shrunk to keep the test quick: 96 x 54.
  std::string scene = vlam::test::slurp(dir / "scene.json");
  scene.replace(scene.find("1920"), 4, "96");
  scene.replace(scene.find("1080"), 4, "54");
  std::ofstream(dir / "scene.json") << scene;
  for (const char *depth : {"8", "16", "32"}) {
    const std::string ext = std::string(depth) == "32" ? ".exr" : ".png";
    ASSERT_EQ(run({"render", "scene.json", "--frames", "5", "--depth", depth, "-o", std::string("plain") + depth + ext})
                  .exitCode,
              0);
  }
  for (const char *effect : {"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance"}) {
    auto r = run({"apply", "scene.json", "--layer", "Plate", "--effect", effect});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  for (const char *depth : {"8", "16", "32"}) {
    const std::string ext = std::string(depth) == "32" ? ".exr" : ".png";
    auto r = run({"render", "scene.json", "--frames", "5", "--depth", depth, "-o", std::string("with") + depth + ext});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(vlam::test::slurp(dir / (std::string("with") + depth + ext)),
              vlam::test::slurp(dir / (std::string("plain") + depth + ext)))
        << depth << " bits";
  }
}

} // namespace
