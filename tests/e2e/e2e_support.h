#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace vlam::test {

struct Run {
  int exitCode = -1;
  std::string out, err;
};

// Runs the built vlam tool in `dir` (its settings file lives there too).
Run vlam(const std::filesystem::path &dir, const std::vector<std::string> &args);
std::string slurp(const std::filesystem::path &file);

} // namespace vlam::test
