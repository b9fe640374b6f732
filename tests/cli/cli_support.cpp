#include "cli_support.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace vlam::test {
namespace {

std::string quoted(const std::string &arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

} // namespace

std::string readText(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeText(const std::filesystem::path &file, const std::string &text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

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
  result.out = readText(out);
  result.err = readText(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

CliDir::CliDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("vlam-cli-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(std::random_device{}()));
  std::filesystem::create_directories(path_);
  std::filesystem::copy_file(std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "empty.json", path_ / "empty.json");
}

CliDir::~CliDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

} // namespace vlam::test
