#include "host/HostError.h"
#include "host/module/Pipl.h"

#include <gtest/gtest.h>

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

TEST(Pipl, ReadsEveryPropertyOfAnEffectList) {
  auto bytes = effectList().bytes();
  PiplInfo info = parsePipl(bytes.data(), bytes.size(), 16003);
  EXPECT_TRUE(info.isEffect());
  EXPECT_EQ(info.resourceId, 16003);
  EXPECT_EQ(info.name, "Vlam Flash Builder");
  EXPECT_EQ(info.category, "Orvane Pictures");
  EXPECT_EQ(info.matchName, "zk_VlamFlash");
  EXPECT_EQ(info.entryPoint, "EntryPoint_VlamFlash");
  EXPECT_EQ(info.piplVersion, 2u);
  EXPECT_EQ(info.specVersion, 0x000E000Du);
  EXPECT_EQ(info.effectVersion, 0x00081E01u);
  EXPECT_EQ(info.infoFlags, 0);
  EXPECT_EQ(info.reservedInfo, 8);
  EXPECT_EQ(info.outFlags, 0x02208400u);
  EXPECT_EQ(info.outFlags2, 0x00001408u);
  EXPECT_FALSE(info.version.has_value());
}

TEST(Pipl, SkipsOtherVendorsAndUnknownKeys) {
  auto b = effectList();
  // 'ADBE' is a vendor code of the SDK's headers that no property uses: its
  // match name is some other vendor's.
  b.prop("name", PiplBuilder::pascal("Impostor"), "XXXX")
      .prop("eMNA", PiplBuilder::pascal("zk_Impostor"), "ADBE")
      .prop("zzzz", {1, 2, 3});
  auto bytes = b.bytes();
  const PiplInfo info = parsePipl(bytes.data(), bytes.size(), 1);
  EXPECT_EQ(info.name, "Vlam Flash Builder");
  EXPECT_EQ(info.matchName, "zk_VlamFlash");
}

TEST(Pipl, DamagedListsAreRefusedWithTheirPlace) {
  auto good = effectList().bytes();
  // Truncated anywhere inside: always an error, never a read past the end.
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(parsePipl(part.data(), part.size(), 7), HostError) << cut;
  }
  PiplBuilder longString;
  longString.prop("kind", PiplBuilder::le32(fourCC("eFKT"))).prop("name", {200, 'a', 'b'});
  auto bytes = longString.bytes();
  try {
    parsePipl(bytes.data(), bytes.size(), 7);
    ADD_FAILURE();
  } catch (const HostError &e) {
    EXPECT_NE(std::string(e.what()).find("PiPL resource 7"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("'name'"), std::string::npos) << e.what();
  }
  PiplBuilder noEntry;
  noEntry.prop("kind", PiplBuilder::le32(fourCC("eFKT")));
  bytes = noEntry.bytes();
  EXPECT_THROW(parsePipl(bytes.data(), bytes.size(), 7), HostError);
  PiplBuilder unterminated;
  unterminated.prop("kind", PiplBuilder::le32(fourCC("AEgx"))).prop("8664", {'a', 'b', 'c', 'd'});
  bytes = unterminated.bytes();
  EXPECT_THROW(parsePipl(bytes.data(), bytes.size(), 7), HostError);
  EXPECT_THROW(parsePipl(nullptr, 100, 7), HostError);
}

} // namespace
