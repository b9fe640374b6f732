#include "host/module/PeResources.h"

#include "host/HostError.h"

#include <cctype>
#include <string>

namespace vlam::host {
namespace {

constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;
// A resource directory has three levels: type, name, language.
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;

struct Section {
  std::uint32_t virtualAddress;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
};

class PeImage {
public:
  PeImage(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

  [[noreturn]] static void fail(const std::string &what) { throw HostError("damaged Windows module: " + what); }

  // `count` bytes at file offset `offset`, or a failure naming `what`.
  const std::uint8_t *file(std::uint64_t offset, std::uint64_t count, const char *what) const {
    if (offset > size_ || count > size_ - offset)
      fail(std::string(what) + " lies outside the file (offset " + std::to_string(offset) + ", " +
           std::to_string(count) + " bytes)");
    return data_ + offset;
  }
  std::uint16_t u16(std::uint64_t offset, const char *what) const {
    const std::uint8_t *p = file(offset, 2, what);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  }
  std::uint32_t u32(std::uint64_t offset, const char *what) const { return le32(file(offset, 4, what)); }
  static std::uint32_t le32(const std::uint8_t *p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }

  // `count` bytes at relative virtual address `rva`: they must lie inside one
  // section's data as stored in the file.
  const std::uint8_t *mapped(std::uint64_t rva, std::uint64_t count, const char *what) const {
    for (const Section &s : sections_) {
      if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
      const std::uint64_t inside = rva - s.virtualAddress;
      if (count > s.rawSize - inside)
        fail(std::string(what) + " runs past the end of its section (address " + std::to_string(rva) + ", " +
             std::to_string(count) + " bytes)");
      return file(std::uint64_t{s.rawOffset} + inside, count, what);
    }
    fail(std::string(what) + " is at address " + std::to_string(rva) + ", outside every section");
  }

  // Finds the resource directory; false when the module has none.
  bool locateResources() {
    if (!looksLikePeFile(data_, size_)) fail("no MZ header");
    const std::uint64_t pe = u32(0x3C, "the PE header offset");
    if (u32(pe, "the PE signature") != kPeSignature) fail("no PE signature");
    const std::uint64_t coff = pe + 4;
    const std::uint16_t sectionCount = u16(coff + 2, "the COFF header");
    const std::uint16_t optionalSize = u16(coff + 16, "the COFF header");
    const std::uint64_t optional = coff + kCoffHeaderSize;
    file(optional, optionalSize, "the optional header");
    if (optionalSize < 2) fail("no optional header");
    const std::uint16_t magic = u16(optional, "the optional header");
    std::uint64_t countAt = 0;
    if (magic == kPe32Magic) {
      countAt = 92;
    } else if (magic == kPe32PlusMagic) {
      countAt = 108;
    } else {
      fail("unknown optional header kind " + std::to_string(magic));
    }
    if (optionalSize < countAt + 4) fail("optional header too short for its data directories");
    const std::uint64_t directoryCount = u32(optional + countAt, "the optional header");
    if (directoryCount > (optionalSize - countAt - 4) / 8) fail("more data directories than the optional header holds");

    const std::uint64_t sectionTable = optional + optionalSize;
    const std::uint8_t *table = file(sectionTable, std::uint64_t{sectionCount} * kSectionHeaderSize, "the section table");
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
      const std::uint8_t *h = table + std::size_t{i} * kSectionHeaderSize;
      sections_.push_back({le32(h + 12), le32(h + 16), le32(h + 20)});
    }

    if (directoryCount <= kResourceDirectoryIndex) return false;
    const std::uint64_t entry = optional + countAt + 4 + 8 * kResourceDirectoryIndex;
    root_ = u32(entry, "the resource directory entry");
    const std::uint32_t rootSize = u32(entry + 4, "the resource directory entry");
    if (root_ == 0 && rootSize == 0) return false;
    mapped(root_, kDirectoryHeaderSize, "the resource directory");
    return true;
  }

