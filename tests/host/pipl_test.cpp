#include "host/HostError.h"
#include "host/module/PeResources.h"
#include "host/module/Pipl.h"
#include "host_support.h"


#include <string>
#include <vector>

using namespace vlam::host;

namespace {

// Builds property lists byte by byte, as the resource compiler lays them out.
class PiplBuilder {
public:
  PiplBuilder() { i16(1), u32(0), u32(0); }
  PiplBuilder &prop(const char (&key)[5], std::vector<std::uint8_t> data, const char (&vendor)[5] = "8BIM") {
    u32(fourCC(vendor)), u32(fourCC(key)), u32(0), u32(static_cast<std::uint32_t>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    while (bytes_.size() % 4 != 2) bytes_.push_back(0); // header is 10 bytes: pad relative to it
    ++count_;
    return *this;
  }
  static std::vector<std::uint8_t> le32(std::uint32_t v) {
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
  }
  static std::vector<std::uint8_t> pascal(const std::string &s) {
    std::vector<std::uint8_t> out(s.size() + 1);
    out[0] = std::uint8_t(s.size());
    std::copy(s.begin(), s.end(), out.begin() + 1);
    return out;
  }
  static std::vector<std::uint8_t> cstr(const std::string &s) {
    std::vector<std::uint8_t> out(s.begin(), s.end());
    out.push_back(0);
    return out;
  }
  std::vector<std::uint8_t> bytes() const {
    std::vector<std::uint8_t> out = bytes_;
    for (int i = 0; i < 4; ++i) out[6 + i] = std::uint8_t(count_ >> (8 * i));
    return out;
  }

private:
  PiplBuilder &i16(std::uint16_t v) {
    bytes_.push_back(std::uint8_t(v)), bytes_.push_back(std::uint8_t(v >> 8));
    return *this;
  }
  PiplBuilder &u32(std::uint32_t v) {
    auto b = le32(v);
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  std::vector<std::uint8_t> bytes_;
  std::uint32_t count_ = 0;
};

PiplBuilder effectList() {
  PiplBuilder b;
  b.prop("kind", PiplBuilder::le32(fourCC("eFKT")))
      .prop("name", PiplBuilder::pascal("Vlam Flash Builder"))
      .prop("catg", PiplBuilder::pascal("Orvane Pictures"))
      .prop("8664", PiplBuilder::cstr("EntryPoint_VlamFlash"))
      .prop("ePVR", {2, 0, 0, 0})
      .prop("eSVR", {13, 0, 14, 0})
      .prop("eVER", PiplBuilder::le32(0x00081E01))
      .prop("eINF", {0, 0})
      .prop("eGLO", PiplBuilder::le32(0x02208400))
      .prop("eGL2", PiplBuilder::le32(0x00001408))
      .prop("eMNA", PiplBuilder::pascal("zk_VlamFlash"))
      .prop("aeFL", PiplBuilder::le32(8));
  return b;
}

// Every property of an effect list is read; other vendors' properties and
// unknown keys are skipped.
TEST(Pipl, ReadsEveryPropertyOfAnEffectListSkipsTheRestAndRefusesDamage) {
  auto list = effectList();
  // 'ADBE' is a vendor code of the SDK's headers that no property uses: its
  // match name is some other vendor's.
  list.prop("name", PiplBuilder::pascal("Impostor"), "XXXX")
      .prop("eMNA", PiplBuilder::pascal("zk_Impostor"), "ADBE")
      .prop("zzzz", {1, 2, 3});
  auto bytes = list.bytes();
  PiplInfo info = parsePipl(bytes.data(), bytes.size(), 16003);
  EXPECT_TRUE(info.isEffect());
  EXPECT_EQ((std::vector<std::string>{info.name, info.category, info.matchName, info.entryPoint}),
            (std::vector<std::string>{"Vlam Flash Builder", "Orvane Pictures", "zk_VlamFlash",
                                      "EntryPoint_VlamFlash"}));
  vlam::test::expectValues({{"resource", info.resourceId, 16003}, {"PiPL version", info.piplVersion, 2},
                            {"API version", info.specVersion, 0x000E000D}, {"version", info.effectVersion, 0x00081E01},
                            {"info flags", info.infoFlags, 0}, {"reserved", info.reservedInfo, 8},
                            {"out flags", info.outFlags, 0x02208400}, {"out flags 2", info.outFlags2, 0x00001408}});
  EXPECT_FALSE(info.version.has_value());
  // Damaged lists are refused with their place.
  auto good = effectList().bytes();
  // Truncated anywhere inside: always an error, never a read past the end.
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(parsePipl(part.data(), part.size(), 7), HostError) << cut;
  }
  // A name longer than its property, no entry point, an entry point without its end.
  PiplBuilder longString, noEntry, unterminated;
  longString.prop("kind", PiplBuilder::le32(fourCC("eFKT"))).prop("name", {200, 'a', 'b'});
  noEntry.prop("kind", PiplBuilder::le32(fourCC("eFKT")));
  unterminated.prop("kind", PiplBuilder::le32(fourCC("AEgx"))).prop("8664", {'a', 'b', 'c', 'd'});
  for (const PiplBuilder *damaged : {&longString, &noEntry, &unterminated}) {
    const auto damagedBytes = damaged->bytes();
    EXPECT_THROW(parsePipl(damagedBytes.data(), damagedBytes.size(), 7), HostError);
  }
  const auto longBytes = longString.bytes();
  try {
    parsePipl(longBytes.data(), longBytes.size(), 7);
    ADD_FAILURE();
  } catch (const HostError &e) {
    EXPECT_NE(std::string(e.what()).find("PiPL resource 7"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("'name'"), std::string::npos) << e.what();
  }
  EXPECT_THROW(parsePipl(nullptr, 100, 7), HostError);
}

// A Windows x64 DLL image holding nothing but a resource section, laid out
// as the linker lays it out: DOS header, PE header, one section at file
// offset 0x200 and address 0x1000; in it the type, name and language
// directories, the data entries, the type names and the data.
class PeBuilder {
public:
  struct Item {
    std::uint32_t id;
    std::vector<std::uint8_t> bytes;
  };
  struct Type {
    std::string name; // empty: numbered by `id`
    std::uint32_t id;
    std::vector<Item> items;
  };
  static constexpr std::size_t kLfanew = 0x3C, kSection = 0x148, kResources = 0x200;
  static constexpr std::size_t kResourceDirectory = 0x58 + 112 + 16;

  explicit PeBuilder(std::vector<Type> types) {
    std::vector<std::uint8_t> r; // the section
    std::size_t directories = 16 + 8 * types.size(), strings = 0, entries = 0;
    for (const Type &t : types) directories += (16 + 8 * t.items.size()) + t.items.size() * (16 + 8);
    for (const Type &t : types) entries += 16 * t.items.size(), strings += t.name.empty() ? 0 : 2 + 2 * t.name.size();
    std::size_t entryAt = directories, stringAt = directories + entries, dataAt = (stringAt + strings + 3) & ~3u;
    std::size_t dirAt = 16 + 8 * types.size();
    r.resize(dataAt);
    put16(r, 14, static_cast<std::uint16_t>(types.size())); // all as "id entries": the reader counts both kinds
    for (std::size_t t = 0; t < types.size(); ++t) {
      const Type &type = types[t];
      if (type.name.empty()) {
        put32(r, 16 + 8 * t, type.id);
      } else {
        put32(r, 16 + 8 * t, 0x80000000u | static_cast<std::uint32_t>(stringAt));
        put16(r, stringAt, static_cast<std::uint16_t>(type.name.size()));
        for (std::size_t i = 0; i < type.name.size(); ++i) put16(r, stringAt + 2 + 2 * i, std::uint8_t(type.name[i]));
        stringAt += 2 + 2 * type.name.size();
      }
      put32(r, 16 + 8 * t + 4, 0x80000000u | static_cast<std::uint32_t>(dirAt));
      const std::size_t names = dirAt;
      put16(r, names + 14, static_cast<std::uint16_t>(type.items.size()));
      dirAt += 16 + 8 * type.items.size();
      for (std::size_t i = 0; i < type.items.size(); ++i) {
        put32(r, names + 16 + 8 * i, type.items[i].id);
        put32(r, names + 16 + 8 * i + 4, 0x80000000u | static_cast<std::uint32_t>(dirAt));
        put16(r, dirAt + 14, 1);
        put32(r, dirAt + 16, 0x409); // one language
        put32(r, dirAt + 20, static_cast<std::uint32_t>(entryAt));
        dirAt += 24;
        if (dataEntry == 0) dataEntry = kResources + entryAt;
        put32(r, entryAt, static_cast<std::uint32_t>(0x1000 + dataAt));
        put32(r, entryAt + 4, static_cast<std::uint32_t>(type.items[i].bytes.size()));
        entryAt += 16;
        r.resize(dataAt);
        r.insert(r.end(), type.items[i].bytes.begin(), type.items[i].bytes.end());
        dataEnd = kResources + r.size();
        dataAt = (r.size() + 3) & ~std::size_t{3};
      }
    }
    r.resize(dataAt);

    image.assign(kResources, 0);
    image[0] = 'M', image[1] = 'Z';
    put32(image, kLfanew, 0x40);
    put32(image, 0x40, 0x00004550);              // "PE\0\0"
    put16(image, 0x44, 0x8664);                  // x64
    put16(image, 0x46, 1);                       // one section
    put16(image, 0x54, 240);                     // optional header size
    put16(image, 0x58, 0x20B);                   // PE32+
    put32(image, 0x58 + 108, 16);                // data directories
    put32(image, kResourceDirectory, 0x1000);
    put32(image, kResourceDirectory + 4, static_cast<std::uint32_t>(r.size()));
    std::copy_n(".rsrc", 5, image.begin() + kSection);
    put32(image, kSection + 8, static_cast<std::uint32_t>(r.size()));
    put32(image, kSection + 12, 0x1000);
    put32(image, kSection + 16, static_cast<std::uint32_t>(r.size()));
    put32(image, kSection + 20, kResources);
    image.insert(image.end(), r.begin(), r.end());
  }

  static void put16(std::vector<std::uint8_t> &b, std::size_t at, std::uint16_t v) {
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
  }
  static void put32(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = std::uint8_t(v >> (8 * i));
  }

  std::vector<std::uint8_t> image;
  std::size_t dataEntry = 0; // file offset of the first resource's data entry
  std::size_t dataEnd = 0;   // and of the end of the last resource's data
};

std::vector<PeResource> piplsOf(const std::vector<std::uint8_t> &image) {
  return readPeResources(image.data(), image.size(), "PiPL");
}

TEST(PeResources, FindsTheListsInDirectoryOrderAndDamageIsRefused) {
  const std::vector<std::uint8_t> first = effectList().bytes(), second = {1, 2, 3};
  // Another named type, a numbered type (16: version) and the lists, whose
  // type name is compared without regard to case.
  const PeBuilder pe({{"ICON", 0, {{1, {9, 9}}}}, {"", 16, {{1, {7}}}}, {"pipl", 0, {{16000, first}, {16001, second}}}});
  const auto found = piplsOf(pe.image);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].id, 16000);
  EXPECT_EQ(found[0].bytes, first);
  EXPECT_EQ(found[1].id, 16001);
  EXPECT_EQ(found[1].bytes, second);
  EXPECT_TRUE(piplsOf(PeBuilder({{"ICON", 0, {{1, {9}}}}}).image).empty());
  // No resource directory at all: nothing, and no error. (The Windows build's
  // module, read by this host, is checked by the Windows check.)
  PeBuilder bare({{"PiPL", 0, {{1, {1}}}}});
  PeBuilder::put32(bare.image, PeBuilder::kResourceDirectory, 0);
  PeBuilder::put32(bare.image, PeBuilder::kResourceDirectory + 4, 0);
  EXPECT_TRUE(piplsOf(bare.image).empty());
  // Damaged images are refused without reading outside.
  const PeBuilder good({{"PiPL", 0, {{16000, effectList().bytes()}}}});
  const struct Damage {
    const char *what;
    std::size_t at;
    std::uint32_t value;
  } damages[] = {
      {"PE header beyond the file", PeBuilder::kLfanew, 0x7FFFFFF0},
      {"no PE signature", 0x40, 0x00004551},
      {"unknown optional header", 0x58, 0x30B},
      {"section data beyond the file", PeBuilder::kSection + 20, 0x10000},
      {"name directory outside the section", PeBuilder::kResources + 20, 0x8000FFF0},
      {"resources outside every section", PeBuilder::kResourceDirectory, 0x9000},
      {"type count beyond the section", PeBuilder::kResources + 12, 0xFFFF0000},
      {"type name outside the section", PeBuilder::kResources + 16, 0x8000FFF0},
      {"data beyond its section", good.dataEntry + 4, 0x100000},
      {"section ending inside the data", PeBuilder::kSection + 16,
       static_cast<std::uint32_t>(good.dataEnd - PeBuilder::kResources - 1)},
      {"data address outside every section", good.dataEntry, 0x20},
  };
  for (const Damage &d : damages) {
    std::vector<std::uint8_t> image = good.image;
    PeBuilder::put32(image, d.at, d.value);
    EXPECT_THROW(piplsOf(image), HostError) << d.what;
  }
  for (std::size_t cut = 0; cut < good.dataEnd; cut += 7) {
    const std::vector<std::uint8_t> part(good.image.begin(), good.image.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(piplsOf(part), HostError) << cut;
  }
  // Cut right after the data: everything read lies inside the file.
  const std::vector<std::uint8_t> exact(good.image.begin(), good.image.begin() + static_cast<std::ptrdiff_t>(good.dataEnd));
  EXPECT_EQ(piplsOf(exact).size(), 1u);
}


} // namespace
