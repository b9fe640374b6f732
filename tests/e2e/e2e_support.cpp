#include "e2e_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace vlam::test {

std::string slurp(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

Run vlam(const std::filesystem::path &dir, const std::vector<std::string> &args) {
  auto quote = [](const std::string &a) {
    std::string q = "'";
    for (char c : a) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  };
  std::string command = "cd " + quote(dir.string()) + " && " + quote(VLAM_CLI_PATH) + " --settings settings.json";
  for (const auto &a : args) command += " " + quote(a);
  command += " > .out 2> .err < /dev/null";
  const int status = std::system(command.c_str());
  Run r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = slurp(dir / ".out");
  r.err = slurp(dir / ".err");
  return r;
}

} // namespace vlam::test
