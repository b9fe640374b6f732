// Whole runs of the tool: scenes built with `apply`, rendered with `render`.
#include "e2e_support.h"

#include <gtest/gtest.h>

namespace {

using EndToEnd = vlam::test::ToolTest;

TEST_F(EndToEnd, ModuleEffectsLeaveRenderedFilesByteIdentical) {
  writeEmptyScene(96, 54);  // the plate shrunk to keep the test quick
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
    EXPECT_EQ(vlam::test::readText(dir / (std::string("with") + depth + ext)),
              vlam::test::readText(dir / (std::string("plain") + depth + ext)))
        << depth << " bits";
  }
}

} // namespace
