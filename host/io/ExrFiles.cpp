#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/io/ImageFiles.h"
#include "host/image/PixelAccess.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfStdIO.h>

#include <exception>
#include <utility>
#include <vector>

namespace vlam::host {

namespace {

struct CompressionName {
  const char *name;
  ExrCompression method;
  Imf::Compression imf;
};
constexpr CompressionName kCompressions[] = {{"none", ExrCompression::None, Imf::NO_COMPRESSION},
                                             {"rle", ExrCompression::Rle, Imf::RLE_COMPRESSION},
                                             {"zips", ExrCompression::Zips, Imf::ZIPS_COMPRESSION},
                                             {"zip", ExrCompression::Zip, Imf::ZIP_COMPRESSION},
                                             {"piz", ExrCompression::Piz, Imf::PIZ_COMPRESSION}};

Imf::Compression imfCompression(ExrCompression method) {
  for (const auto &c : kCompressions)
    if (c.method == method) return c.imf;
  return Imf::ZIP_COMPRESSION;
}

} // namespace

std::optional<ExrCompression> exrCompressionNamed(std::string_view name) {
  for (const auto &c : kCompressions)
    if (name == c.name) return c.method;
  return std::nullopt;
}

const char *exrCompressionName(ExrCompression method) {
  for (const auto &c : kCompressions)
    if (c.method == method) return c.name;
  return "zip";
}

const std::vector<std::string> &exrCompressionNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const auto &c : kCompressions) all.emplace_back(c.name);
    return all;
  }();
  return names;
}

void writeExr(const std::filesystem::path &path, const Image &image, ExrCompression compression) {
  if (image.empty()) throw HostError(path.string() + ": nothing to write (empty image)");
  const int w = image.width(), h = image.height();
  // A float image is handed to the library where it lies (alpha, red, green,
  // blue per pixel); other depths are widened to float first.
  const Image widened = image.depth() == PixelDepth::Float32 ? Image() : image.convertedTo(PixelDepth::Float32);
  const Image &pixels = image.depth() == PixelDepth::Float32 ? image : widened;
  // Encoded in memory first: the encoder writes the file's line offsets from
  // its destructor, which swallows a failed write (a full disk); the file
  // itself is then written with every write checked.
  Imf::StdOSStream encoded;
  try {
    Imf::Header header(w, h);
    header.compression() = imfCompression(compression);
    // Channel offsets within a pixel in the host's order alpha, red, green, blue.
    const std::pair<const char *, std::size_t> channels[4] = {{"R", 1}, {"G", 2}, {"B", 3}, {"A", 0}};
    Imf::FrameBuffer frame;
    char *base = const_cast<char *>(reinterpret_cast<const char *>(pixels.data()));
    for (const auto &[name, offset] : channels) {
      header.channels().insert(name, Imf::Channel(Imf::FLOAT));
      frame.insert(name, Imf::Slice(Imf::FLOAT, base + offset * sizeof(float), 4 * sizeof(float), pixels.rowBytes()));
    }
    Imf::OutputFile file(encoded, header);
    file.setFrameBuffer(frame);
    file.writePixels(h);
  } catch (const std::exception &e) {
    throw HostError(path.string() + ": cannot write EXR: " + e.what());
  }
  writeFileAtomically(path, encoded.str());
}

Image readExr(const std::filesystem::path &path, PixelDepth depth) {
  if (!std::filesystem::exists(path)) throw HostError(path.string() + ": cannot open: no such file");
  try {
    Imf::InputFile file(path.c_str());
    const Imath::Box2i window = file.header().dataWindow();
    const long long w = static_cast<long long>(window.max.x) - window.min.x + 1;
    const long long h = static_cast<long long>(window.max.y) - window.min.y + 1;
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide)
      throw HostError(path.string() + ": image size " + std::to_string(w) + "x" + std::to_string(h) +
                      " is outside 1.." + std::to_string(kMaxImageSide));
    const std::size_t count = static_cast<std::size_t>(w * h);
    std::vector<float> planes[4];
    const char *names[4] = {"R", "G", "B", "A"};
    const float fills[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    Imf::FrameBuffer frame;
    for (int c = 0; c < 4; ++c) {
      planes[c].assign(count, fills[c]);
      // Slices address pixels relative to the data window's origin.
      char *base = reinterpret_cast<char *>(planes[c].data()) -
                   (static_cast<std::ptrdiff_t>(window.min.x) + static_cast<std::ptrdiff_t>(window.min.y) * w) *
                       static_cast<std::ptrdiff_t>(sizeof(float));
      frame.insert(names[c], Imf::Slice(Imf::FLOAT, base, sizeof(float), sizeof(float) * static_cast<std::size_t>(w),
                                        1, 1, fills[c]));
    }
    file.setFrameBuffer(frame);
    file.readPixels(window.min.y, window.max.y);
    Image image(static_cast<int>(w), static_cast<int>(h), depth, ImageStart::Undefined);
    withDepth(depth, [&](auto d) {
      using Out = CodecOf<decltype(d)>;
      for (int y = 0; y < h; ++y) {
        std::byte *out = image.row(y);
        for (int x = 0; x < w; ++x, out += Out::kBytes) {
          const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x);
          Out::store(out, {planes[3][i], planes[0][i], planes[1][i], planes[2][i]});
        }
      }
    });
    return image;
  } catch (const HostError &) {
    throw;
  } catch (const std::exception &e) {
    throw HostError(path.string() + ": cannot read EXR: " + e.what());
  }
}

} // namespace vlam::host
