#include "host/io/ExrPlain.h"

#include "host/image/PixelAccess.h"

#include <cstdint>
#include <cstring>

namespace vlam::host {
namespace {

// EXR stores numbers least significant byte first.
template <class T> void put(std::string &out, T value) {
  static_assert(sizeof(T) <= 8);
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof value);
  for (std::size_t i = 0; i < sizeof value; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

void attribute(std::string &out, const char *name, const char *type, const std::string &value) {
  out.append(name).push_back('\0');
  out.append(type).push_back('\0');
  put<std::int32_t>(out, static_cast<std::int32_t>(value.size()));
  out += value;
}

std::string box(int width, int height) {
  std::string b;
  for (std::int32_t v : {0, 0, width - 1, height - 1}) put(b, v);
  return b;
}

} // namespace

std::string encodeExrUncompressed(const Image &image) {
  const Image widened = image.depth() == PixelDepth::Float32 ? Image() : image.convertedTo(PixelDepth::Float32);
  const Image &pixels = image.depth() == PixelDepth::Float32 ? image : widened;
  const int w = pixels.width(), h = pixels.height();
  // Channels in the file's (alphabetical) order, with each one's place in
  // the host's alpha, red, green, blue pixel.
  constexpr std::pair<char, int> kChannels[4] = {{'A', 0}, {'B', 3}, {'G', 2}, {'R', 1}};

  std::string out;
  put<std::uint32_t>(out, 20000630); // magic number
  put<std::uint32_t>(out, 2);        // version 2, single-part scan lines
  std::string channels;
  for (const auto &[name, place] : kChannels) {
    channels += name;
    channels.push_back('\0');
    put<std::int32_t>(channels, 2); // FLOAT
    put<std::uint32_t>(channels, 0); // pLinear and reserved bytes
    put<std::int32_t>(channels, 1);  // x sampling
    put<std::int32_t>(channels, 1);  // y sampling
  }
  channels.push_back('\0');
  attribute(out, "channels", "chlist", channels);
  attribute(out, "compression", "compression", std::string(1, '\0'));
  attribute(out, "dataWindow", "box2i", box(w, h));
  attribute(out, "displayWindow", "box2i", box(w, h));
  attribute(out, "lineOrder", "lineOrder", std::string(1, '\0'));
  std::string one, centre;
  put(one, 1.0f);
  put(centre, 0.0f);
  put(centre, 0.0f);
  attribute(out, "pixelAspectRatio", "float", one);
  attribute(out, "screenWindowCenter", "v2f", centre);
  attribute(out, "screenWindowWidth", "float", one);
  out.push_back('\0');

  // The offset table, then one block per scan line: y, size, each channel's row.
  const std::uint64_t blockBytes = 8 + std::uint64_t{4} * 4 * static_cast<std::uint64_t>(w);
  const std::uint64_t first = out.size() + 8 * static_cast<std::uint64_t>(h);
  for (int y = 0; y < h; ++y) put<std::uint64_t>(out, first + blockBytes * static_cast<std::uint64_t>(y));
  out.reserve(out.size() + blockBytes * static_cast<std::uint64_t>(h));
  for (int y = 0; y < h; ++y) {
    put<std::int32_t>(out, y);
    put<std::int32_t>(out, static_cast<std::int32_t>(blockBytes - 8));
    const std::byte *row = pixels.row(y);
    for (const auto &[name, place] : kChannels)
      for (int x = 0; x < w; ++x) {
        float v;
        std::memcpy(&v, row + (static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(place)) * sizeof(float), sizeof v);
        put(out, v);
      }
  }
  return out;
}

} // namespace vlam::host
