#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vlam::host {

constexpr std::uint32_t fourCC(const char (&s)[5]) {
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) << 24) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 8) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[3]));
}
std::string fourCCText(std::uint32_t code);

constexpr std::uint32_t kPiplResourceType = fourCC("PiPL");
constexpr std::uint32_t kPiplKindEffect = fourCC("eFKT");
constexpr std::uint32_t kPiplKindGeneral = fourCC("AEgx");

// What one plug-in property list says about its plug-in. Optional fields are
// the properties a list may leave out.
struct PiplInfo {
  std::int32_t resourceId = 0;
  std::uint32_t kind = 0;
  std::string name;
  std::string category;
  std::string matchName;
  std::string entryPoint;
  std::optional<std::uint32_t> piplVersion;   // 'ePVR', major in the low half
  std::optional<std::uint32_t> specVersion;   // 'eSVR', major in the low half
  std::optional<std::uint32_t> effectVersion; // 'eVER'
  std::optional<std::int32_t> infoFlags;      // 'eINF'
  std::optional<std::int32_t> reservedInfo;   // 'aeFL'
  std::optional<std::uint32_t> outFlags;      // 'eGLO'
  std::optional<std::uint32_t> outFlags2;     // 'eGL2'
  std::optional<std::uint32_t> version;       // 'vers'

  bool isEffect() const { return kind == kPiplKindEffect; }
  bool isGeneral() const { return kind == kPiplKindGeneral; }
};

// Reads one property list (the little-endian layout the Windows resource
// compiler produces). Throws HostError saying what is wrong and at which byte
// offset when the data is truncated or inconsistent.
PiplInfo parsePipl(const std::uint8_t *data, std::size_t size, std::int32_t resourceId);

} // namespace vlam::host