  struct DirectoryEntry {
    std::uint32_t name;   // id, or with the high bit the offset of a name
    std::uint32_t target; // with the high bit a subdirectory, else a data entry
  };

  // The entries of the directory at `offset` from the resource root.
  std::vector<DirectoryEntry> directory(std::uint32_t offset, const char *what) const {
    const std::uint8_t *header = mapped(std::uint64_t{root_} + offset, kDirectoryHeaderSize, what);
    const std::uint64_t count = std::uint64_t{static_cast<std::uint16_t>(header[12] | (header[13] << 8))} +
                                static_cast<std::uint16_t>(header[14] | (header[15] << 8));
    const std::uint8_t *p =
        mapped(std::uint64_t{root_} + offset + kDirectoryHeaderSize, count * kDirectoryEntrySize, what);
    std::vector<DirectoryEntry> entries;
    entries.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i, p += kDirectoryEntrySize) entries.push_back({le32(p), le32(p + 4)});
    return entries;
  }

  // The name of a named entry, compared with `want` without regard to the
  // case of ASCII letters.
  bool nameIs(std::uint32_t name, std::string_view want) const {
    const std::uint64_t at = std::uint64_t{root_} + (name & ~kHighBit);
    const std::uint8_t *p = mapped(at, 2, "a resource name");
    const std::size_t length = static_cast<std::size_t>(p[0] | (p[1] << 8));
    if (length != want.size()) return false;
    const std::uint8_t *text = mapped(at + 2, std::uint64_t{length} * 2, "a resource name");
    for (std::size_t i = 0; i < length; ++i) {
      const unsigned unit = static_cast<unsigned>(text[2 * i] | (text[2 * i + 1] << 8));
      const auto c = static_cast<unsigned char>(want[i]);
      if (unit > 0x7F || std::toupper(static_cast<int>(unit)) != std::toupper(c)) return false;
    }
    return true;
  }

  std::vector<std::uint8_t> data(std::uint32_t entryOffset) const {
    const std::uint8_t *entry = mapped(std::uint64_t{root_} + entryOffset, kDataEntrySize, "a resource data entry");
    const std::uint32_t rva = le32(entry);
    const std::uint32_t size = le32(entry + 4);
    const std::uint8_t *bytes = size == 0 ? nullptr : mapped(rva, size, "a resource's data");
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>{};
  }

private:
  const std::uint8_t *data_;
  std::size_t size_;
  std::vector<Section> sections_;
  std::uint32_t root_ = 0;
};

} // namespace

bool looksLikePeFile(const std::uint8_t *data, std::size_t size) {
  return data && size >= 2 && data[0] == 'M' && data[1] == 'Z';
}

std::vector<PeResource> readPeResources(const std::uint8_t *data, std::size_t size, std::string_view typeName) {
  PeImage image(data, size);
  std::vector<PeResource> found;
  if (!image.locateResources()) return found;
  for (const auto &type : image.directory(0, "the resource type directory")) {
    if (!(type.name & kHighBit) || !image.nameIs(type.name, typeName)) continue;
    if (!(type.target & kHighBit)) PeImage::fail("resource type " + std::string(typeName) + " is not a directory");
    for (const auto &name : image.directory(type.target & ~kHighBit, "a resource name directory")) {
      // Resources named by a string are not looked up by id: skipped, as the
      // Windows loader's callers that ask by number never see them.
      if (name.name & kHighBit) continue;
      if (!(name.target & kHighBit))
        PeImage::fail("resource " + std::to_string(name.name) + " has no language directory");
      const auto languages = image.directory(name.target & ~kHighBit, "a resource language directory");
      if (languages.empty()) PeImage::fail("resource " + std::to_string(name.name) + " has no language");
      if (languages.front().target & kHighBit)
        PeImage::fail("resource " + std::to_string(name.name) + " nests deeper than a language");
      if (name.name > 0xFFFF) PeImage::fail("resource id " + std::to_string(name.name) + " is above 65535");
      found.push_back({static_cast<std::int32_t>(name.name), image.data(languages.front().target)});
    }
  }
  return found;
}

} // namespace vlam::host
