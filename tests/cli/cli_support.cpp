#include "cli_support.h"

#include "host/temp_dir_support.cpp" // NOLINT(bugprone-suspicious-include)

#include <atomic>
#include <cstdlib>
#include <sys/wait.h>

namespace vlam::test {
namespace {

std::string quoted(const std::string &arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

const std::filesystem::path kEmptyScene = std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "empty.json";

} // namespace

CliResult runVlam(const std::filesystem::path &dir, const std::vector<std::string> &args, const std::string &launcher) {
  static std::atomic<int> runs{0};
  std::string command =
      "cd " + quoted(dir.string()) + " && " + launcher + quoted(VLAM_CLI_PATH) + " --settings settings.json";
  for (const auto &arg : args) command += " " + quoted(arg);
  const std::string run = std::to_string(runs++);
  const auto out = dir / (".stdout" + run), err = dir / (".stderr" + run);
  command += " > " + quoted(out.string()) + " 2> " + quoted(err.string()) + " < /dev/null";
  const int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = readFile(out);
  result.err = readFile(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

CliDir::CliDir() { std::filesystem::copy_file(kEmptyScene, path() / "empty.json"); }

void CliDir::writeEmptyScene(int width, int height) const {
  std::string scene = readFile(kEmptyScene);
  if (width > 0) scene.replace(scene.find("1920"), 4, std::to_string(width));
  if (height > 0) scene.replace(scene.find("1080"), 4, std::to_string(height));
  writeFile(path() / "scene.json", scene);
}

} // namespace vlam::test
