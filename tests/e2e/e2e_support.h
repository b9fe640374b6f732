#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_support.h"

namespace vlam::test {

// A private directory for one test, removed after it; the tool runs there,
// so file names in its arguments are relative to it.
class ToolTest : public ::testing::Test {
protected:
  CliResult run(const std::vector<std::string> &args) const { return tool_.run(args); }
  // scenes/empty.json as scene.json, its composition resized when a size is given.
  void writeEmptyScene(int width = 0, int height = 0);

private:
  CliDir tool_;

protected:
  const std::filesystem::path &dir = tool_.path();
};

} // namespace vlam::test
