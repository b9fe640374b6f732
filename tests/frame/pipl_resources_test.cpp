// The property lists as the host reads them: parsed here from the bytes the
// module exports, by an independent reader of the documented layout.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "PF_ModuleResources.h"

namespace vlam_test {
namespace {

constexpr A_u_long Code(const char (&c)[5]) {
  return (A_u_long(A_u_char(c[0])) << 24) | (A_u_long(A_u_char(c[1])) << 16) |
         (A_u_long(A_u_char(c[2])) << 8) | A_u_long(A_u_char(c[3]));
}

struct Property {
  A_u_long vendor;
  std::vector<A_u_char> data;
};

class PiplReader {
 public:
  PiplReader(const A_u_char *bytes, A_u_long size) : bytes_(bytes), size_(size) {
    EXPECT_EQ(Next(2), 1u);  // reserved
    EXPECT_EQ(U32(), 0u);  // version
    const A_u_long count = U32();
    for (A_u_long i = 0; i < count; ++i) {
      const A_u_long vendor = U32();
      const A_u_long key = U32();
      EXPECT_EQ(U32(), 0u);  // id
      const A_u_long length = U32();
      Property property{vendor, {}};
      for (A_u_long b = 0; b < length; ++b) property.data.push_back(bytes_[pos_ + b]);
      const A_u_long padded = (length + 3) / 4 * 4;
      for (A_u_long b = length; b < padded; ++b) EXPECT_EQ(bytes_[pos_ + b], 0);
      pos_ += padded;
      EXPECT_EQ(properties.count(key), 0u) << "duplicate key";
      properties[key] = property;
    }
    EXPECT_EQ(pos_, size_);
  }

  std::map<A_u_long, Property> properties;

  static A_u_long U32Of(const std::vector<A_u_char> &d, std::size_t at = 0) {
    return A_u_long(d[at]) | A_u_long(d[at + 1]) << 8 | A_u_long(d[at + 2]) << 16 |
           A_u_long(d[at + 3]) << 24;
  }
  static std::string Pascal(const std::vector<A_u_char> &d) {
    EXPECT_EQ(d.size(), std::size_t(d[0]) + 1);
    return std::string(d.begin() + 1, d.end());
  }
  static std::string CString(const std::vector<A_u_char> &d) {
    EXPECT_EQ(d.back(), 0);
    return std::string(d.begin(), d.end() - 1);
  }

 private:
  // The next little-endian value of `n` bytes.
  A_u_long Next(A_u_long n) {
    EXPECT_LE(pos_ + n, size_);
    A_u_long v = 0;
    for (A_u_long b = 0; b < n; ++b) v |= A_u_long(bytes_[pos_ + b]) << (8 * b);
    pos_ += n;
    return v;
  }
  A_u_long U32() { return Next(4); }
  const A_u_char *bytes_;
  A_u_long size_;
  A_u_long pos_ = 0;
};

struct ExpectedEffect {
  A_long id;
  const char *name, *match_name, *entry;
  A_u_long flags, flags2;
};

// Six lists in id order: the utility plug-in's, then the five effects'.
TEST(PiplResources, SixListsInIdOrder) {
  const ExpectedEffect expected[] = {
      {16001, "Vlam", "zk_Vlam", "EntryPoint_VlamRender", 0x06088004, 0x0000140B},
      {16002, "Vlam Module Selector", "zk_VlamMod", "EntryPoint_VlamMod", 0x02208400, 0x1408},
      {16003, "Vlam Flash Builder", "zk_VlamFlash", "EntryPoint_VlamFlash", 0x06208400, 0x1408},
      {16004, "Vlam Flash Instance", "zk_VlamInstance", "EntryPoint_VlamInstancer", 0x06208404,
       0x1408},
      {16005, "Vlam Relighter", "zk_VlamRelighter", "EntryPoint_VlamRelighter", 0x06200400, 0x140A},
  };
  A_long count = 0;
  const PF_ModuleResource *resources = PF_GetModuleResources(&count);
  ASSERT_EQ(count, 6);
  for (A_long i = 0; i < count; ++i) {
    EXPECT_EQ(resources[i].type, 0x5069504Cu);
    EXPECT_EQ(resources[i].id, 16000 + i);
    PiplReader pipl(resources[i].data, resources[i].size);
    const auto &p = pipl.properties;
    for (const auto &[key, property] : p) {
      EXPECT_EQ(property.vendor, Code("8BIM")) << "every property carries the vendor '8BIM'";
    }
    if (i == 0) {
      EXPECT_EQ(PiplReader::U32Of(p.at(Code("kind")).data), Code("AEgx"));
      EXPECT_EQ(PiplReader::Pascal(p.at(Code("name")).data), "zkVlamUtil");
      EXPECT_EQ(PiplReader::Pascal(p.at(Code("catg")).data), "General Plugin");
      EXPECT_EQ(PiplReader::U32Of(p.at(Code("vers")).data), 0x00030000u);
      EXPECT_EQ(PiplReader::CString(p.at(Code("8664")).data), "EntryPointFunc_VlamUtils");
      EXPECT_EQ(p.count(Code("eMNA")), 0u);
      continue;
    }
    const ExpectedEffect &e = expected[i - 1];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(PiplReader::Pascal(p.at(Code("name")).data), e.name);
    EXPECT_EQ(PiplReader::Pascal(p.at(Code("catg")).data), "Orvane Pictures");
    EXPECT_EQ(PiplReader::Pascal(p.at(Code("eMNA")).data), e.match_name);
    EXPECT_EQ(PiplReader::CString(p.at(Code("8664")).data), e.entry);
    EXPECT_EQ(p.at(Code("ePVR")).data, (std::vector<A_u_char>{2, 0, 0, 0}));
    EXPECT_EQ(p.at(Code("eINF")).data, (std::vector<A_u_char>{0, 0}));
    // Words: the kind, host API version, effect version, flags.
    const std::pair<A_u_long, A_u_long> words[] = {
        {Code("kind"), 0x65464B54u}, {Code("eSVR"), 0x000E000Du}, {Code("eVER"), 0x00081E01u},
        {Code("aeFL"), 8u},          {Code("eGLO"), e.flags},     {Code("eGL2"), e.flags2}};
    for (const auto &[key, word] : words) EXPECT_EQ(PiplReader::U32Of(p.at(key).data), word) << key;
  }
}

}  // namespace
}  // namespace vlam_test
