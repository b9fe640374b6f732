// Vendor, keys and kinds of the properties in the module's property lists,
// as the host's resource definitions give them: every property, the effect
// API's own included, carries the vendor '8BIM'.
#pragma once
#include "A.h"

namespace vlam {

constexpr A_u_long FourCharCode(const char (&code)[5]) {
  return (static_cast<A_u_long>(static_cast<A_u_char>(code[0])) << 24) |
         (static_cast<A_u_long>(static_cast<A_u_char>(code[1])) << 16) |
         (static_cast<A_u_long>(static_cast<A_u_char>(code[2])) << 8) |
         static_cast<A_u_long>(static_cast<A_u_char>(code[3]));
}

constexpr A_u_long kPiplVendor = FourCharCode("8BIM");

// Keys of the plug-in's identity.
constexpr A_u_long kPiplKindKey = FourCharCode("kind");
constexpr A_u_long kPiplNameKey = FourCharCode("name");
constexpr A_u_long kPiplCategoryKey = FourCharCode("catg");
constexpr A_u_long kPiplVersionKey = FourCharCode("vers");
constexpr A_u_long kPiplWin64EntryKey = FourCharCode("8664");

// Keys of the effect API.
constexpr A_u_long kPiplEffectPiplVersionKey = FourCharCode("ePVR");
constexpr A_u_long kPiplEffectSpecVersionKey = FourCharCode("eSVR");
constexpr A_u_long kPiplEffectVersionKey = FourCharCode("eVER");
constexpr A_u_long kPiplEffectInfoFlagsKey = FourCharCode("eINF");
constexpr A_u_long kPiplEffectOutFlagsKey = FourCharCode("eGLO");
constexpr A_u_long kPiplEffectOutFlags2Key = FourCharCode("eGL2");
constexpr A_u_long kPiplEffectMatchNameKey = FourCharCode("eMNA");
constexpr A_u_long kPiplEffectReservedInfoKey = FourCharCode("aeFL");

// Kinds.
constexpr A_u_long kPiplEffectKind = FourCharCode("eFKT");
constexpr A_u_long kPiplGeneralPluginKind = FourCharCode("AEgx");

}  // namespace vlam
