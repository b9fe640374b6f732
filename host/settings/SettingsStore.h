#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vlam::host {

// The host's persistent settings (what the persistent data suites read and
// write): blobs, each holding sections of keys with typed values, kept in one
// JSON file. A missing or damaged file reads as empty, so callers get their
// defaults; the file is only ever replaced whole (temporary file + rename), so
// a crash while saving leaves the previous file intact.
class SettingsStore {
public:
  using Bytes = std::vector<std::uint8_t>;
  using Value = std::variant<std::string, std::int32_t, double, Bytes>;

  explicit SettingsStore(std::filesystem::path path);

  const std::filesystem::path &path() const { return path_; }
  // True when the file existed but could not be read as settings.
  bool loadedDamagedFile() const { return damaged_; }
  bool dirty() const;

  std::optional<Value> get(int blob, const std::string &section, const std::string &key) const;
  void set(int blob, const std::string &section, const std::string &key, Value value);
  bool erase(int blob, const std::string &section, const std::string &key);

  std::vector<std::string> sections(int blob) const;
  std::vector<std::string> keys(int blob, const std::string &section) const;

  // Writes the file when something changed since it was loaded or saved.
  // Throws HostError when the file cannot be written.
  void save();

  // The default location: $XDG_CONFIG_HOME/vlam/settings.json, else
  // ~/.config/vlam/settings.json, else ./vlam-settings.json; on Windows
  // %APPDATA%\vlam\settings.json, else .\vlam-settings.json.
  static std::filesystem::path defaultPath();

private:
  using Section = std::map<std::string, Value>;
  using Blob = std::map<std::string, Section>;

  void load();

  std::filesystem::path path_;
  mutable std::mutex mutex_;
  std::map<int, Blob> blobs_;
  bool damaged_ = false;
  bool dirty_ = false;
};

} // namespace vlam::host
