#include "host/HostError.h"
#include "host/io/AtomicFile.h"
#include "host/io/ImageFiles.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfStdIO.h>

#include <exception>
#include <vector>

namespace vlam::host {

void writeExr(const std::filesystem::path &path, const Image &image) {
  if (image.empty()) throw HostError(path.string() + ": nothing to write (empty image)");
  const int w = image.width(), h = image.height();
  // Planar float copies: the image may be 8 or 16 bits and EXR wants R, G, B, A.
  std::vector<float> planes[4];
  for (auto &plane : planes) plane.resize(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      PixelF p = image.pixel(x, y);
      std::size_t i = static_cast<std::size_t>(y) * w + x;
      planes[0][i] = p.red;
      planes[1][i] = p.green;
      planes[2][i] = p.blue;
      planes[3][i] = p.alpha;
    }
  // Encoded in memory first: the encoder writes the file's line offsets from
  // its destructor, which swallows a failed write (a full disk); the file
  // itself is then written with every write checked.
  Imf::StdOSStream encoded;
  try {
    Imf::Header header(w, h);
    const char *names[4] = {"R", "G", "B", "A"};
    Imf::FrameBuffer frame;
    for (int c = 0; c < 4; ++c) {
      header.channels().insert(names[c], Imf::Channel(Imf::FLOAT));
      frame.insert(names[c], Imf::Slice(Imf::FLOAT, reinterpret_cast<char *>(planes[c].data()), sizeof(float),
                                        sizeof(float) * static_cast<std::size_t>(w)));
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
    Image image(static_cast<int>(w), static_cast<int>(h), depth);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x);
        image.setPixel(x, y, {planes[3][i], planes[0][i], planes[1][i], planes[2][i]});
      }
    return image;
  } catch (const HostError &) {
    throw;
  } catch (const std::exception &e) {
    throw HostError(path.string() + ": cannot read EXR: " + e.what());
  }
}

} // namespace vlam::host
