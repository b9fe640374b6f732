#include "host/scene/ParamAddress.h"

#include "host/HostError.h"
#include "host/module/InstalledEffect.h"

#include <charconv>
#include <vector>

namespace vlam::host {
namespace {

std::string fullPath(const ParamDefinition &param) {
  std::string path;
  for (const std::string &group : param.groups()) path += group + "/";
  return path + param.name();
}

bool endsWithPath(const std::string &path, const std::string &tail) {
  if (path == tail) return true;
  return path.size() > tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0 &&
         path[path.size() - tail.size() - 1] == '/';
}

std::vector<std::size_t> matches(const InstalledEffect &effect, const std::string &address) {
  std::vector<std::size_t> found;
  for (std::size_t i = 1; i < effect.params.size(); ++i) {
    const ParamDefinition &param = effect.params[i];
    if (param.type() == PF_Param_GROUP_END || param.name().empty()) continue;
    if (endsWithPath(fullPath(param), address)) found.push_back(i);
  }
  return found;
}

} // namespace

std::string paramAddress(const InstalledEffect &effect, std::size_t index) {
  const ParamDefinition &param = effect.params.at(index);
  std::string hash = std::to_string(index);
  hash.insert(hash.begin(), '#');
  if (param.name().empty() || param.name()[0] == '#') return hash;
  std::string address = param.name();
  const auto &groups = param.groups();
  for (std::size_t g = groups.size() + 1; g-- > 0;) {
    const auto found = matches(effect, address);
    if (found.size() == 1 && found[0] == index) return address;
    if (g == 0) break;
    address = groups[g - 1] + "/" + address;
  }
  return hash;
}

std::size_t resolveAnyParam(const InstalledEffect &effect, const std::string &address) {
  if (!address.empty() && address[0] == '#') {
    std::size_t index = 0;
    const char *first = address.data() + 1, *last = address.data() + address.size();
    auto [end, ec] = std::from_chars(first, last, index);
    if (ec != std::errc() || end != last || first == last)
      throw HostError("'" + address + "' is not a parameter index");
    if (index < 1 || index >= effect.params.size())
      throw HostError("parameter index " + address + " is outside #1..#" + std::to_string(effect.params.size() - 1));
    return index;
  }
  const auto found = matches(effect, address);
  if (found.empty()) throw HostError("unknown parameter '" + address + "' of " + effect.matchName());
  if (found.size() > 1) {
    std::string candidates;
    for (std::size_t i : found) candidates += (candidates.empty() ? "" : ", ") + paramAddress(effect, i);
    throw HostError("parameter '" + address + "' is ambiguous (" + candidates + ")");
  }
  return found[0];
}

std::size_t resolveParam(const InstalledEffect &effect, const std::string &address) {
  const std::size_t index = resolveAnyParam(effect, address);
  if (!effect.params[index].hasValue()) {
    if (!address.empty() && address[0] == '#')
      throw HostError("parameter " + address + " ('" + effect.params[index].name() + "') holds no value");
    throw HostError("parameter '" + address + "' holds no value");
  }
  return index;
}

} // namespace vlam::host
