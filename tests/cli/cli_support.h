#pragma once
#include "host/temp_dir_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vlam::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the vlam tool in `dir`, with its settings file there, and the given
// arguments; stdout and stderr are captured. `launcher` is shell text put
// before the tool's path ("ulimit -f 8 && ", a program that runs it).
// Several may run at once in one folder.
CliResult runVlam(const std::filesystem::path &dir, const std::vector<std::string> &args,
                  const std::string &launcher = "");

// A private directory with a copy of scenes/empty.json as "empty.json"; the
// tool runs there, so file names in its arguments are relative to it.
class CliDir : public TempDir {
public:
  CliDir();
  CliResult run(const std::vector<std::string> &args, const std::string &launcher = "") const {
    return runVlam(path(), args, launcher);
  }
  // scenes/empty.json as "scene.json", its composition resized when a size is given.
  void writeEmptyScene(int width = 0, int height = 0) const;
};

// Expects each named number of a JSON object to be its value (to 1e-12).
template <class Json>
void expectNumbers(const Json &object, std::initializer_list<std::pair<const char *, double>> numbers) {
  for (const auto &[name, value] : numbers) EXPECT_NEAR(object[name].template get<double>(), value, 1e-12) << name;
}

// A test with its own tool directory.
class ToolTest : public ::testing::Test {
protected:
  CliDir dir;
  CliResult run(const std::vector<std::string> &args) const { return dir.run(args); }
  // Runs the tool expecting success; what it printed on stdout.
  std::string ok(const std::vector<std::string> &args) const {
    const CliResult r = dir.run(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  }
};

} // namespace vlam::test
