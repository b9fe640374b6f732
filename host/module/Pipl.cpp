#include "host/module/Pipl.h"

#include "host/HostError.h"

#include <cstring>

namespace vlam::host {

std::string fourCCText(std::uint32_t code) {
  std::string s(4, ' ');
  for (int i = 0; i < 4; ++i) {
    char c = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
    s[static_cast<std::size_t>(i)] = (c >= 32 && c < 127) ? c : '?';
  }
  return s;
}

namespace {

class PiplReader {
public:
  PiplReader(const std::uint8_t *data, std::size_t size, std::int32_t id) : data_(data), size_(size), id_(id) {}

  [[noreturn]] void fail(const std::string &what, std::size_t at) const {
    throw HostError("PiPL resource " + std::to_string(id_) + ": " + what + " at byte " + std::to_string(at));
  }
  void need(std::size_t bytes) const {
    if (bytes > size_ - offset_) fail("truncated data (need " + std::to_string(bytes) + " bytes)", offset_);
  }
  std::uint32_t u32() {
    need(4);
    std::uint32_t v = static_cast<std::uint32_t>(data_[offset_]) | (static_cast<std::uint32_t>(data_[offset_ + 1]) << 8) |
                      (static_cast<std::uint32_t>(data_[offset_ + 2]) << 16) |
                      (static_cast<std::uint32_t>(data_[offset_ + 3]) << 24);
    offset_ += 4;
    return v;
  }
  std::int16_t i16() {
    need(2);
    auto v = static_cast<std::int16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
    offset_ += 2;
    return v;
  }
  std::size_t offset() const { return offset_; }
  const std::uint8_t *at(std::size_t o) const { return data_ + o; }
  void skip(std::size_t n) {
    need(n);
    offset_ += n;
  }

private:
  const std::uint8_t *data_;
  std::size_t size_;
  std::int32_t id_;
  std::size_t offset_ = 0;
};

std::uint32_t readLE32(const std::uint8_t *p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

PiplInfo parsePipl(const std::uint8_t *data, std::size_t size, std::int32_t resourceId) {
  PiplReader in(data, data ? size : 0, resourceId);
  PiplInfo info;
  info.resourceId = resourceId;
  if (in.i16() != 1) in.fail("reserved word is not 1", 0);
  std::uint32_t listVersion = in.u32();
  if (listVersion != 0) in.fail("unknown list version " + std::to_string(listVersion), 2);
  std::uint32_t count = in.u32();
  if (count > 1000) in.fail("implausible property count " + std::to_string(count), 6);

  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t start = in.offset();
    std::uint32_t vendor = in.u32();
    std::uint32_t key = in.u32();
    in.u32(); // property id, always 0
    std::uint32_t length = in.u32();
    const std::size_t body = in.offset();
    const std::size_t padded = (static_cast<std::size_t>(length) + 3u) & ~std::size_t{3};
    if (length > size) in.fail("property '" + fourCCText(key) + "' longer than the list", start);
    in.skip(padded);
    const std::uint8_t *p = in.at(body);

    auto wantLength = [&](std::uint32_t n) {
      if (length < n) in.fail("property '" + fourCCText(key) + "' too short", start);
    };
    auto pascal = [&]() {
      wantLength(1);
      if (p[0] + 1u > length) in.fail("property '" + fourCCText(key) + "' string runs past its end", start);
      return std::string(reinterpret_cast<const char *>(p + 1), p[0]);
    };
    auto cString = [&]() {
      const void *end = std::memchr(p, 0, length);
      if (!end) in.fail("property '" + fourCCText(key) + "' is not zero-terminated", start);
      return std::string(reinterpret_cast<const char *>(p));
    };

    // Every property the host reads, the effect API's own included, carries
    // the vendor '8BIM'; anything else is another vendor's data.
    if (vendor != fourCC("8BIM")) continue;
    if (key == fourCC("kind")) {
      wantLength(4);
      info.kind = readLE32(p);
    } else if (key == fourCC("name")) {
      info.name = pascal();
    } else if (key == fourCC("catg")) {
      info.category = pascal();
    } else if (key == fourCC("eMNA")) {
      info.matchName = pascal();
    } else if (key == fourCC("8664")) {
      info.entryPoint = cString();
    } else if (key == fourCC("ePVR")) {
      wantLength(4);
      info.piplVersion = readLE32(p);
    } else if (key == fourCC("eSVR")) {
      wantLength(4);
      info.specVersion = readLE32(p);
    } else if (key == fourCC("eVER")) {
      wantLength(4);
      info.effectVersion = readLE32(p);
    } else if (key == fourCC("eINF")) {
      wantLength(2);
      info.infoFlags = static_cast<std::int16_t>(p[0] | (p[1] << 8));
    } else if (key == fourCC("aeFL")) {
      wantLength(4);
      info.reservedInfo = static_cast<std::int32_t>(readLE32(p));
    } else if (key == fourCC("eGLO")) {
      wantLength(4);
      info.outFlags = readLE32(p);
    } else if (key == fourCC("eGL2")) {
      wantLength(4);
      info.outFlags2 = readLE32(p);
    } else if (key == fourCC("vers")) {
      wantLength(4);
      info.version = readLE32(p);
    }
  }
  if (info.kind == 0) in.fail("no 'kind' property", in.offset());
  if (info.entryPoint.empty()) in.fail("no x64 entry point property", in.offset());
  return info;
}

} // namespace vlam::host
