// The tool is run as the command-line tests run it.
#include "cli/cli_support.cpp" // NOLINT(bugprone-suspicious-include)
#include "e2e_support.h"

namespace vlam::test {

void ToolTest::writeEmptyScene(int width, int height) {
  std::string scene = readText(std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "empty.json");
  if (width > 0) scene.replace(scene.find("1920"), 4, std::to_string(width));
  if (height > 0) scene.replace(scene.find("1080"), 4, std::to_string(height));
  writeText(dir / "scene.json", scene);
}

} // namespace vlam::test
