// OpenEXR files in the Windows build, which has no OpenEXR library: written
// uncompressed by the host's own writer; reading them is left out.
#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/io/ExrPlain.h"
#include "host/io/ImageFiles.h"

namespace vlam::host {

std::optional<ExrCompression> exrCompressionNamed(std::string_view name) {
  if (name == "none") return ExrCompression::None;
  return std::nullopt;
}

const char *exrCompressionName(ExrCompression) { return "none"; }

const std::vector<std::string> &exrCompressionNames() {
  static const std::vector<std::string> names{"none"};
  return names;
}

void writeExr(const std::filesystem::path &path, const Image &image, ExrCompression compression) {
  if (image.empty()) throw HostError(path.string() + ": nothing to write (empty image)");
  if (compression != ExrCompression::None)
    throw HostError(path.string() + ": the Windows build writes OpenEXR files uncompressed only");
  writeFileAtomically(path, encodeExrUncompressed(image));
}

Image readExr(const std::filesystem::path &path, PixelDepth) {
  throw HostError(path.string() + ": the Windows build does not read OpenEXR files (use PNG footage)");
}

} // namespace vlam::host
