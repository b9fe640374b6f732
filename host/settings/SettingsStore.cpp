#include "host/settings/SettingsStore.h"

#include "host/io/AtomicFile.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <system_error>

namespace vlam::host {
namespace {

using nlohmann::json;

constexpr const char *kFormatTag = "vlam-settings";

json valueToJson(const SettingsStore::Value &value) {
  if (auto s = std::get_if<std::string>(&value)) return {{"string", *s}};
  if (auto l = std::get_if<std::int32_t>(&value)) return {{"long", *l}};
  if (auto d = std::get_if<double>(&value)) return {{"double", *d}};
  return {{"data", std::get<SettingsStore::Bytes>(value)}};
}

SettingsStore::Value valueFromJson(const json &j) {
  if (!j.is_object() || j.size() != 1) throw std::runtime_error("bad value");
  // Keep the iterator alive while its key and value are read.
  const auto entry = j.begin();
  const std::string tag = entry.key();
  const json &v = entry.value();
  if (tag == "string") return v.get<std::string>();
  if (tag == "long") return v.get<std::int32_t>();
  if (tag == "double") return v.get<double>();
  if (tag == "data") return v.get<SettingsStore::Bytes>();
  throw std::runtime_error("bad value type");
}

} // namespace

SettingsStore::SettingsStore(std::filesystem::path path) : path_(std::move(path)) { load(); }

std::filesystem::path SettingsStore::defaultPath() {
#ifdef _WIN32
  // Where Windows programs keep their users' settings.
  if (const wchar_t *appData = ::_wgetenv(L"APPDATA"); appData && *appData)
    return std::filesystem::path(appData) / "vlam" / "settings.json";
  return "vlam-settings.json";
#else
  if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    return std::filesystem::path(xdg) / "vlam" / "settings.json";
  if (const char *home = std::getenv("HOME"); home && *home)
    return std::filesystem::path(home) / ".config" / "vlam" / "settings.json";
  return "vlam-settings.json";
#endif
}

void SettingsStore::load() {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return;
  std::map<int, Blob> loaded;
  try {
    json root = json::parse(readWholeFile(path_));
    if (root.value("format", "") != kFormatTag) throw std::runtime_error("not a settings file");
    for (const auto &[blobName, sections] : root.at("blobs").items()) {
      Blob &blob = loaded[std::stoi(blobName)];
      for (const auto &[sectionName, keys] : sections.items())
        for (const auto &[key, value] : keys.items()) blob[sectionName][key] = valueFromJson(value);
    }
  } catch (const std::exception &) {
    damaged_ = true;
    return;
  }
  blobs_ = std::move(loaded);
}

bool SettingsStore::dirty() const {
  std::lock_guard lock(mutex_);
  return dirty_;
}

std::optional<SettingsStore::Value> SettingsStore::get(int blob, const std::string &section,
                                                       const std::string &key) const {
  std::lock_guard lock(mutex_);
  auto b = blobs_.find(blob);
  if (b == blobs_.end()) return std::nullopt;
  auto s = b->second.find(section);
  if (s == b->second.end()) return std::nullopt;
  auto k = s->second.find(key);
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

void SettingsStore::set(int blob, const std::string &section, const std::string &key, Value value) {
  std::lock_guard lock(mutex_);
  Section &keys = blobs_[blob][section];
  auto found = keys.find(key);
  if (found != keys.end() && found->second == value) return;
  keys[key] = std::move(value);
  dirty_ = true;
}

bool SettingsStore::erase(int blob, const std::string &section, const std::string &key) {
  std::lock_guard lock(mutex_);
  auto b = blobs_.find(blob);
  if (b == blobs_.end()) return false;
  auto s = b->second.find(section);
  if (s == b->second.end() || s->second.erase(key) == 0) return false;
  if (s->second.empty()) b->second.erase(s);
  dirty_ = true;
  return true;
}

std::vector<std::string> SettingsStore::sections(int blob) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  if (auto b = blobs_.find(blob); b != blobs_.end())
    for (const auto &entry : b->second) out.push_back(entry.first);
  return out;
}

std::vector<std::string> SettingsStore::keys(int blob, const std::string &section) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  if (auto b = blobs_.find(blob); b != blobs_.end())
    if (auto s = b->second.find(section); s != b->second.end())
      for (const auto &entry : s->second) out.push_back(entry.first);
  return out;
}

void SettingsStore::save() {
  std::string text;
  {
    std::lock_guard lock(mutex_);
    if (!dirty_) return;
    json blobs = json::object();
    for (const auto &[blobIndex, blob] : blobs_) {
      json sections = json::object();
      for (const auto &[sectionName, keys] : blob) {
        json values = json::object();
        for (const auto &[key, value] : keys) values[key] = valueToJson(value);
        sections[sectionName] = std::move(values);
      }
      blobs[std::to_string(blobIndex)] = std::move(sections);
    }
    json root = {{"format", kFormatTag}, {"version", 1}, {"blobs", std::move(blobs)}};
    text = root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
  }
  std::error_code ec;
  if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ec);
  writeFileAtomically(path_, text);
  std::lock_guard lock(mutex_);
  dirty_ = false;
  damaged_ = false;
}

} // namespace vlam::host
