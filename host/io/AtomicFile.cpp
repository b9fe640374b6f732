#include "host/io/AtomicFile.h"

#include "host/HostError.h"
#include "host/io/FilePlatform.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vlam::host {
namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path &target) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path tmp = target;
  tmp += ".tmp" + processTag() + "_" + std::to_string(counter++);
  return tmp;
}

// Removes the temporary file unless the rename consumed it.
class TemporaryFile {
public:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!released_) {
      std::error_code ec;
      std::filesystem::remove(path_, ec);
    }
  }
  TemporaryFile(const TemporaryFile &) = delete;
  TemporaryFile &operator=(const TemporaryFile &) = delete;
  const std::filesystem::path &path() const { return path_; }
  void release() { released_ = true; }

private:
  std::filesystem::path path_;
  bool released_ = false;
};

} // namespace

void writeFileAtomically(const std::filesystem::path &target,
                         const std::function<void(const std::filesystem::path &tmp)> &produce) {
  TemporaryFile tmp(temporaryBeside(target));
  produce(tmp.path());
  syncFile(tmp.path());
  replaceFile(tmp.path(), target);
  tmp.release();
}

void writeFileAtomically(const std::filesystem::path &target, std::string_view bytes) {
  writeFileAtomically(target, [&](const std::filesystem::path &tmp) {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out)
      throw HostError(target.string() + ": cannot write: " + std::strerror(errno));
    errno = 0;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
      throw HostError(target.string() + ": write failed" + (errno ? std::string(": ") + std::strerror(errno) : ""));
  });
}

void checkFolderWritable(const std::filesystem::path &folder) {
  const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
  TemporaryFile probe(temporaryBeside(where / ".vlam-write-check"));
  try {
    writeProbeFile(probe.path());
  } catch (const HostError &e) {
    throw HostError(where.string() + ": cannot write files there: " + e.what());
  }
}

std::string readWholeFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HostError(path.string() + ": cannot open: " + std::strerror(errno));
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad())
    throw HostError(path.string() + ": read failed");
  return buffer.str();
}

} // namespace vlam::host
