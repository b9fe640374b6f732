#pragma once
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

// A private directory with a copy of scenes/empty.json as "empty.json".
class CliDir {
public:
  CliDir();
  ~CliDir();
  const std::filesystem::path &path() const { return path_; }
  std::filesystem::path operator/(const std::string &name) const { return path_ / name; }
  CliResult run(const std::vector<std::string> &args, const std::string &launcher = "") const {
    return runVlam(path_, args, launcher);
  }

private:
  std::filesystem::path path_;
};

std::string readText(const std::filesystem::path &file);
void writeText(const std::filesystem::path &file, const std::string &text);

} // namespace vlam::test
