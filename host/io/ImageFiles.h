#pragma once
#include "host/image/Image.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlam::host {

// How OpenEXR files are compressed: the lossless methods of the format.
enum class ExrCompression { None, Rle, Zips, Zip, Piz };

// Compression of written files. The defaults favour speed: level 1 for PNG
// (0 stores, 1 is Huffman coding only, 2-9 are zlib's levels, 9 smallest);
// run lengths for OpenEXR, which cost little more than storing, where zlib
// and wavelets take longer than rendering a float frame.
struct FileCompression {
  int pngLevel = 1;
  ExrCompression exr = ExrCompression::Rle;
};

// The method's name as a user gives it (none, rle, zips, zip, piz); nullopt
// for any other name.
std::optional<ExrCompression> exrCompressionNamed(std::string_view name);
const std::vector<std::string> &exrCompressionNames();

// PNG: 8 or 16 bits per channel, RGBA with straight alpha (the image is
// un-premultiplied on the way out), compression level 0-9 as above. Written
// atomically.
void writePng(const std::filesystem::path &path, const Image &image, int bitsPerChannel,
              int level = FileCompression{}.pngLevel);

// OpenEXR: 32-bit float R, G, B, A, premultiplied as EXR expects. Written atomically.
void writeExr(const std::filesystem::path &path, const Image &image,
              ExrCompression compression = FileCompression{}.exr);

// Reads any PNG (grey, palette, RGB, with or without alpha, 8 or 16 bits)
// into a premultiplied image at the requested depth. Throws HostError naming
// the file when it is missing, damaged or larger than the host accepts.
Image readPng(const std::filesystem::path &path, PixelDepth depth);

// Reads an OpenEXR file's R, G, B, A channels (missing ones read as 0, A as
// 1) into a premultiplied image at the requested depth.
Image readExr(const std::filesystem::path &path, PixelDepth depth);

// Reads a PNG or EXR file chosen by extension.
Image readImageFile(const std::filesystem::path &path, PixelDepth depth);

// Chooses the writer from the extension: ".png" (8 or 16 bits from `bits`,
// float images become 16-bit) or ".exr". Throws HostError for anything else.
void writeImageFile(const std::filesystem::path &path, const Image &image, const FileCompression &compression = {});

} // namespace vlam::host
