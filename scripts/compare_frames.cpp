// Compares the pixels of the rendered frames in two directories: every PNG
// and OpenEXR file of the first directory against the file of the same name
// in the second. PNG samples are compared as decoded (after inflating and
// unfiltering, before any conversion), EXR channels as the floats they hold,
// so files written with other compression settings compare equal when their
// pixels are. Reads the files with libpng and OpenEXR directly, not through
// the host that wrote them. Exit status 0 when every frame matches.
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a file decodes to: a description of its layout and its samples.
struct Decoded {
  std::string layout;
  std::vector<std::vector<double>> channels; // one list of samples per channel
};

Decoded readPng(const fs::path &path) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (!file) throw std::runtime_error("cannot open");
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    throw std::runtime_error("damaged PNG");
  }
  png_init_io(png, file);
  png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  const int bits = png_get_bit_depth(png, info), channels = png_get_channels(png, info);
  Decoded d;
  d.layout = std::to_string(width) + "x" + std::to_string(height) + ", " + std::to_string(channels) + " channels of " +
             std::to_string(bits) + " bits (colour type " + std::to_string(png_get_color_type(png, info)) + ")";
  d.channels.assign(static_cast<std::size_t>(channels), {});
  png_bytepp rows = png_get_rows(png, info);
  for (png_uint_32 y = 0; y < height; ++y)
    for (png_uint_32 x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c) {
        const png_bytep p = rows[y] + (static_cast<std::size_t>(x) * channels + c) * (bits / 8);
        d.channels[static_cast<std::size_t>(c)].push_back(bits == 16 ? (p[0] << 8 | p[1]) : p[0]);
      }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return d;
}

Decoded readExr(const fs::path &path) {
  Imf::InputFile file(path.c_str());
  const Imath::Box2i window = file.header().dataWindow();
  const long w = window.max.x - window.min.x + 1, h = window.max.y - window.min.y + 1;
  Decoded d;
  d.layout = std::to_string(w) + "x" + std::to_string(h) + " at (" + std::to_string(window.min.x) + ", " +
             std::to_string(window.min.y) + "), channels";
  std::vector<std::vector<float>> planes;
  Imf::FrameBuffer frame;
  for (auto it = file.header().channels().begin(); it != file.header().channels().end(); ++it) {
    d.layout += std::string(" ") + it.name() + ":" + std::to_string(it.channel().type);
    planes.emplace_back(static_cast<std::size_t>(w * h));
    char *base = reinterpret_cast<char *>(planes.back().data()) -
                 (static_cast<std::ptrdiff_t>(window.min.x) + static_cast<std::ptrdiff_t>(window.min.y) * w) *
                     static_cast<std::ptrdiff_t>(sizeof(float));
    frame.insert(it.name(), Imf::Slice(Imf::FLOAT, base, sizeof(float), sizeof(float) * static_cast<std::size_t>(w)));
  }
  file.setFrameBuffer(frame);
  file.readPixels(window.min.y, window.max.y);
  for (const auto &plane : planes) d.channels.emplace_back(plane.begin(), plane.end());
  return d;
}

Decoded read(const fs::path &path) {
  return path.extension() == ".exr" ? readExr(path) : readPng(path);
}

// Samples are equal when their bits are (a float NaN equals the same NaN).
bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: compare_frames EXPECTED_DIR ACTUAL_DIR\n";
    return 2;
  }
  const fs::path expected = argv[1], actual = argv[2];
  std::map<std::string, fs::path> files;
  for (const auto &entry : fs::directory_iterator(expected)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".png" || ext == ".exr") files[entry.path().filename().string()] = entry.path();
  }
  int identical = 0, different = 0;
  for (const auto &[name, path] : files) {
    try {
      if (!fs::exists(actual / name)) throw std::runtime_error("missing in " + actual.string());
      const Decoded a = read(path), b = read(actual / name);
      if (a.layout != b.layout) throw std::runtime_error("layout " + a.layout + " against " + b.layout);
      std::size_t differing = 0;
      double largest = 0;
      for (std::size_t c = 0; c < a.channels.size(); ++c)
        for (std::size_t i = 0; i < a.channels[c].size(); ++i)
          if (!same(a.channels[c][i], b.channels[c][i])) {
            ++differing;
            largest = std::max(largest, std::fabs(a.channels[c][i] - b.channels[c][i]));
          }
      if (differing > 0)
        throw std::runtime_error(std::to_string(differing) + " samples differ, by up to " + std::to_string(largest));
      ++identical;
    } catch (const std::exception &e) {
      ++different;
      std::cout << name << ": " << e.what() << "\n";
    }
  }
  std::cout << expected.string() << " against " << actual.string() << ": " << files.size() << " frames, " << identical
            << " with identical pixels, " << different << " different\n";
  return different == 0 && !files.empty() ? 0 : 1;
}
