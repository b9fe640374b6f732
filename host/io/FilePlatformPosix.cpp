#include "host/io/FilePlatform.h"

#include "host/HostError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vlam::host {

std::string processTag() { return std::to_string(::getpid()); }

void syncFile(const std::filesystem::path &path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0)
    throw HostError(path.string() + ": cannot reopen for sync: " + std::strerror(errno));
  int rc = ::fsync(fd);
  ::close(fd);
  if (rc != 0)
    throw HostError(path.string() + ": cannot sync: " + std::strerror(errno));
}

void replaceFile(const std::filesystem::path &replacement, const std::filesystem::path &target) {
  std::error_code ec;
  std::filesystem::rename(replacement, target, ec);
  if (ec)
    throw HostError(target.string() + ": cannot replace: " + ec.message());
}

void writeProbeFile(const std::filesystem::path &path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) throw HostError(std::strerror(errno));
  const bool written = ::write(fd, "", 1) == 1;
  const int error = errno;
  ::close(fd);
  if (!written) throw HostError(std::strerror(error));
}

} // namespace vlam::host
